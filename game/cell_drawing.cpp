// How a visible cell is drawn: its letter's normal or selected picture from
// the "Ico" folder beside the program, or a hidden tile for an empty cell.
#include "game/board_view.h"
#include "game/game.h"
#include "platform/cp1250.h"
#include "platform/file_io.h"

std::string Game::TileImagePath(int column, int row) const
{
    const BoardCell& cell = board_.At(column, row);
    return TilePicturePath(cell.letter, cell.selected);
}

std::string Game::TilePicturePath(char letter, bool selected) const
{
    std::string path = programDir_;
    path += selected ? "/Ico/a" : "/Ico/n";
    path += cp1250::toUtf8(std::string_view(&letter, 1));
    path += ".bmp";
    return path;
}

void Game::RedrawCell(int column, int row)
{
    if (board_.At(column, row).letter == kBlank)
        HideTile(column, row);
    else
        ShowTile(column, row, TileImagePath(column, row));
}

void Game::ShowTile(int column, int row, const std::string& picturePath)
{
    view_.ShowTilePicture(column, row, picturePath);
    board_.SetTileShown(column, row, true);
}

void Game::HideTile(int column, int row)
{
    view_.HideTile(column, row);
    board_.SetTileShown(column, row, false);
}

std::string Game::ScoreText(std::int32_t total)
{
    return "Eredm\xE9ny: " + std::to_string(total) + " pont";
}
