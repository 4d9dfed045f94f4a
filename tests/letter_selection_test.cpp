#include <gtest/gtest.h>

#include "game_fixture.h"

namespace {

using testing_support::GameFixture;
using Calls = std::vector<std::string>;
using Path = std::vector<std::string>;

class LetterSelection : public ::testing::Test {
protected:
    LetterSelection() { Lay(); }
    // Column 3, rows 27..33: K A L A P O S; column 4, rows 30..33: É D E S.
    void Lay()
    {
        f.SetColumn(3, 27, "KALAPOS");
        f.SetColumn(4, 30, "ÉDES");
    }
    const Selection& S() const { return f.game.GetSelection(); }
    GameFixture f;
};

TEST_F(LetterSelection, FirstClickSelectsTheTileAlone)
{
    EXPECT_EQ(f.game.WordLine(), "") << "no text before the first click";
    f.Click(3, 28);
    EXPECT_EQ(f.view.Take(), (Calls{"show 3 28 aA", "word A (1)"}));
    EXPECT_EQ(S().path, Path{"3;28"});
    EXPECT_EQ(S().lastCol, 3);
    EXPECT_EQ(S().lastRow, 28);
    EXPECT_EQ(S().lastWord, "A");
    EXPECT_TRUE(f.game.GetBoard().At(3, 28).selected);
}

TEST_F(LetterSelection, NeighboursExtendAndRepeatedClicksOnTheLastCellWalkBack)
{
    for (int row = 28; row <= 31; ++row)
        f.Click(3, row);
    EXPECT_EQ(f.view.Take(), (Calls{"show 3 28 aA", "word A (1)", "show 3 29 aL", "word AL (6)", "show 3 30 aA",
                                    "word ALA (12)", "show 3 31 aP", "word ALAP (20)"}));
    EXPECT_EQ(S().path, (Path{"3;28", "3;29", "3;30", "3;31"}));
    EXPECT_EQ(S().lastWord, "ALAP");

    f.Click(3, 31);
    EXPECT_EQ(S().lastRow, 30);
    f.Click(3, 30);
    f.Click(3, 29);
    f.Click(3, 28);
    EXPECT_EQ(f.view.Take(), (Calls{"show 3 31 nP", "word ALA (12)", "show 3 30 nA", "word AL (6)", "show 3 29 nL",
                                    "word A (1)", "show 3 28 nA", "word  (0)"}));
    EXPECT_TRUE(S().path.empty());
    EXPECT_EQ(S().lastCol, 0);
    EXPECT_EQ(S().lastRow, 0);
    EXPECT_EQ(S().lastWord, "");

    // With no last cell, the next click anywhere starts a new word.
    f.Click(3, 29);
    EXPECT_EQ(f.view.Take(), (Calls{"show 3 29 aL", "word L (2)"}));
}

TEST_F(LetterSelection, TwoClicksOnOneTileSelectAndTakeBack)
{
    f.Click(4, 31);
    f.Click(4, 31);
    EXPECT_EQ(f.view.Take(), (Calls{"show 4 31 aD", "word D (4)", "show 4 31 nD", "word  (0)"}));
    EXPECT_FALSE(f.game.GetBoard().At(4, 31).selected);
}

TEST_F(LetterSelection, ASelectedNeighbourOfTheLastCellChangesNothing)
{
    f.Click(3, 30);
    f.Click(4, 30);
    f.Click(4, 31);
    f.view.Take();
    f.Click(4, 30);  // the cell before the last
    f.Click(3, 30);  // not next to the last cell: a restart, see below
    EXPECT_EQ(f.view.Take(), (Calls{"show 3 30 nA", "show 4 30 n\xC3\x89", "show 4 31 nD", "show 3 30 aA", "word A (1)"}));

    f.Click(3, 31);
    f.Click(4, 31);
    f.Click(4, 30);
    f.view.Take();
    f.Click(3, 30);  // selected, next to the last cell (4, 30): ignored
    EXPECT_TRUE(f.view.Take().empty());
    EXPECT_EQ(S().path, (Path{"3;30", "3;31", "4;31", "4;30"}));
    EXPECT_EQ(S().lastWord, "APD\xC9");
}

TEST_F(LetterSelection, DiagonalOrDistantTilesRestartTheWord)
{
    f.Click(3, 28);
    f.Click(3, 29);
    f.view.Take();
    f.Click(4, 30);  // diagonal to (3, 29)
    EXPECT_EQ(f.view.Take(), (Calls{"show 3 28 nA", "show 3 29 nL", "show 4 30 a\xC3\x89", "word \xC3\x89 (1)"}));
    EXPECT_EQ(S().path, Path{"4;30"});
    f.Click(3, 33);  // far away
    EXPECT_EQ(f.view.Take(), (Calls{"show 4 30 n\xC3\x89", "show 3 33 aS", "word S (2)"}));
}

TEST_F(LetterSelection, RestartOntoACellOfThePathStartsThere)
{
    f.Click(3, 28);
    f.Click(3, 29);
    f.Click(3, 30);
    f.view.Take();
    f.Click(3, 28);
    EXPECT_EQ(f.view.Take(),
              (Calls{"show 3 28 nA", "show 3 29 nL", "show 3 30 nA", "show 3 28 aA", "word A (1)"}));
    EXPECT_EQ(S().path, Path{"3;28"});
}

TEST_F(LetterSelection, AfterNewGameTheLeftOverLastCellStartsOrNeighboursTheNextWord)
{
    f.Click(3, 28);
    f.Click(3, 29);
    f.view.Take();
    f.game.NewGame();
    const Calls newGame = f.view.Take();
    ASSERT_EQ(newGame.size(), 92u);
    EXPECT_EQ(newGame[90], "score Eredm\xC3\xA9ny: 0 pont");
    EXPECT_EQ(newGame[91], "word  (0)");
    EXPECT_EQ(S().lastRow, 29) << "NewGame leaves the last cell as it was";
    Lay();

    // Next to the old last cell: a word of one letter.
    f.Click(3, 30);
    EXPECT_EQ(f.view.Take(), (Calls{"show 3 30 aA", "word A (1)"}));
    EXPECT_EQ(S().path, Path{"3;30"});
    f.Click(3, 31);
    f.Click(3, 31);
    EXPECT_EQ(S().lastRow, 30) << "a take-back makes the first tile the last cell again";

    f.game.NewGame();
    Lay();
    f.view.Take();
    f.Click(3, 30);  // the left-over last cell itself, now unselected
    EXPECT_EQ(f.view.Take(), (Calls{"show 3 30 aA", "word A (1)"}));
    EXPECT_EQ(S().path, Path{"3;30"});
}

TEST_F(LetterSelection, ClicksAreIgnoredWhileNoGameIsActive)
{
    f.Click(3, 28);
    f.view.Take();
    f.game.SetGameActive(false);
    f.Click(3, 29);
    f.Click(3, 28);
    f.Click(4, 33);
    EXPECT_TRUE(f.view.Take().empty());
    EXPECT_EQ(S().path, Path{"3;28"});
}

TEST_F(LetterSelection, NamesThatAreNoVisibleTileAreIgnored)
{
    for (const char* name : {"i3i24", "i0i30", "i11i30", "i3i34", "x", "", "i3", "iXiY"})
        f.game.Image1Click(name);
    f.SetColumn(5, 33, " ");
    f.Click(5, 33);  // an empty cell's tile is hidden
    EXPECT_TRUE(f.view.Take().empty());
    EXPECT_TRUE(S().path.empty());
}

}  // namespace
