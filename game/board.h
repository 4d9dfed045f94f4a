// The letter grid: 10 columns by 33 rows, counted from 1.
//
// Rows 25 to 33 are the visible board, one tile each; the 24 rows above are
// the hidden reserve that falls into view as words are taken off.
#pragma once

#include <array>

constexpr int kColumns = 10;
constexpr int kRows = 33;
constexpr int kFirstVisibleRow = 25;
constexpr char kBlank = ' ';

struct BoardCell {
    char letter = kBlank;  // a code page 1250 capital, or the blank for an empty cell
    bool selected = false;
};

class Board {
public:
    BoardCell& At(int column, int row) { return cells_[Index(column, row)]; }
    const BoardCell& At(int column, int row) const { return cells_[Index(column, row)]; }

    // Whether a visible cell's tile is shown right now. The view is told every
    // change, and the fall of letters asks this of row 25.
    bool TileShown(int column, int row) const { return shown_[Index(column, row)]; }
    void SetTileShown(int column, int row, bool shown) { shown_[Index(column, row)] = shown; }

    static bool IsVisibleRow(int row) { return row >= kFirstVisibleRow && row <= kRows; }
    static bool Contains(int column, int row) { return column >= 1 && column <= kColumns && row >= 1 && row <= kRows; }

private:
    static int Index(int column, int row) { return (column - 1) * kRows + (row - 1); }

    std::array<BoardCell, kColumns * kRows> cells_{};
    std::array<bool, kColumns * kRows> shown_{};
};
