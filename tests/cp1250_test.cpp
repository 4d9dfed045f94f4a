#include <gtest/gtest.h>

#include "platform/cp1250.h"
#include "ui/qt_text.h"

namespace {

TEST(Cp1250, EveryByteSurvivesTheRoundTripThroughUnicode)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(cp1250::fromUtf8(cp1250::toUtf8(all)), all);
    EXPECT_EQ(FromQString(ToQString(all)), all);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(cp1250::fromUnicode(cp1250::toUnicode(static_cast<unsigned char>(b))), b) << b;
}

TEST(Cp1250, HungarianLettersMapToTheirCodePageBytes)
{
    EXPECT_EQ(cp1250::fromUtf8("ÁÉÍÓÖŐÚÜŰáéíóöőúüű"),
              "\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB");
    EXPECT_EQ(cp1250::toUtf8("\xD5\xDB\x8A\xA3"), "ŐŰŠŁ");
    EXPECT_EQ(ToQString("Eredm\xE9ny"), QString::fromUtf8("Eredmény"));
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(cp1250::fromUtf8("a€ж😀b"), "a\x80??b");
    EXPECT_EQ(FromQString(QString::fromUtf8("ж😀ő")), "??\xF5");
    EXPECT_EQ(cp1250::fromUtf8("\xC3"), "?");          // cut short
    EXPECT_EQ(cp1250::fromUtf8("\xFF" "a"), "?a");     // not UTF-8 at all
}

TEST(Cp1250, CaseFoldingCoversTheAccentedLetters)
{
    EXPECT_EQ(cp1250::toLower("ALMA\xC1\xC9\xD6\xDC\xD5\xDB\x8A"), "alma\xE1\xE9\xF6\xFC\xF5\xFB\x9A");
    EXPECT_EQ(cp1250::toUpper("\xE1\xF5\xFB\xDF"), "\xC1\xD5\xDB\xDF");  // ß has no capital here
    EXPECT_EQ(cp1250::toLower("\xD7"), "\xD7");                           // the multiplication sign
}

TEST(Cp1250, CompareIgnoresCaseButNotAccents)
{
    EXPECT_EQ(cp1250::compareNoCase("\"\xC1LMA\"", "\"\xE1lma\""), 0);
    EXPECT_NE(cp1250::compareNoCase("ALMA", "\xC1LMA"), 0);
    EXPECT_LT(cp1250::compareNoCase("a", "ab"), 0);
    EXPECT_LT(cp1250::compareNoCase("\t", " "), 0);
    EXPECT_LT(cp1250::compareNoCase(" ", "0"), 0);
    EXPECT_LT(cp1250::compareNoCase("9", "a"), 0);
    EXPECT_GT(cp1250::compareNoCase("\xE1", "Z"), 0);
    EXPECT_TRUE(cp1250::equalNoCase("K\xD6R", "k\xF6r"));
}

}  // namespace
