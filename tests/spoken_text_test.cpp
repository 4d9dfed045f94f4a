#include <gtest/gtest.h>

#include "game/spoken_text.h"
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

}  // namespace
