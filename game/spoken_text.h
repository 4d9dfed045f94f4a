// The texts that assistive technology reads out for controls whose picture
// alone says what they are: a letter tile, a row of a ranked table.
// Code page 1250 text, like every text of the game.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A tile: its letter, its column and its row counted from the top of the
// visible board, and whether it belongs to the word being spelled:
// "K, 3. oszlop, 2. sor, kijelölve".
std::string TileSpokenName(char letter, int column, int visibleRow, bool selected);

// An empty cell at the same place: "üres, 3. oszlop, 2. sor".
std::string EmptyCellSpokenName(int column, int visibleRow);

// A row of a ranked table: "1. hely, 12 345 pont, Anna". The score text may
// carry the blanks that align it on screen; a blank name is left out.
std::string RankedRowSpokenName(int rank, std::string_view scoreText, std::string_view name);

// A word of this game, numbered in the order taken, read like a ranked row:
// "1. szó, 35 pont, KOALA".
std::string TakenWordSpokenName(int order, std::int32_t points, std::string_view word);

// A text laid out on several lines, read as one: the line ends become blanks.
std::string OneLineSpokenText(std::string_view text);
