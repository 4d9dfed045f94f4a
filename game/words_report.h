// What the words window shows, in the game's own text (code page 1250): this
// game's words with their points, their count and total, the game's best
// word, the best word of all time and, once the game has ended, the best
// words still on the board.
#pragma once

#include <string>
#include <vector>

#include "game/spoken_text.h"

class Game;

struct WordsReportRow {
    std::string word;
    std::string points;  // "24 pont"
    std::string spoken;  // the row for a screen reader: "1. szó, 24 pont, ALMA"
};

struct WordsReport {
    std::vector<WordsReportRow> taken;  // in the order taken, read as "1. szó, ..."
    std::string summary;                // "3 szó, összesen 66 pont"
    std::string gameBest;               // "A játék legjobb szava:", a line end, "ALMA, 24 pont"
    std::string allTimeBest;            // "Minden idők legjobb szava: ..."
    std::vector<WordsReportRow> left;   // the best words left, at most kLeftShown, read as "1. hely, ..."
    std::string leftNote;               // shown instead of them, or empty
};

constexpr std::size_t kLeftShown = 10;

// Solves the board only when the game has ended (no game active).
WordsReport MakeWordsReport(const Game& game);

