// The texts that assistive technology reads out: for controls whose picture
// alone says what they are (a letter tile, a row of a ranked table), and the
// sentences a screen reader says when something happens that no control
// shows (a word taken or refused, a word taught, the end of a game).
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

// "24 pont"
std::string PointsText(std::int32_t points);

// The word line as read: its text while a word is being spelled, nothing
// while it shows only the empty word's " (0)".
std::string WordLineSpokenText(std::string_view wordLine);

// The word being spelled, after each letter picked or taken back:
// "KOA, 7 pont"; "Nincs kijelölt betű." when none is left.
std::string SpelledWordSpokenText(std::string_view word, std::int32_t points);

// A word taken off the board: "KOALA, 35 pont. Eredmény: 70 pont." (the
// score line after it).
std::string TakenWordSpokenText(std::string_view word, std::int32_t points, std::string_view scoreLine);

// A word the list does not know: "Ezt a szót nem ismerem: KOAL."; with
// nothing spelled: "Nincs kijelölt szó."
std::string RefusedWordSpokenText(std::string_view word);

// A word submitted after the game has ended.
std::string GameOverSpokenText();

// "Szóhozzá" (Ctrl+F7): "Megtanultam ezt a szót: KOAL." or, when the list
// knew it already, "Ezt a szót már ismerem: KOALA."
std::string TaughtWordSpokenText(std::string_view word, bool alreadyKnown);

// "Új játék" has dealt a fresh board.
std::string NewGameSpokenText();

// The top-ten table at the end of a game: the score, and the place its row
// was opened at for the name (0: it did not reach the table).
std::string EndOfGameSpokenText(std::int32_t score, int place);
