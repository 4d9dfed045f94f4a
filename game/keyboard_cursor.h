// Playing with the keyboard: a cursor on the visible board that the arrow
// keys move one cell at a time, Space that clicks the tile under it,
// Backspace that takes the last letter back and Enter that submits the word.
//
// The cursor is hidden until the first arrow key, which shows it on the last
// selected cell or else on the bottom-left cell without moving it; it stops
// at the board's edges and may stand on an empty cell. A mouse click on a
// tile hides it again. The keys act through the same rules as the mouse.
#pragma once

class Game;

enum class PlayKey { Left, Right, Up, Down, Space, Backspace, Enter };

// What the cursor asks of the window that shows it.
class CursorView {
public:
    virtual ~CursorView() = default;
    // Shows the cursor on a visible cell (rows 25..33), or moves it there.
    virtual void ShowCursor(int column, int row) = 0;
    virtual void HideCursor() = 0;
};

class KeyboardCursor {
public:
    KeyboardCursor(Game& game, CursorView& view) : game_(game), view_(view) {}

    // Acts on one key press; false when the key did nothing here (Space
    // with no cursor shown, Backspace with no word being spelled), so the
    // window may pass it on.
    bool Press(PlayKey key);
    // A mouse click on a tile.
    void Hide();

    bool Shown() const { return shown_; }
    int Column() const { return column_; }
    int Row() const { return row_; }

private:
    void Move(int columns, int rows);

    Game& game_;
    CursorView& view_;
    bool shown_ = false;
    int column_ = 1;
    int row_ = 33;
};
