#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/profile_file.h"

namespace {

struct ReadCase {
    const char* what;
    std::string text;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

TEST(ProfileFileRead, FindsValuesTheWayIniFilesAreWritten)
{
    const ReadCase cases[] = {
        {"names in another case", "[screen]\r\ntop=40\r\n", "Screen", "Top", "40"},
        {"accented names in another case", "[J\xC1T\xC9K]\r\nSZ\xC9P=1\r\n", "j\xE1t\xE9k", "sz\xE9p", "1"},
        {"blanks around name and value", "[ Screen ]\r\n  Left =\t 20  \r\n", "Screen", "Left", "20"},
        {"blanks inside a value stay", "[S]\r\nName= a  b \r\n", "S", "Name", "a  b"},
        {"one pair of double quotes goes", "[S]\r\nName=\" a b \"\r\n", "S", "Name", " a b "},
        {"one pair of single quotes goes", "[S]\r\nName='x'\r\n", "S", "Name", "x"},
        {"quotes that do not match stay", "[S]\r\nName=\"x'\r\n", "S", "Name", "\"x'"},
        {"a lone quote stays", "[S]\r\nName=\"\r\n", "S", "Name", "\""},
        {"value holding '='", "[S]\r\nKey=a=b\r\n", "S", "Key", "a=b"},
        {"empty value is text", "[Screen]\r\nLeft=\r\n", "Screen", "Left", ""},
        {"missing key", "[Screen]\r\nTop=1\r\n", "Screen", "Left", std::nullopt},
        {"missing section", "[Game]\r\nLeft=1\r\n", "Screen", "Left", std::nullopt},
        {"key of another section", "[Game]\r\nLeft=5\r\n[Screen]\r\nTop=1\r\n", "Screen", "Left", std::nullopt},
        {"key before any section", "Left=5\r\n[Screen]\r\n", "Screen", "Left", std::nullopt},
        {"commented-out key", "[Screen]\r\n;Left=5\r\n", "Screen", "Left", std::nullopt},
        {"key name is not a prefix", "[Screen]\r\nLeftover=5\r\n", "Screen", "Left", std::nullopt},
        {"header without ']'", "[Screen\r\nLeft=1\r\n", "Screen", "Left", std::nullopt},
        {"first of two equal keys", "[Screen]\r\nLeft=1\r\nLEFT=2\r\n", "Screen", "Left", "1"},
        {"only the first of two equal sections",
         "[Screen]\r\nTop=1\r\n[Game]\r\n[SCREEN]\r\nLeft=2\r\n", "Screen", "Left", std::nullopt},
        {"lone LF line ends", "[Screen]\nLeft=1\nTop=2\n", "Screen", "Top", "2"},
        {"lone CR line ends", "[Screen]\rLeft=1\rTop=2\r", "Screen", "Top", "2"},
        {"mixed line ends", "[Screen]\rLeft=1\nTop=2\r\n", "Screen", "Left", "1"},
        {"last line without line end", "[Screen]\r\nLeft=7", "Screen", "Left", "7"},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF[Screen]\r\nLeft=3\r\n", "Screen", "Left", "3"},
        {"empty file", "", "Screen", "Left", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ProfileFile(c.text).ReadString(c.section, c.key), c.expected);
    }
}

TEST(ProfileFileRead, CutsLongValuesTo2047Characters)
{
    const std::string exact(2047, 'x');
    EXPECT_EQ(ProfileFile("[S]\r\nK=" + exact + "\r\n").ReadString("S", "K"), exact);
    EXPECT_EQ(ProfileFile("[S]\r\nK=" + exact + "yz\r\n").ReadString("S", "K"), exact);
}

struct IntegerCase {
    std::string value;  // as it stands after "Left="
    std::optional<std::int32_t> expected;  // nothing: the default
};

TEST(ProfileFileReadInteger, ReadsTheIntegerFormsOfTheSettingsFile)
{
    constexpr std::int32_t kDefault = -7;
    const IntegerCase cases[] = {
        {"0x20", 32},
        {"0X1f", 31},
        {"0x00000000000020", 32},
        {"0x0", 0},
        {"0x", std::nullopt},
        {"0X", std::nullopt},
        {"0xg", std::nullopt},
        {"0x1g", std::nullopt},
        {"0x-5", std::nullopt},
        {"0x 5", std::nullopt},
        {"-0x10", std::nullopt},
        {"$1F", 31},
        {"$1f", 31},
        {"-$1F", -31},
        {"+$10", 16},
        {"$", std::nullopt},
        {"$G", std::nullopt},
        {"$-1", std::nullopt},
        {"-500", -500},
        {"+7", 7},
        {"007", 7},
        {"0", 0},
        {"  12  ", 12},
        {"\t12\t", 12},
        {"  0x10  ", 16},
        {"\"42\"", 42},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"- 5", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"--5", std::nullopt},
        {"1.5", std::nullopt},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0x7FFFFFFF", 2147483647},
        {"0x80000000", std::nullopt},
        {"0xFFFFFFFF", std::nullopt},
        {"0x1FFFFFFFFFFFFFFFFFFFF", std::nullopt},
        {"$7fffffff", 2147483647},
        {"$80000000", std::nullopt},
        {"-$80000000", INT32_MIN},
        {"-$80000001", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE("Left=" + c.value);
        const ProfileFile file("[Screen]\r\nLeft=" + c.value + "\r\n");
        EXPECT_EQ(file.ReadInteger("Screen", "Left", kDefault), c.expected.value_or(kDefault));
    }
    EXPECT_EQ(ProfileFile("[Screen]\r\n").ReadInteger("Screen", "Left", kDefault), kDefault);
}

TEST(ProfileFileReadInteger, ParserTakesLeadingBlanksButNotTrailingOnes)
{
    // The reader strips the blanks around a value; the parser on its own
    // accepts blanks in front only.
    EXPECT_EQ(ParseProfileInteger("  -5"), -5);
    EXPECT_EQ(ParseProfileInteger(" $10"), 16);
    EXPECT_EQ(ParseProfileInteger("5 "), std::nullopt);
    EXPECT_EQ(ParseProfileInteger(" 0x10"), std::nullopt);
}

struct WriteCase {
    const char* what;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST(ProfileFileWrite, ChangesOnlyTheLineItMust)
{
    const WriteCase cases[] = {
        {"value replaced in place, spelling and spacing kept",
         "[screen]\r\n  TOP = 40  \r\n", "Screen", "Top", "55",
         "[screen]\r\n  TOP = 55\r\n"},
        {"quoted value replaced", "[S]\r\nK=\"a\"\r\n", "S", "K", "b", "[S]\r\nK=b\r\n"},
        {"empty value filled", "[Screen]\r\nLeft=\r\n", "Screen", "Left", "5", "[Screen]\r\nLeft=5\r\n"},
        {"comments, unknown keys, blank lines, other sections and LF ends kept",
         "; J\xE1t\xE9k settings\n[Screen]\nLeft=1\nColour=blue\n\n; game\n[Game]\nHard=4\nExtra = x \n",
         "Screen", "Left", "-2",
         "; J\xE1t\xE9k settings\n[Screen]\nLeft=-2\nColour=blue\n\n; game\n[Game]\nHard=4\nExtra = x \n"},
        {"lone CR ends kept", "[Screen]\rLeft=1\r", "Screen", "Left", "2", "[Screen]\rLeft=2\r"},
        {"last line without line end stays so", "[Screen]\r\nLeft=1", "Screen", "Left", "2",
         "[Screen]\r\nLeft=2"},
        {"byte order mark kept", "\xEF\xBB\xBF[Screen]\r\nLeft=1\r\n", "Screen", "Left", "2",
         "\xEF\xBB\xBF[Screen]\r\nLeft=2\r\n"},
        {"only the first of two equal keys replaced", "[Screen]\r\nLeft=1\r\nLeft=2\r\n", "Screen", "Left", "5",
         "[Screen]\r\nLeft=5\r\nLeft=2\r\n"},
        {"missing key added after the section's last line, before its blank lines",
         "[Screen]\r\nLeft=1\r\n\r\n\r\n[Game]\r\nHard=4\r\n", "Screen", "Top", "9",
         "[Screen]\r\nLeft=1\r\nTop=9\r\n\r\n\r\n[Game]\r\nHard=4\r\n"},
        {"missing key added to a section with no lines", "[Screen]\r\n[Game]\r\n", "Screen", "Left", "5",
         "[Screen]\r\nLeft=5\r\n[Game]\r\n"},
        {"missing key added to the last section without line end", "[Screen]\nLeft=1", "Screen", "Top", "9",
         "[Screen]\nLeft=1\r\nTop=9\r\n"},
        {"commented-out key stays and the key is added", "[Screen]\r\n;Left=1\r\n", "Screen", "Left", "2",
         "[Screen]\r\n;Left=1\r\nLeft=2\r\n"},
        {"same key in another section untouched", "[Game]\r\nLeft=1\r\n[Screen]\r\nTop=1\r\n", "Screen", "Left",
         "5", "[Game]\r\nLeft=1\r\n[Screen]\r\nTop=1\r\nLeft=5\r\n"},
        {"missing section appended after a blank line", "[Screen]\r\nLeft=1\r\n", "Game", "Hard", "4",
         "[Screen]\r\nLeft=1\r\n\r\n[Game]\r\nHard=4\r\n"},
        {"no second blank line when the file ends in one", "[Screen]\r\nLeft=1\r\n\r\n", "Game", "Hard", "4",
         "[Screen]\r\nLeft=1\r\n\r\n[Game]\r\nHard=4\r\n"},
        {"missing section after a last line without line end", "x=y", "Game", "Hard", "4",
         "x=y\r\n\r\n[Game]\r\nHard=4\r\n"},
        {"section into an empty file", "", "Game", "Hard", "4", "[Game]\r\nHard=4\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProfileFile file(c.before);
        file.WriteString(c.section, c.key, c.value);
        EXPECT_EQ(file.Text(), c.after);
        EXPECT_EQ(file.ReadString(c.section, c.key), c.value);
    }
}

TEST(ProfileFileWrite, UntouchedFileComesBackByteForByte)
{
    const std::string texts[] = {
        "",
        "\r\n",
        "\xEF\xBB\xBF; only a comment",
        "[Screen]\rLeft=1\nTop=2\r\n\r\n  ; J\xE1t\xE9k\n[Game]\r\nHard=abc\r\n\n\r",
        "no section\r\n=\r\n[broken\r\n[Game]  trailing\r\n",
    };
    for (const std::string& text : texts)
        EXPECT_EQ(ProfileFile(text).Text(), text);
}

TEST(ProfileFileWrite, FileWrittenFromNothingHoldsScreenThenGame)
{
    ProfileFile file;
    file.WriteInteger("Screen", "Left", -500);
    file.WriteInteger("Screen", "Top", INT32_MIN);
    file.WriteInteger("Game", "Hard", 4);
    EXPECT_EQ(file.Text(), "[Screen]\r\nLeft=-500\r\nTop=-2147483648\r\n\r\n[Game]\r\nHard=4\r\n");

    const ProfileFile reread(file.Text());
    EXPECT_EQ(reread.ReadInteger("Screen", "Left", 0), -500);
    EXPECT_EQ(reread.ReadInteger("Screen", "Top", 0), INT32_MIN);
    EXPECT_EQ(reread.ReadInteger("Game", "Hard", 0), 4);
}

TEST(ProfileFileWrite, RewritingAKeyNeitherAddsNorMovesLines)
{
    ProfileFile file("[Screen]\r\nLeft=1\r\nTop=2\r\n");
    for (std::int32_t value : {2147483647, -1, 0})
        file.WriteInteger("SCREEN", "left", value);
    EXPECT_EQ(file.Text(), "[Screen]\r\nLeft=0\r\nTop=2\r\n");
}

}  // namespace
