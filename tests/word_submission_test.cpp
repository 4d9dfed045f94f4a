#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game_fixture.h"
#include "platform/app_error.h"

namespace {

using testing_support::GameFixture;
using Calls = std::vector<std::string>;

// Every visible tile shows exactly when its cell holds a letter, and nothing
// is selected.
void ExpectBoardAtRest(const Game& game)
{
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r) {
            EXPECT_FALSE(game.GetBoard().At(c, r).selected) << c << ";" << r;
            if (Board::IsVisibleRow(r)) {
                EXPECT_EQ(game.GetBoard().TileShown(c, r), game.GetBoard().At(c, r).letter != kBlank)
                    << c << ";" << r;
            }
        }
}

// Spells and submits "SZ" in the bottom row (8 points), leaving a game in
// progress with a score.
void ScoreSzInTheBottomRow(GameFixture& f)
{
    f.SetColumn(2, 25, "        S");
    f.SetColumn(3, 33, "Z");
    f.Click(2, 33);
    f.Click(3, 33);
    f.game.SubmitWord(MouseButton::Right);
}

TEST(WordSubmission, VerticalWordFallsThreeRowsInThreeAnimatedPasses)
{
    GameFixture f("\"lma\"\r\n");
    // Column 3 has no reserve: rows 25..33 are E S T E K A L M A.
    f.SetColumn(3, 25, "ESTEKALMA");
    f.Click(3, 31);
    f.Click(3, 32);
    f.Click(3, 33);
    f.view.Take();

    f.game.SubmitWord(MouseButton::Right);
    const Calls expected = {
        "score Eredm\xC3\xA9ny: 15 pont",
        // Pass 1: every letter above the gap moves down one row, the lowest
        // first. Row 31 is still marked selected, so it briefly shows the
        // selected picture.
        "slide 3 30", "show 3 31 aA", "slide 3 29", "show 3 30 nK", "slide 3 28", "show 3 29 nE",
        "slide 3 27", "show 3 28 nT", "slide 3 26", "show 3 27 nS", "slide 3 25", "show 3 26 nE",
        // Pass 2.
        "slide 3 31", "show 3 32 aA", "slide 3 30", "show 3 31 aK", "slide 3 29", "show 3 30 nE",
        "slide 3 28", "show 3 29 nT", "slide 3 27", "show 3 28 nS", "slide 3 26", "show 3 27 nE",
        // Pass 3.
        "slide 3 32", "show 3 33 aA", "slide 3 31", "show 3 32 aK", "slide 3 30", "show 3 31 aE",
        "slide 3 29", "show 3 30 nT", "slide 3 28", "show 3 29 nS", "slide 3 27", "show 3 28 nE",
        // The word's cells lose their marks, column by column.
        "show 3 31 nE", "show 3 32 nK", "show 3 33 nA",
        "word  (0)",
    };
    EXPECT_EQ(f.view.Take(), expected);
    // Each slide shows the letter that falls in its normal picture, also
    // where the tile still showed a cell of the word.
    const Calls slid = {"3 30 nA", "3 29 nK", "3 28 nE", "3 27 nT", "3 26 nS", "3 25 nE",
                        "3 31 nA", "3 30 nK", "3 29 nE", "3 28 nT", "3 27 nS", "3 26 nE",
                        "3 32 nA", "3 31 nK", "3 30 nE", "3 29 nT", "3 28 nS", "3 27 nE"};
    EXPECT_EQ(f.view.slidePictures, slid);
    EXPECT_EQ(f.Column(3, 25), "   ESTEKA");
    EXPECT_EQ(f.game.TotalScore(), 15);
    EXPECT_EQ(f.game.ScoreLine(), "Eredm\xE9ny: 15 pont");
    EXPECT_TRUE(f.game.GetSelection().path.empty());
    EXPECT_EQ(f.game.GetSelection().lastWord, "");
    EXPECT_EQ(f.game.GetSelection().lastRow, 33) << "the last cell is left as it was";
    ExpectBoardAtRest(f.game);
}

TEST(WordSubmission, ALetterFallingFromTheReserveIntoRow25ComesIntoViewWithoutASlide)
{
    GameFixture f("\"a\"\r\n");
    f.SetColumn(5, 24, "ZBCDEFGHIA");  // row 24 is the last letter of the reserve
    f.Click(5, 33);
    f.view.Take();
    f.game.SubmitWord(MouseButton::Right);
    const Calls expected = {
        "score Eredm\xC3\xA9ny: 1 pont",
        "slide 5 32", "show 5 33 aI", "slide 5 31", "show 5 32 nH", "slide 5 30", "show 5 31 nG",
        "slide 5 29", "show 5 30 nF", "slide 5 28", "show 5 29 nE", "slide 5 27", "show 5 28 nD",
        "slide 5 26", "show 5 27 nC", "slide 5 25", "show 5 26 nB",
        // Z moved from row 24 into the hidden tile of row 25.
        "show 5 25 nZ",
        "show 5 33 nI",
        "word  (0)",
    };
    EXPECT_EQ(f.view.Take(), expected);
    EXPECT_EQ(f.Column(5, 24), " ZBCDEFGHI");
    ExpectBoardAtRest(f.game);
}

TEST(WordSubmission, AReserveLetterThatStaysInRow25ShowsWhenTheWordIsCleared)
{
    GameFixture f("\"a\"\r\n");
    f.SetColumn(6, 24, "ZA");  // Z is the last reserve letter; A in row 25 is the word
    f.Click(6, 25);
    f.view.Take();
    f.game.SubmitWord(MouseButton::Right);
    // Z moves into row 25 silently; the tile there still shows the selected
    // A until the word's cells are redrawn.
    EXPECT_EQ(f.view.Take(), (Calls{"score Eredm\xC3\xA9ny: 1 pont", "show 6 25 nZ", "word  (0)"}));
    EXPECT_EQ(f.Column(6, 24).substr(0, 2), " Z");
    ExpectBoardAtRest(f.game);
}

TEST(WordSubmission, AReserveLetterPassingThroughRow25SlidesOnFromThere)
{
    GameFixture f("\"ab\"\r\n");
    f.SetColumn(6, 24, "ZAB");
    f.Click(6, 25);
    f.Click(6, 26);
    f.view.Take();
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_EQ(f.view.Take(), (Calls{"score Eredm\xC3\xA9ny: 8 pont",
                                    // Pass 1 moves Z from row 24 into 25 without a
                                    // slide; pass 2 slides it on into row 26.
                                    "slide 6 25", "show 6 26 aZ",
                                    // The word's cells: row 25 is empty now.
                                    "hide 6 25", "show 6 26 nZ", "word  (0)"}));
    // The tile of row 25 still showed the selected A; it slides showing Z.
    EXPECT_EQ(f.view.slidePictures, (Calls{"6 25 nZ"}));
    EXPECT_EQ(f.Column(6, 24).substr(0, 3), "  Z");
    ExpectBoardAtRest(f.game);
}

TEST(WordSubmission, AWordInTheBottomRowOfAnEmptiedColumnLeavesBlanksOnTop)
{
    GameFixture f("\"sz\"\r\n");
    f.SetColumn(2, 25, "ABCDEFGHS");
    f.SetColumn(3, 25, "ABCDEFGHZ");
    f.Click(2, 33);
    f.Click(3, 33);
    f.view.Take();
    f.game.SubmitWord(MouseButton::Right);
    // One pass moves each column down a row, the lowest letter first; the
    // top tile slides away and nothing comes in after it.
    const Calls expected = {
        "score Eredm\xC3\xA9ny: 8 pont",
        "slide 2 32", "show 2 33 aH", "slide 2 31", "show 2 32 nG", "slide 2 30", "show 2 31 nF",
        "slide 2 29", "show 2 30 nE", "slide 2 28", "show 2 29 nD", "slide 2 27", "show 2 28 nC",
        "slide 2 26", "show 2 27 nB", "slide 2 25", "show 2 26 nA",
        "slide 3 32", "show 3 33 aH", "slide 3 31", "show 3 32 nG", "slide 3 30", "show 3 31 nF",
        "slide 3 29", "show 3 30 nE", "slide 3 28", "show 3 29 nD", "slide 3 27", "show 3 28 nC",
        "slide 3 26", "show 3 27 nB", "slide 3 25", "show 3 26 nA",
        "show 2 33 nH", "show 3 33 nH",
        "word  (0)",
    };
    EXPECT_EQ(f.view.Take(), expected);
    EXPECT_EQ(f.Column(2, 25), " ABCDEFGH");
    EXPECT_EQ(f.Column(3, 25), " ABCDEFGH");
    EXPECT_EQ(f.game.TotalScore(), 8);
    EXPECT_FALSE(f.game.GetBoard().TileShown(2, 25));
    EXPECT_FALSE(f.game.GetBoard().TileShown(3, 25));
    ExpectBoardAtRest(f.game);
}

TEST(WordSubmission, UnknownWordsOtherButtonsAndStoppedGamesDoNothing)
{
    GameFixture f("\"alma\"\r\n");
    f.SetColumn(3, 30, "ALMA");
    for (int row = 30; row <= 33; ++row)
        f.Click(3, row);
    f.view.Take();
    f.game.SubmitWord(MouseButton::Left);
    f.game.SubmitWord(MouseButton::Middle);
    f.game.SetGameActive(false);
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_TRUE(f.view.Take().empty());
    EXPECT_EQ(f.game.GetSelection().path.size(), 4u);

    f.game.SetGameActive(true);
    f.Click(3, 33);  // take back: ALM is not known
    f.view.Take();
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_TRUE(f.view.Take().empty());
    EXPECT_EQ(f.game.TotalScore(), 0);
}

TEST(WordSubmission, KnownWordsMatchIgnoringCaseButOnlyBetweenQuotes)
{
    GameFixture f("\"k\xC3\xB6r\"\r\nALMA\r\n \"s\xC3\xA1s\"\r\n");
    f.SetColumn(3, 31, "KÖR");
    f.SetColumn(4, 30, "ALMA");
    f.SetColumn(5, 31, "SÁS");
    f.Click(3, 31);
    f.Click(3, 32);
    f.Click(3, 33);
    EXPECT_TRUE(f.game.IsKnownWord());
    for (int row = 30; row <= 33; ++row)
        f.Click(4, row);
    EXPECT_FALSE(f.game.IsKnownWord()) << "a line without quotes never matches";
    for (int row = 31; row <= 33; ++row)
        f.Click(5, row);
    EXPECT_FALSE(f.game.IsKnownWord()) << "a blank before the quote never matches";
}

TEST(WordSubmission, ScoresAddUpOverAGame)
{
    GameFixture f("\"alma\"\r\n\"k\xC3\xB6r\"\r\n");
    f.SetColumn(3, 30, "ALMA");
    f.SetColumn(4, 31, "KÖR");
    for (int row = 30; row <= 33; ++row)
        f.Click(3, row);
    f.game.SubmitWord(MouseButton::Right);
    for (int row = 31; row <= 33; ++row)
        f.Click(4, row);
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_EQ(f.game.TotalScore(), 42);
    EXPECT_EQ(f.view.calls.back(), "word  (0)");
    EXPECT_EQ(f.game.ScoreLine(), "Eredm\xE9ny: 42 pont");
}

TEST(WordSubmission, ATwentyLetterWordIsKnownAndScoredInFull)
{
    // Along the bottom two rows: right along row 32, back along row 33.
    const std::string word = cp1250::fromUtf8("ELLENÁLLHATATLANSÁGA");
    ASSERT_EQ(word.size(), 20u);
    GameFixture f("\"ellen\xC3\xA1llhatatlans\xC3\xA1ga\"\r\n");
    for (int c = 1; c <= 10; ++c)
        f.SetColumn(c, 32, cp1250::toUtf8(std::string{word[c - 1], word[20 - c]}));
    for (int c = 1; c <= 10; ++c)
        f.Click(c, 32);
    for (int c = 10; c >= 1; --c)
        f.Click(c, 33);
    EXPECT_EQ(f.game.GetSelection().lastWord, word);
    EXPECT_EQ(f.game.WordLine(), word + " (660)");  // (1+2+2+1+2+1+2+2+2+1+2+1+2+2+1+2+2+1+3+1) x 20
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_EQ(f.game.TotalScore(), 660);
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(f.Column(c, 25).substr(0, 2), "  ") << "column " << c << ": two letters taken, none above";
}

TEST(WordSubmission, AnEmptyEntryMakesASubmissionWithNothingSelectedWorthNothing)
{
    GameFixture f("\"alma\"\r\n");
    f.SetColumn(3, 30, "ALMA");
    for (int row = 30; row <= 33; ++row)
        f.Click(3, row);
    f.game.SubmitWord(MouseButton::Right);
    f.view.Take();
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_TRUE(f.view.Take().empty()) << "the empty word is not known yet";

    f.game.AddLastWord();  // teaches the entry of two quotes
    EXPECT_TRUE(f.view.Take().empty()) << "Szóhozzá shows nothing";
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_EQ(f.view.Take(), (Calls{"score Eredm\xC3\xA9ny: 24 pont", "word  (0)"}));
    EXPECT_EQ(f.game.TotalScore(), 24);
}

TEST(NewGame, RefillsEveryCellAndResetsScoreAndSelection)
{
    GameFixture f("\"sz\"\r\n");
    ScoreSzInTheBottomRow(f);
    f.Click(3, 33);
    f.game.SetGameActive(false);
    f.view.Take();

    f.game.NewGame();
    EXPECT_TRUE(f.game.GameActive());
    EXPECT_EQ(f.game.TotalScore(), 0);
    EXPECT_TRUE(f.game.GetSelection().path.empty());
    EXPECT_EQ(f.game.GetSelection().lastWord, "");
    EXPECT_EQ(f.game.WordLine(), " (0)");
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            EXPECT_NE(f.game.GetBoard().At(c, r).letter, kBlank);
    ExpectBoardAtRest(f.game);
    const Calls calls = f.view.Take();
    ASSERT_EQ(calls.size(), 92u);
    for (int i = 0; i < 90; ++i)
        EXPECT_EQ(calls[i].substr(0, 5), "show ") << "every tile is shown with a normal picture";
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_EQ(f.game.TotalScore(), 0) << "nothing selected, nothing scored";
}


TEST(WordSubmission, APictureThatCannotBeDrawnStopsTheDropButTheWordNeverScoresTwice)
{
    GameFixture f("\"lma\"\r\n");
    f.SetColumn(3, 25, "ESTEKALMA");
    f.Click(3, 31);
    f.Click(3, 32);
    f.Click(3, 33);
    // The picture of the first letter to fall is gone from the disk.
    f.view.failingPicture = "aA";
    EXPECT_ANY_THROW(f.game.SubmitWord(MouseButton::Right));
    EXPECT_EQ(f.game.TotalScore(), 15);
    EXPECT_EQ(f.game.GetSelection().lastWord, "");
    EXPECT_EQ(f.game.WordLine(), " (0)");

    f.view.failingPicture.clear();
    f.game.SubmitWord(MouseButton::Right);
    EXPECT_EQ(f.game.TotalScore(), 15) << "the same word scored again";
}


TEST(NewGame, APictureThatCannotBeDrawnStopsTheDealAtThatCell)
{
    GameFixture f("\"sz\"\r\n");
    ScoreSzInTheBottomRow(f);
    ASSERT_EQ(f.game.TotalScore(), 8);
    // The same seed deals the same board: find the first picture the deal
    // draws that it has not drawn before, and take that picture away.
    GameFixture twin;
    twin.game.NewGame();
    const Calls dealt = twin.view.Take();
    const auto pictureOf = [](const std::string& call) { return call.substr(call.rfind(' ') + 1); };
    std::size_t stop = 1;
    while (stop < dealt.size() &&
           std::any_of(dealt.begin(), dealt.begin() + stop,
                       [&](const std::string& earlier) { return pictureOf(earlier) == pictureOf(dealt[stop]); }))
        ++stop;
    ASSERT_LT(stop, 90u);
    f.view.failingPicture = pictureOf(dealt[stop]);
    f.view.Take();

    EXPECT_THROW(f.game.NewGame(), AppError);
    const Calls calls = f.view.Take();
    EXPECT_EQ(calls, Calls(dealt.begin(), dealt.begin() + static_cast<std::ptrdiff_t>(stop)))
        << "the deal stops at the cell it cannot draw";
    EXPECT_EQ(f.game.TotalScore(), 8) << "the steps after the deal did not run";
    EXPECT_TRUE(f.game.GameActive());
}

}  // namespace
