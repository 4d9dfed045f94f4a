// The record of finished games: reading any line of "Jatekok.txt" and
// reckoning the statistics of whatever games it held.
//
// A line that reads as a game is written back byte for byte the same (so
// a game survives any number of additions after it); every game read keeps
// the rules a line is checked by; and the statistics of the games read, for
// any day, keep their chart within its axes and at most the latest hundred
// games.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "game/game_record.h"
#include "game/game_statistics.h"
#include "game/scoring.h"
#include "platform/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const CalendarDate today{input.ConsumeIntegralInRange(1, 9999), input.ConsumeIntegralInRange(1, 12),
                             input.ConsumeIntegralInRange(1, 28)};
    const std::string text = input.ConsumeRemainingBytesAsString();

    std::vector<FinishedGame> games;
    for (const std::string& line : SplitLines(text)) {
        const std::optional<FinishedGame> game = ParseGameRecordLine(line);
        if (!game)
            continue;
        FUZZ_CHECK(GameRecordLine(*game) == line + "\r\n", "a game is not written back as read: " + fuzzing::Show(line));
        FUZZ_CHECK(game->score >= 0 && game->words >= 0 && game->bestPoints <= game->score,
                   "a game's numbers out of their ranges: " + fuzzing::Show(line));
        FUZZ_CHECK(WordScore(game->bestWord) == game->bestPoints, "a best word not worth its points");
        games.push_back(*game);
    }

    const StatisticsReport report = MakeStatistics(games, today);
    const ScoreChart& chart = report.chart;
    FUZZ_CHECK(chart.points.size() <= kChartGames, "more than the latest games in the chart");
    FUZZ_CHECK(chart.points.empty() == (games.size() < 2), "a chart drawn or left out wrongly");
    for (const ChartPoint& point : chart.points) {
        FUZZ_CHECK(point.score >= chart.scores.low && point.score <= chart.scores.high, "a score beyond its axis");
        FUZZ_CHECK(point.number >= chart.games.low && point.number <= chart.games.high, "a game beyond its axis");
        FUZZ_CHECK(point.average >= chart.scores.low && point.average <= chart.scores.high,
                   "the average beyond its axis");
    }
    return 0;
}
