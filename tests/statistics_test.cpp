// What the statistics window shows of the record: the totals, the chart of
// the latest scores with its axes, today's board and the line to share.
#include <gtest/gtest.h>

#include "game/game_statistics.h"
#include "platform/cp1250.h"

namespace {

constexpr CalendarDate kToday{2026, 12, 9};

FinishedGame Game(std::int32_t score, std::int32_t words, const std::string& best = "", std::int32_t points = 0,
                  std::optional<CalendarDate> daily = std::nullopt, LocalTime finished = {{2026, 12, 1}, 20, 0, 0})
{
    return {finished, score, words, best, points, daily};
}

std::string Utf8(const std::string& text)
{
    return cp1250::toUtf8(text);
}

TEST(Statistics, TotalsOfAllFinishedGames)
{
    const std::vector<FinishedGame> games = {
        Game(1000, 10, "ALMA", 24),
        Game(2500, 21, "KOALA", 35, CalendarDate{2026, 12, 2}),
        Game(0, 0),
        Game(1201, 6, "LAMA", 35),  // as good a word as KOALA, but later
    };
    const StatisticsReport report = MakeStatistics(games, kToday);
    EXPECT_EQ(Utf8(report.gamesPlayed), "Befejezett játékok: 4");
    EXPECT_EQ(Utf8(report.averageScore), "Átlagos eredmény: 1 175 pont");
    EXPECT_EQ(Utf8(report.bestScore), "Legjobb eredmény: 2 500 pont");
    EXPECT_EQ(Utf8(report.bestWord), "Legjobb szó: KOALA, 35 pont");
    EXPECT_EQ(Utf8(report.wordsPerGame), "Szó játékonként: 9,3");

    const StatisticsReport none = MakeStatistics({}, kToday);
    EXPECT_EQ(Utf8(none.gamesPlayed), "Befejezett játékok: 0");
    EXPECT_EQ(Utf8(none.averageScore), "Átlagos eredmény: még nincs");
    EXPECT_EQ(Utf8(none.bestWord), "Legjobb szó: még nincs");
    EXPECT_EQ(Utf8(none.wordsPerGame), "Szó játékonként: még nincs");

    EXPECT_EQ(GroupedNumber(0), "0");
    EXPECT_EQ(GroupedNumber(999), "999");
    EXPECT_EQ(GroupedNumber(1234), "1 234");
    EXPECT_EQ(GroupedNumber(123456789012), "123 456 789 012");
    EXPECT_EQ(GroupedNumber(-12345), "-12 345");
}

TEST(Statistics, TheChartShowsTheLatestHundredGamesWithTheRunningAverage)
{
    // 120 games: 100, 200, ... 1 200 points over and over; every seventh on
    // the board of a day.
    std::vector<FinishedGame> games;
    for (int i = 0; i < 120; ++i)
        games.push_back(Game(100 * (i % 12 + 1), 3, "ALMA", 24,
                             i % 7 == 0 ? std::optional(CalendarDate{2026, 11, 1 + i % 28}) : std::nullopt));
    const ScoreChart chart = MakeStatistics(games, kToday).chart;
    EXPECT_TRUE(chart.note.empty());
    ASSERT_EQ(chart.points.size(), 100u);
    EXPECT_EQ(chart.points.front().number, 21);
    EXPECT_EQ(chart.points.back().number, 120);
    EXPECT_EQ(chart.points.front().score, 900);   // game 21: 100 × (20 % 12 + 1)
    EXPECT_TRUE(chart.points[1].daily);           // game 22, the 21st drawn
    EXPECT_FALSE(chart.points[2].daily);
    // The average of all games up to each point, those before the chart too:
    // 100 to 1 200, then 100 to 900.
    EXPECT_DOUBLE_EQ(chart.points.front().average, (7800.0 + 4500.0) / 21);
    EXPECT_DOUBLE_EQ(chart.points.back().average, 650);
    EXPECT_EQ(Utf8(chart.heading), "Az utolsó 100 játék eredménye");

    // Scaled to fit: every score within the axis, ticks at round steps.
    EXPECT_EQ(chart.scores.low, 0);
    EXPECT_GE(chart.scores.high, 1200);
    EXPECT_LE(chart.scores.high, 1500);
    ASSERT_GE(chart.scores.ticks.size(), 4u);
    EXPECT_LE(chart.scores.ticks.size(), 7u);
    EXPECT_EQ(chart.scores.ticks[1].text, "500");
    EXPECT_EQ(chart.scores.ticks.back().value, chart.scores.high);
    EXPECT_LT(chart.games.low, 21);
    EXPECT_GT(chart.games.high, 120);
    std::vector<std::string> gameTicks;
    for (const AxisTick& tick : chart.games.ticks)
        gameTicks.push_back(tick.text);
    EXPECT_EQ(gameTicks, (std::vector<std::string>{"40.", "60.", "80.", "100.", "120."}));
    EXPECT_EQ(Utf8(chart.spoken), "Grafikon: a 21. játéktól a 120. játékig 100 eredmény, ebből 15 napi tábla; "
                                  "a legkisebb 100 pont, a legnagyobb 1 200 pont, az átlag a végén 650 pont.");

    // Big scores are written in groups on the axis.
    const AxisRange big = ScoreAxis(23456);
    EXPECT_EQ(big.ticks[1].text, "5 000");
    EXPECT_EQ(big.high, 25000);
    EXPECT_EQ(ScoreAxis(0).high, 10);
    const AxisRange two = GameAxis(1, 2);
    ASSERT_EQ(two.ticks.size(), 2u);
    EXPECT_EQ(two.ticks[0].text, "1.");
}

TEST(Statistics, WithNoGameOrOneTheChartSaysSoInWords)
{
    const ScoreChart none = MakeStatistics({}, kToday).chart;
    EXPECT_TRUE(none.points.empty());
    EXPECT_EQ(Utf8(none.note), "Még nincs befejezett játék. A játékok végén (Befejeztem, F8) itt "
                               "rajzolódnak ki az eredményeid.");
    EXPECT_EQ(none.spoken, none.note);

    const ScoreChart one = MakeStatistics({Game(1234, 5, "ALMA", 24)}, kToday).chart;
    EXPECT_TRUE(one.points.empty());
    EXPECT_EQ(Utf8(one.note), "Eddig egy játékot fejeztél be, 1 234 ponttal. A grafikon a második "
                              "játéktól rajzolódik ki.");

    const ScoreChart two = MakeStatistics({Game(1234, 5, "ALMA", 24), Game(50, 1, "LE", 6)}, kToday).chart;
    EXPECT_TRUE(two.note.empty());
    EXPECT_EQ(two.points.size(), 2u);
    EXPECT_EQ(Utf8(two.heading), "Az eddigi 2 játék eredménye");
}

TEST(Statistics, TheFirstFinishedGameOfTodaysBoardCountsAndLaterOnesArePractice)
{
    std::vector<FinishedGame> games = {
        Game(3000, 30, "KOALA", 35, CalendarDate{2026, 12, 8}),  // yesterday's board
        Game(5000, 40, "KOALA", 35),                             // an ordinary board today
    };
    StatisticsReport report = MakeStatistics(games, kToday);
    EXPECT_EQ(Utf8(report.todayHeading), "Mai napi tábla, 2026. 12. 09.");
    EXPECT_EQ(Utf8(report.todayScore), "Még nem játszottad végig. Ctrl+D indítja, Befejeztem (F8) zárja le.");
    EXPECT_TRUE(report.todayPractice.empty());
    EXPECT_TRUE(report.shareLine.empty());
    EXPECT_EQ(Utf8(report.shareNote), "Itt lesz a megosztható sor, ha befejezted a mai napi táblát.");

    games.push_back(Game(1234, 24, "KOALA", 35, kToday));
    games.push_back(Game(1500, 25, "KOALA", 35, kToday));
    games.push_back(Game(900, 12, "ALMA", 24, kToday));
    report = MakeStatistics(games, kToday);
    EXPECT_EQ(Utf8(report.todayScore), "Eredményed: 1 234 pont, 24 szó");
    EXPECT_EQ(Utf8(report.todayPractice), "Gyakorlás utána (nem számít): 1 500, 900 pont");
    EXPECT_EQ(Utf8(report.shareLine),
              "Vorpanta napi tábla, 2026. 12. 09.: 1 234 pont, 24 szó, legjobb szó: KOALA (35)");
    EXPECT_TRUE(report.shareNote.empty());

    // Many practice games are summed up.
    for (int i = 0; i < 5; ++i)
        games.push_back(Game(100 + i, 2, "LE", 6, kToday));
    EXPECT_EQ(Utf8(MakeStatistics(games, kToday).todayPractice),
              "Gyakorlás utána (nem számít): 7 játék, a legjobb 1 500 pont");

    // A board ended without a word shares no best word.
    EXPECT_EQ(Utf8(ShareLine(Game(0, 0, "", 0, kToday), kToday)), "Vorpanta napi tábla, 2026. 12. 09.: 0 pont, 0 szó");
}

}  // namespace
