// The word the player is spelling: the path of selected cells in click order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Selection {
    // One entry per selected cell, oldest first: column, ";", row.
    std::vector<std::string> path;
    // The last selected cell; 0 and 0 for none. Left as it is when a word is
    // submitted or a new game starts, so it may name an unselected cell.
    std::int32_t lastCol = 0;
    std::int32_t lastRow = 0;
    // The letters of the path, and the copy taken after every change that
    // word lookup and "Szóhozzá" read.
    std::string currentWord;
    std::string lastWord;
};

// "column;row"
std::string PathEntry(int column, int row);
