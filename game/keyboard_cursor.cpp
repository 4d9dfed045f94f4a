#include "game/keyboard_cursor.h"

#include <algorithm>

#include "game/board.h"
#include "game/game.h"

bool KeyboardCursor::Press(PlayKey key)
{
    switch (key) {
    case PlayKey::Left:
        Move(-1, 0);
        return true;
    case PlayKey::Right:
        Move(1, 0);
        return true;
    case PlayKey::Up:
        Move(0, -1);
        return true;
    case PlayKey::Down:
        Move(0, 1);
        return true;
    case PlayKey::Space:
        if (!shown_)
            return false;
        // A click on an empty cell's hidden tile cannot happen, and the
        // click rules ignore such a cell.
        game_.ClickCell(column_, row_);
        return true;
    case PlayKey::Backspace: {
        const Selection& s = game_.GetSelection();
        if (s.path.empty())
            return false;
        game_.ClickCell(s.lastCol, s.lastRow);
        return true;
    }
    case PlayKey::Enter:
        game_.SubmitWord(MouseButton::Right);
        return true;
    }
    return false;
}

void KeyboardCursor::Move(int columns, int rows)
{
    if (!shown_) {
        // It appears where the player last picked a letter, else at the
        // bottom left, and the first key only shows it.
        const Selection& s = game_.GetSelection();
        const bool onWord = !s.path.empty() && Board::IsVisibleRow(s.lastRow);
        column_ = onWord ? s.lastCol : 1;
        row_ = onWord ? s.lastRow : kRows;
        shown_ = true;
    } else {
        column_ = std::clamp(column_ + columns, 1, kColumns);
        row_ = std::clamp(row_ + rows, kFirstVisibleRow, kRows);
    }
    view_.ShowCursor(column_, row_);
}

void KeyboardCursor::Hide()
{
    if (!shown_)
        return;
    shown_ = false;
    view_.HideCursor();
}
