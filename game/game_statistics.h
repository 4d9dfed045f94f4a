// What the statistics window shows of the finished games, in the game's own
// text (code page 1250): the totals, the chart of the latest scores with its
// axes, and today's board with the line to share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_record.h"
#include "platform/clock.h"

// How many of the latest games the chart shows.
constexpr std::size_t kChartGames = 100;

struct ChartPoint {
    int number = 0;           // the game's place among all finished games, from 1
    std::int32_t score = 0;
    bool daily = false;       // a game on the board of a day
    double average = 0;       // the average score of all games up to this one
};

struct AxisTick {
    double value = 0;
    std::string text;  // "12 000"
};

struct AxisRange {
    double low = 0;
    double high = 1;
    std::vector<AxisTick> ticks;  // from low to high, each within the range
};

struct ScoreChart {
    std::vector<ChartPoint> points;  // the latest games, oldest first; empty when `note` is shown
    AxisRange games;                 // across: game numbers
    AxisRange scores;                // up: points, from 0
    std::string heading;             // "Eredményeid (az utolsó 100 játék)"
    std::string note;                // in place of the chart: no game, or only one
    std::string spoken;              // the chart read out in words
};

struct StatisticsReport {
    std::string gamesPlayed;   // "Befejezett játékok: 12"
    std::string averageScore;  // "Átlagos eredmény: 1 234 pont"
    std::string bestScore;     // "Legjobb eredmény: 2 345 pont"
    std::string bestWord;      // "Legjobb szó: KOALA, 35 pont"
    std::string wordsPerGame;  // "Szó játékonként: 12,4"
    ScoreChart chart;
    std::string todayHeading;   // "Mai napi tábla, 2026. 12. 09."
    std::string todayScore;     // the first finished game of today's board, or how to start it
    std::string todayPractice;  // later games of today's board; empty when none
    std::string shareLine;      // empty until today's board has been finished
    std::string shareNote;      // what stands in the line's place until then
    std::string problem;        // what is wrong with the record file, or empty
};

// `games` oldest first, as the record holds them; `today` the local date.
StatisticsReport MakeStatistics(const std::vector<FinishedGame>& games, const CalendarDate& today);

// The line a player shares about a game on the board of a day:
// "Vorpanta napi tábla, 2026. 12. 09.: 1 234 pont, 24 szó, legjobb szó: KOALA (35)".
std::string ShareLine(const FinishedGame& game, const CalendarDate& board);

// A whole number with its digits in groups of three split by a blank: "12 345".
std::string GroupedNumber(std::int64_t value);

// The axis from 0 to a round number at or above `highest`, with four to six
// ticks at round steps (1, 2 or 5 times a power of ten).
AxisRange ScoreAxis(std::int32_t highest);
// The axis over game numbers `first` to `last`, with ticks at round steps.
AxisRange GameAxis(int first, int last);
