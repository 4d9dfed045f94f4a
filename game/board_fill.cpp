// Dealing letters: the first board at start, and a fresh one for a new game.
#include "game/board_view.h"
#include "game/game.h"
#include "game/letter_pool.h"
#include "game/spoken_text.h"

Game::Game(BoardView& view, std::string programDir) : view_(view), programDir_(std::move(programDir)) {}

Game::~Game() = default;

void Game::DealLetters(bool refill)
{
    random_.Reseed();
    // One draw per cell, column by column and top to bottom, the reserve
    // rows included.
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = 1; row <= kRows; ++row) {
            BoardCell& cell = board_.At(column, row);
            cell.letter = DrawLetter(random_);
            if (refill)
                cell.selected = false;
            if (Board::IsVisibleRow(row))
                RedrawCell(column, row);
        }
    }
}

void Game::CreateBoard()
{
    DealLetters(false);
}

void Game::NewGame()
{
    gameActive_ = true;
    taken_.Clear();
    DealLetters(true);
    selection_.path.clear();
    selection_.currentWord.clear();
    totalScore_ = 0;
    scoreLine_ = ScoreText(totalScore_);
    view_.SetScoreLine(scoreLine_);
    ShowWord();
    selection_.lastWord.clear();
    view_.Announce(NewGameSpokenText());
}
