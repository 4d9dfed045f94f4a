// Today's board: the letters follow from the local date alone, so two
// starts on the same day give the same board, reserve included, and two on
// different days different ones; the word line names the board.
#include <gtest/gtest.h>

#include "game/daily_board.h"
#include "game_fixture.h"

namespace {

using testing_support::GameFixture;
using testing_support::RecordingView;

constexpr LocalTime kDecember9{{2026, 12, 9}, 10, 30, 0};
constexpr LocalTime kDecember9Evening{{2026, 12, 9}, 23, 59, 59};
constexpr LocalTime kDecember10{{2026, 12, 10}, 0, 0, 1};

// Every letter of the board, the 240 reserve cells included, column by column.
std::string AllLetters(const Game& game)
{
    std::string letters;
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            letters += game.GetBoard().At(c, r).letter;
    return letters;
}

std::string ColumnLetters(const Game& game, int column, int firstRow = 1)
{
    std::string letters;
    for (int r = firstRow; r <= kRows; ++r)
        letters += game.GetBoard().At(column, r).letter;
    return cp1250::toUtf8(letters);
}

TEST(DailyBoard, TheSameDayGivesTheSameBoardAndAnotherDayAnother)
{
    FixedClock clock(kDecember9);
    RecordingView firstView;
    Game first(firstView, "/prog");
    first.SetClock(clock);
    first.CreateBoard();
    first.NewDailyGame();
    const std::string december9 = AllLetters(first);
    ASSERT_EQ(december9.size(), 330u);

    // Another start of the game later that day, after ordinary games in
    // between: the very same letters, the hidden reserve too.
    clock.Set(kDecember9Evening);
    RecordingView secondView;
    Game second(secondView, "/prog");
    second.SetClock(clock);
    second.CreateBoard();
    second.NewGame();
    second.NewGame();
    ASSERT_NE(AllLetters(second), december9);
    second.NewDailyGame();
    EXPECT_EQ(AllLetters(second), december9);
    // And the same tiles were shown, in the same order.
    EXPECT_EQ(std::vector(secondView.calls.end() - 90, secondView.calls.end()),
              std::vector(firstView.calls.end() - 90, firstView.calls.end()));

    // A second past midnight it is the next day's board.
    clock.Set(kDecember10);
    second.NewDailyGame();
    const std::string december10 = AllLetters(second);
    EXPECT_NE(december10, december9);
    int sameCells = 0;
    for (std::size_t i = 0; i < december9.size(); ++i)
        sameCells += december9[i] == december10[i];
    EXPECT_LT(sameCells, 66) << "two days' boards should differ nearly everywhere, not in a few cells";

    // Worked out by hand from the seeds 20261209 and 20261210: the first 33
    // draws fill column 1, top to bottom.
    EXPECT_EQ(ColumnLetters(first, 1), "LKESZMNNHSHOMNZHSÖEZOBMÁGRONÁOMKG");
    EXPECT_EQ(ColumnLetters(first, 10, kFirstVisibleRow), "ENCNÁKEBL");
    EXPECT_EQ(ColumnLetters(second, 1), "LFLTIEKTJJREGTEZEÁSHTADZLTJELTEER");
    EXPECT_EQ(DailySeed({2026, 12, 9}), 20261209u);
    EXPECT_EQ(DailySeed({1999, 1, 31}), 19990131u);
}

TEST(DailyBoard, AFixedSeedForTestsDoesNotChangeTheDay)
{
    FixedClock clock(kDecember9);
    RecordingView view;
    Game game(view, "/prog");
    game.SetClock(clock);
    game.Random().SetFixedSeed(1);
    game.CreateBoard();
    game.NewDailyGame();
    EXPECT_EQ(ColumnLetters(game, 1), "LKESZMNNHSHOMNZHSÖEZOBMÁGRONÁOMKG");
    // The next ordinary game is dealt from the generator's own seed again.
    game.NewGame();
    RecordingView otherView;
    Game ordinary(otherView, "/prog");
    ordinary.Random().SetFixedSeed(1);
    ordinary.CreateBoard();
    EXPECT_EQ(AllLetters(game), AllLetters(ordinary));
}

TEST(DailyBoard, TheWordLineNamesTheBoardWhileNoWordIsSpelled)
{
    GameFixture f("\"alma\"\r\n");
    FixedClock clock(kDecember9);
    f.game.SetClock(clock);
    f.game.NewDailyGame();
    ASSERT_TRUE(f.game.DailyBoard().has_value());
    EXPECT_EQ(cp1250::toUtf8(f.game.WordLine()), "Napi tábla, 2026. 12. 09.");
    EXPECT_EQ(f.view.calls.back(), "word Napi tábla, 2026. 12. 09.");
    EXPECT_EQ(f.view.spoken.back(), "Napi tábla, 2026. 12. 09.");  // said to a screen reader too
    EXPECT_EQ(f.game.ScoreLine(), "Eredm\xE9ny: 0 pont");

    // A word being spelled shows as always; taken off, the line names the
    // board again.
    f.SetColumn(1, 30, "ALMA");
    for (int r = 30; r <= 33; ++r)
        f.Click(1, r);
    EXPECT_EQ(f.game.WordLine(), "ALMA (24)");
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_EQ(f.game.TotalScore(), 24);
    EXPECT_EQ(cp1250::toUtf8(f.game.WordLine()), "Napi tábla, 2026. 12. 09.");
    // The line names no word: a release scores nothing, even when the list
    // knows the empty word (Ctrl+F7 with nothing spelled teaches it).
    f.game.AddLastWord();
    ASSERT_TRUE(f.game.IsKnownWord());
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_EQ(f.game.TotalScore(), 24);
    EXPECT_EQ(f.game.Taken().All().size(), 1u);

    // An ordinary game shows the empty word as before.
    f.game.NewGame();
    EXPECT_EQ(f.view.spoken.back(), "Új játék.");
    EXPECT_FALSE(f.game.DailyBoard().has_value());
    EXPECT_EQ(f.game.WordLine(), " (0)");
    EXPECT_EQ(HungarianDate({2027, 1, 2}), "2027. 01. 02.");
}

}  // namespace
