#include <gtest/gtest.h>

#include "game/keyboard_cursor.h"
#include "game_fixture.h"

namespace {

using testing_support::GameFixture;
using Calls = std::vector<std::string>;

class RecordingCursorView : public CursorView {
public:
    void ShowCursor(int column, int row) override
    {
        calls.push_back("cursor " + std::to_string(column) + " " + std::to_string(row));
    }
    void HideCursor() override { calls.push_back("hide cursor"); }
    Calls calls;
};

class KeyboardPlay : public ::testing::Test {
protected:
    // Column 3, rows 27..33: K A L A P O S; column 4, rows 30..33: É D E S.
    KeyboardPlay()
    {
        f.SetColumn(3, 27, "KALAPOS");
        f.SetColumn(4, 30, "ÉDES");
        f.SetColumn(1, 25, " ");
    }
    void Press(PlayKey key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            cursor.Press(key);
    }
    const Selection& S() const { return f.game.GetSelection(); }

    GameFixture f{"\"lap\"\r\n"};
    RecordingCursorView view;
    KeyboardCursor cursor{f.game, view};
};

TEST_F(KeyboardPlay, FirstArrowShowsTheCursorBottomLeftThenItMovesAndStopsAtTheEdges)
{
    EXPECT_FALSE(cursor.Shown());
    Press(PlayKey::Up);
    EXPECT_EQ(view.calls, (Calls{"cursor 1 33"})) << "the first key only shows it";
    Press(PlayKey::Left);
    Press(PlayKey::Down);
    EXPECT_EQ(view.calls, (Calls{"cursor 1 33", "cursor 1 33", "cursor 1 33"}));
    Press(PlayKey::Up, 12);
    Press(PlayKey::Right, 12);
    EXPECT_EQ(view.calls.back(), "cursor 10 25") << "stops at the top row and the last column";
    Press(PlayKey::Down, 2);
    Press(PlayKey::Left);
    EXPECT_EQ(view.calls.back(), "cursor 9 27");
    EXPECT_TRUE(f.view.calls.empty()) << "moving draws no tile";
}

TEST_F(KeyboardPlay, CursorAppearsOnTheLastSelectedCellAfterAMouseClickHidIt)
{
    Press(PlayKey::Up);
    f.Click(3, 29);  // the window hides the cursor on a mouse click
    cursor.Hide();
    EXPECT_FALSE(cursor.Shown());
    Press(PlayKey::Right);
    EXPECT_EQ(view.calls, (Calls{"cursor 1 33", "hide cursor", "cursor 3 29"}));

    // With no word (taken back) it starts at the bottom left again.
    cursor.Hide();
    f.Click(3, 29);
    Press(PlayKey::Down);
    EXPECT_EQ(view.calls.back(), "cursor 1 33");
}

TEST_F(KeyboardPlay, SpaceClicksTheTileUnderTheCursorBackspaceTakesBackEnterSubmits)
{
    EXPECT_FALSE(cursor.Press(PlayKey::Space)) << "no cursor, no click";
    EXPECT_FALSE(cursor.Press(PlayKey::Backspace)) << "no word, nothing to take back";
    EXPECT_TRUE(f.view.calls.empty());

    // P A L A up column 3, from row 31 to 28.
    Press(PlayKey::Right);
    Press(PlayKey::Right, 2);
    Press(PlayKey::Up, 2);  // (3, 31)
    ASSERT_EQ(cursor.Row(), 31);
    Press(PlayKey::Space);
    Press(PlayKey::Up);
    Press(PlayKey::Space);
    EXPECT_EQ(S().currentWord, "PA");
    Press(PlayKey::Space);
    EXPECT_EQ(S().currentWord, "P") << "Space on the last cell takes it back, as a click does";
    Press(PlayKey::Space);
    Press(PlayKey::Up);
    Press(PlayKey::Space);
    Press(PlayKey::Up);
    Press(PlayKey::Space);
    EXPECT_EQ(S().currentWord, "PALA");
    Press(PlayKey::Right);
    Press(PlayKey::Backspace);
    EXPECT_EQ(S().currentWord, "PAL") << "Backspace takes back the last letter wherever the cursor is";
    EXPECT_FALSE(f.game.GetBoard().At(3, 28).selected);

    // Enter with a word not in the list does nothing, as a right release.
    f.view.calls.clear();
    Press(PlayKey::Enter);
    EXPECT_TRUE(f.view.calls.empty());
    Press(PlayKey::Backspace, 3);
    EXPECT_EQ(f.game.WordLine(), " (0)");
    EXPECT_FALSE(cursor.Press(PlayKey::Backspace));

    // L A P down from row 29: a known word goes off the board.
    Press(PlayKey::Left);
    Press(PlayKey::Down);  // (3, 29)
    Press(PlayKey::Space);
    Press(PlayKey::Down);
    Press(PlayKey::Space);
    Press(PlayKey::Down);
    Press(PlayKey::Space);
    EXPECT_EQ(S().currentWord, "LAP");
    Press(PlayKey::Enter);
    EXPECT_EQ(f.game.TotalScore(), 12);
    EXPECT_TRUE(S().path.empty());
}

TEST_F(KeyboardPlay, SpaceOnAnEmptyCellOrAfterTheGameEndedDoesNothing)
{
    Press(PlayKey::Up, 10);  // (1, 25), empty
    ASSERT_EQ(cursor.Row(), 25);
    EXPECT_TRUE(cursor.Press(PlayKey::Space));
    EXPECT_TRUE(S().path.empty());
    EXPECT_TRUE(f.view.calls.empty());

    f.game.SetGameActive(false);
    Press(PlayKey::Down);
    Press(PlayKey::Space);
    Press(PlayKey::Enter);
    EXPECT_TRUE(S().path.empty());
    EXPECT_TRUE(f.view.calls.empty());
}

}  // namespace
