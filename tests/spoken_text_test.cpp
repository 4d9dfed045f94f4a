#include <gtest/gtest.h>

#include "game/spoken_text.h"
#include "game_fixture.h"
#include "platform/cp1250.h"

namespace {

std::string Utf8(const std::string& cp1250Text)
{
    return cp1250::toUtf8(cp1250Text);
}

TEST(SpokenText, TileNamesItsLetterPlaceAndSelection)
{
    EXPECT_EQ(Utf8(TileSpokenName('K', 3, 2, true)), "K, 3. oszlop, 2. sor, kijelölve");
    EXPECT_EQ(Utf8(TileSpokenName('\xC1', 10, 9, false)), "Á, 10. oszlop, 9. sor");
    EXPECT_EQ(Utf8(EmptyCellSpokenName(1, 1)), "üres, 1. oszlop, 1. sor");
}

TEST(SpokenText, RankedRowLeavesOutAlignmentBlanksAndABlankName)
{
    EXPECT_EQ(RankedRowSpokenName(1, "    12 345", "Anna"), "1. hely, 12 345 pont, Anna");
    EXPECT_EQ(RankedRowSpokenName(10, "        -5", " "), "10. hely, -5 pont");
    EXPECT_EQ(Utf8(RankedRowSpokenName(2, "0", cp1250::fromUtf8(" Gábor "))), "2. hely, 0 pont, Gábor");
}

TEST(SpokenText, TakenWordsAreNumberedLikeRankedRowsAndLinesReadAsOne)
{
    EXPECT_EQ(Utf8(TakenWordSpokenName(1, 35, "KOALA")), "1. szó, 35 pont, KOALA");
    EXPECT_EQ(Utf8(TakenWordSpokenName(12, 9, cp1250::fromUtf8("DÉL"))), "12. szó, 9 pont, DÉL");
    EXPECT_EQ(Utf8(OneLineSpokenText(cp1250::fromUtf8("A játék legjobb szava:\nALMA, 24 pont"))),
              "A játék legjobb szava: ALMA, 24 pont");
    EXPECT_EQ(OneLineSpokenText("a \r\nb\n"), "a b");
}

TEST(SpokenText, TheWordLineReadsItsWordOrNothing)
{
    EXPECT_EQ(WordLineSpokenText(" (0)"), "");
    EXPECT_EQ(WordLineSpokenText(""), "");
    EXPECT_EQ(WordLineSpokenText("KOALA (35)"), "KOALA (35)");
    EXPECT_EQ(WordLineSpokenText("A (1)"), "A (1)");
}

TEST(SpokenText, SentencesForWhatTheBoardDoesNotShow)
{
    EXPECT_EQ(Utf8(SpelledWordSpokenText("KOA", 21)), "KOA, 21 pont");
    EXPECT_EQ(Utf8(SpelledWordSpokenText("", 0)), "Nincs kijelölt betű.");
    EXPECT_EQ(Utf8(TakenWordSpokenText("KOALA", 35, cp1250::fromUtf8("Eredmény: 70 pont"))),
              "KOALA, 35 pont. Eredmény: 70 pont.");
    EXPECT_EQ(Utf8(RefusedWordSpokenText(cp1250::fromUtf8("KÖRT"))), "Ezt a szót nem ismerem: KÖRT.");
    EXPECT_EQ(Utf8(RefusedWordSpokenText("")), "Nincs kijelölt szó.");
    EXPECT_EQ(Utf8(TaughtWordSpokenText("KOAL", false)), "Megtanultam ezt a szót: KOAL.");
    EXPECT_EQ(Utf8(TaughtWordSpokenText("KOALA", true)), "Ezt a szót már ismerem: KOALA.");
    EXPECT_EQ(Utf8(TaughtWordSpokenText("", false)), "Megtanultam az üres szót.");
    EXPECT_EQ(Utf8(EndOfGameSpokenText(1234, 3)), "Vége a játéknak: 1234 pont, 3. hely. Írd be a neved, majd nyomj Entert.");
    EXPECT_EQ(Utf8(EndOfGameSpokenText(0, 0)), "Vége a játéknak: 0 pont. Ez most nem fért be a legjobb tíz közé.");
}

// What the game says, in order, as the player spells, submits and teaches.
TEST(SpokenText, TheGameSaysEachPickEachSubmissionAndEachWordTaught)
{
    testing_support::GameFixture f("\"alma\"\r\n");
    f.SetColumn(3, 30, "ALMA");
    for (int row = 30; row <= 33; ++row)
        f.Click(3, row);
    f.Click(3, 33);  // takes the last letter back
    f.game.SubmitWord(MouseButton::Left);   // the release of a click says nothing
    f.game.SubmitWord(MouseButton::Right);  // ALM is not known
    f.game.AddLastWord();
    f.game.AddLastWord();
    f.Click(3, 33);
    f.game.SubmitWord(MouseButton::Right);  // ALMA
    f.game.SubmitWord(MouseButton::Right);  // nothing left
    f.game.SetGameActive(false);
    f.game.SubmitWord(MouseButton::Right);
    f.game.NewGame();
    const std::vector<std::string> expected = {
        "A, 1 pont",
        "AL, 6 pont",
        "ALM, 15 pont",
        "ALMA, 24 pont",
        "ALM, 15 pont",
        "Ezt a szót nem ismerem: ALM.",
        "Megtanultam ezt a szót: ALM.",
        "Ezt a szót már ismerem: ALM.",
        "ALMA, 24 pont",
        "ALMA, 24 pont. Eredmény: 24 pont.",
        "Nincs kijelölt szó.",
        "Ennek a játéknak vége. Új játék: Ctrl+N.",
        "Új játék.",
    };
    EXPECT_EQ(f.view.spoken, expected);
}

}  // namespace
