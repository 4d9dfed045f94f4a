#include "game/game_statistics.h"

#include <algorithm>
#include <cmath>

#include "game/daily_board.h"

namespace {

// "még nincs" (none yet)
const char* const kNoneYet = "m\xE9g nincs";

std::string Points(std::int64_t points)
{
    return GroupedNumber(points) + " pont";
}

// A round step (1, 2 or 5 times a power of ten, at least 1) that splits
// `span` into at most `parts` parts.
std::int64_t RoundStep(double span, int parts)
{
    const double raw = span / parts;
    std::int64_t magnitude = 1;
    while (static_cast<double>(magnitude) * 10 <= raw)
        magnitude *= 10;
    for (const std::int64_t multiple : {1, 2, 5})
        if (static_cast<double>(magnitude * multiple) >= raw)
            return magnitude * multiple;
    return magnitude * 10;
}

// One decimal, with the Hungarian decimal comma: "12,4".
std::string OneDecimal(double value)
{
    const std::int64_t tenths = std::llround(value * 10);
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

ScoreChart MakeChart(const std::vector<FinishedGame>& games)
{
    ScoreChart chart;
    const std::size_t count = games.size();
    if (count == 0) {
        chart.heading = "Eredm\xE9nyeid";
        chart.note = "M\xE9g nincs befejezett j\xE1t\xE9k. A j\xE1t\xE9kok v\xE9g\xE9n (Befejeztem, F8) itt "
                     "rajzol\xF3" "dnak ki az eredm\xE9nyeid.";
        chart.spoken = chart.note;
        return chart;
    }
    if (count == 1) {
        chart.heading = "Eredm\xE9nyeid";
        chart.note = "Eddig egy j\xE1t\xE9kot fejezt\xE9l be, " + Points(games[0].score) +
                     "tal. A grafikon a m\xE1sodik j\xE1t\xE9kt\xF3l rajzol\xF3" "dik ki.";
        chart.spoken = chart.note;
        return chart;
    }

    const std::size_t first = count > kChartGames ? count - kChartGames : 0;
    std::int64_t sum = 0;
    std::int32_t lowest = games[first].score;
    std::int32_t highest = games[first].score;
    int daily = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += games[i].score;
        if (i < first)
            continue;
        const FinishedGame& game = games[i];
        chart.points.push_back({static_cast<int>(i + 1), game.score, game.dailyBoard.has_value(),
                                static_cast<double>(sum) / static_cast<double>(i + 1)});
        lowest = std::min(lowest, game.score);
        highest = std::max(highest, game.score);
        daily += game.dailyBoard ? 1 : 0;
    }
    chart.games = GameAxis(static_cast<int>(first + 1), static_cast<int>(count));
    chart.scores = ScoreAxis(highest);
    const std::string shown = std::to_string(chart.points.size());
    chart.heading = count > kChartGames ? "Az utols\xF3 " + shown + " j\xE1t\xE9k eredm\xE9nye"
                                        : "Az eddigi " + shown + " j\xE1t\xE9k eredm\xE9nye";
    chart.spoken = "Grafikon: a " + std::to_string(first + 1) + ". j\xE1t\xE9kt\xF3l a " + std::to_string(count) +
                   ". j\xE1t\xE9kig " + shown + " eredm\xE9ny, ebb\xF5l " + std::to_string(daily) +
                   " napi t\xE1" "bla; a legkisebb " + Points(lowest) + ", a legnagyobb " + Points(highest) +
                   ", az \xE1tlag a v\xE9g\xE9n " + Points(std::llround(chart.points.back().average)) + ".";
    return chart;
}

std::string PracticeText(const std::vector<const FinishedGame*>& practice)
{
    if (practice.empty())
        return {};
    std::string text = "Gyakorl\xE1s ut\xE1na (nem sz\xE1m\xEDt): ";
    constexpr std::size_t kListed = 5;
    if (practice.size() <= kListed) {
        for (std::size_t i = 0; i < practice.size(); ++i)
            text += (i ? ", " : "") + GroupedNumber(practice[i]->score);
        return text + " pont";
    }
    std::int32_t best = 0;
    for (const FinishedGame* game : practice)
        best = std::max(best, game->score);
    return text + std::to_string(practice.size()) + " j\xE1t\xE9k, a legjobb " + Points(best);
}

}  // namespace

std::string GroupedNumber(std::int64_t value)
{
    const bool negative = value < 0;
    std::string digits = std::to_string(value);
    if (negative)
        digits.erase(0, 1);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ' ';
        text += digits[i];
    }
    return negative ? "-" + text : text;
}

AxisRange ScoreAxis(std::int32_t highest)
{
    // A little room above the best score, so that its mark is not cut.
    const double top = std::max(10.0, std::max<std::int32_t>(highest, 0) * 1.05);
    const std::int64_t step = RoundStep(top, 5);
    AxisRange axis;
    axis.low = 0;
    axis.high = static_cast<double>(static_cast<std::int64_t>(std::ceil(top / static_cast<double>(step))) * step);
    for (std::int64_t value = 0; static_cast<double>(value) <= axis.high; value += step)
        axis.ticks.push_back({static_cast<double>(value), GroupedNumber(value)});
    return axis;
}

AxisRange GameAxis(int first, int last)
{
    AxisRange axis;
    // Half a game of room at either end, so that the first and last marks
    // stand wholly inside.
    axis.low = first - 0.5;
    axis.high = last + 0.5;
    const std::int64_t step = RoundStep(std::max(1, last - first), 5);
    for (std::int64_t value = (first + step - 1) / step * step; value <= last; value += step)
        axis.ticks.push_back({static_cast<double>(value), std::to_string(value) + "."});
    return axis;
}

std::string ShareLine(const FinishedGame& game, const CalendarDate& board)
{
    std::string line = "Vorpanta napi t\xE1" "bla, " + HungarianDate(board) + ": " + Points(game.score) + ", " +
                       std::to_string(game.words) + " sz\xF3";
    if (!game.bestWord.empty())
        line += ", legjobb sz\xF3: " + game.bestWord + " (" + std::to_string(game.bestPoints) + ")";
    return line;
}

StatisticsReport MakeStatistics(const std::vector<FinishedGame>& games, const CalendarDate& today)
{
    StatisticsReport report;
    const std::size_t count = games.size();
    report.gamesPlayed = "Befejezett j\xE1t\xE9kok: " + GroupedNumber(static_cast<std::int64_t>(count));
    std::int64_t scores = 0;
    std::int64_t words = 0;
    const FinishedGame* best = nullptr;
    const FinishedGame* bestWord = nullptr;
    std::vector<const FinishedGame*> todays;
    for (const FinishedGame& game : games) {
        scores += game.score;
        words += game.words;
        if (!best || game.score > best->score)
            best = &game;
        if (!game.bestWord.empty() && (!bestWord || game.bestPoints > bestWord->bestPoints))
            bestWord = &game;
        if (game.dailyBoard == today)
            todays.push_back(&game);
    }
    const double played = static_cast<double>(count);
    report.averageScore = "\xC1tlagos eredm\xE9ny: " +
                          (count ? Points(std::llround(static_cast<double>(scores) / played)) : kNoneYet);
    report.bestScore = "Legjobb eredm\xE9ny: " + (best ? Points(best->score) : kNoneYet);
    report.bestWord = "Legjobb sz\xF3: " +
                      (bestWord ? bestWord->bestWord + ", " + Points(bestWord->bestPoints) : kNoneYet);
    report.wordsPerGame = "Sz\xF3 j\xE1t\xE9konk\xE9nt: " +
                          (count ? OneDecimal(static_cast<double>(words) / played) : kNoneYet);
    report.chart = MakeChart(games);

    report.todayHeading = "Mai napi t\xE1" "bla, " + HungarianDate(today);
    if (todays.empty()) {
        report.todayScore = "M\xE9g nem j\xE1tszottad v\xE9gig. Ctrl+D ind\xEDtja, Befejeztem (F8) z\xE1rja le.";
        report.shareNote = "Itt lesz a megoszthat\xF3 sor, ha befejezted a mai napi t\xE1" "bl\xE1t.";
    } else {
        const FinishedGame& counted = *todays.front();
        report.todayScore = "Eredm\xE9nyed: " + Points(counted.score) + ", " + std::to_string(counted.words) +
                            " sz\xF3";
        report.todayPractice = PracticeText({todays.begin() + 1, todays.end()});
        report.shareLine = ShareLine(counted, today);
    }
    return report;
}
