// Spelling a word with left clicks: extend the path by an orthogonal
// neighbour of the last cell, take the last letter back, or start afresh.
#include "game/board_view.h"
#include "game/daily_board.h"
#include "game/game.h"
#include "game/scoring.h"
#include "game/spoken_text.h"
#include "platform/text_helpers.h"

#include <charconv>

namespace {

// A decimal field of a tile name; 0 when it is not a number.
int ToInt(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

}  // namespace

std::string PathEntry(int column, int row)
{
    return std::to_string(column) + ";" + std::to_string(row);
}

void Game::ShowWord()
{
    // On the board of a day the word line says so whenever no word is
    // spelled; an ordinary board shows the empty word with its 0 points.
    if (dailyBoard_ && selection_.currentWord.empty())
        wordLine_ = DailyCaption(*dailyBoard_);
    else
        wordLine_ = selection_.currentWord + " (" + std::to_string(WordScore(selection_.currentWord)) + ")";
    view_.SetWordLine(wordLine_);
    selection_.lastWord = selection_.currentWord;
}

void Game::ShowSpelledWord()
{
    ShowWord();
    view_.Announce(SpelledWordSpokenText(selection_.currentWord, WordScore(selection_.currentWord)));
}

void Game::Image1Click(const std::string& tileName)
{
    ClickCell(ToInt(GetField("i", tileName, 2)), ToInt(GetField("i", tileName, 3)));
}

void Game::ClickCell(int c, int r)
{
    if (!gameActive_)
        return;
    // Only the tiles of the visible rows exist, and an empty cell's tile is
    // hidden and cannot be clicked.
    if (!Board::Contains(c, r) || !Board::IsVisibleRow(r) || board_.At(c, r).letter == kBlank)
        return;

    Selection& s = selection_;
    BoardCell& cell = board_.At(c, r);

    if (c == s.lastCol && r == s.lastRow) {
        if (cell.selected) {
            // Take the last letter back.
            if (!s.currentWord.empty())
                s.currentWord.pop_back();
            if (!s.path.empty())
                s.path.pop_back();
            if (s.path.empty()) {
                s.lastCol = 0;
                s.lastRow = 0;
            } else {
                s.lastCol = ToInt(GetField(";", s.path.back(), 1));
                s.lastRow = ToInt(GetField(";", s.path.back(), 2));
            }
            cell.selected = false;
        } else {
            // The last cell of a word that was taken off, or of the game
            // before a new one: it starts the path again.
            s.currentWord += cell.letter;
            cell.selected = true;
            s.path.push_back(PathEntry(c, r));
        }
        RedrawCell(c, r);
        ShowSpelledWord();
        return;
    }

    const bool neighbour = (c == s.lastCol && (r == s.lastRow - 1 || r == s.lastRow + 1)) ||
                           (r == s.lastRow && (c == s.lastCol - 1 || c == s.lastCol + 1));
    if (neighbour) {
        if (cell.selected)
            return;
        cell.selected = true;
        s.currentWord += cell.letter;
        RedrawCell(c, r);
        s.path.push_back(PathEntry(c, r));
        s.lastCol = c;
        s.lastRow = r;
        ShowSpelledWord();
        return;
    }

    // Start a new word at the clicked cell.
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = 1; row <= kRows; ++row) {
            if (board_.At(column, row).selected) {
                board_.At(column, row).selected = false;
                RedrawCell(column, row);
            }
        }
    }
    s.path.clear();
    cell.selected = true;
    s.currentWord.assign(1, cell.letter);
    RedrawCell(c, r);
    s.path.push_back(PathEntry(c, r));
    s.lastCol = c;
    s.lastRow = r;
    ShowSpelledWord();
}
