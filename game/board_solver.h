// The words still to be found on the visible board.
//
// A word can be spelled when its tiles form a path of distinct, orthogonally
// adjacent, non-blank cells of rows 25 to 33, as the player picks them. Every
// entry of the word list counts, the taught ones too, compared as the list
// compares (letter case ignored); words start at two letters. A word is
// given as the tiles spell it, in capitals, which is also how it scores.
//
// The search goes depth first from every cell and gives up a path as soon
// as no entry begins with its letters. It follows the list's prefix index
// when that is built; until then (or without the memory for it) it asks
// the sorted list itself, one binary search per path, which finds the same
// words more slowly. Tiles hold letters of the LetterPool; a cell holding
// any other byte is passed over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/board.h"

class WordList;

struct FoundWord {
    std::string word;  // as the tiles spell it (code page 1250 capitals)
    std::int32_t score = 0;
};

struct SolveStats {
    std::size_t prefixes = 0;  // paths whose letters were looked up
};

// Every word on the visible board, best first: by WordScore, then by the
// word in the word list's order.
std::vector<FoundWord> FindBoardWords(const Board& board, const WordList& words, SolveStats* stats = nullptr);

// The same with one binary search of the sorted list per path, whether or
// not the prefix index is there.
std::vector<FoundWord> FindBoardWordsBySearch(const Board& board, const WordList& words,
                                              SolveStats* stats = nullptr);
