#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "game/top_ten_table.h"
#include "platform/app_error.h"
#include "platform/cp1250.h"
#include "test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::vector<std::string> LinesOf(const TopTenTable& table)
{
    return table.Lines();
}

// Reads the table at `path` as an ordinary user (root reads any file) and
// returns the error's text, or "" when the reading succeeded.
std::string ReadAsOrdinaryUser(const std::string& path)
{
    const bool root = ::geteuid() == 0;
    if (root && ::seteuid(65534) != 0)
        return "<could not become an ordinary user>";
    std::string message;
    try {
        ReadTopTenFile(path);
    } catch (const AppError& e) {
        message = e.what();
    }
    if (root) {
        EXPECT_EQ(::seteuid(0), 0);
    }
    return message;
}

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TopTenTable TableOf(std::vector<std::string> lines)
{
    TopTenTable table;
    for (std::string& line : lines)
        table.Append(std::move(line));
    return table;
}

TEST(TopTenScoreText, GroupsDigitsByThreeAndPadsToTenBytes)
{
    const struct {
        std::int32_t score;
        const char* text;
    } cases[] = {
        {0, "         0"},
        {7, "         7"},
        {500, "       500"},
        {999, "       999"},
        {1000, "     1 000"},
        {10005, "    10 005"},
        {123456, "   123 456"},
        {1000000, " 1 000 000"},
        {12345678, "12 345 678"},
        // From nine digits on the text is longer than ten bytes and uncut.
        {123456789, "123 456 789"},
        // Digits past the ninth join the leftmost group.
        {1234567890, "1234 567 890"},
        {kMax, "2147 483 647"},
        {-1, "        -1"},
        {-1000, "    -1 000"},
        {kMin, "-2147 483 648"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.score);
        EXPECT_EQ(ScoreText(c.score), c.text);
    }
}

TEST(TopTenScoreKey, IsNinetyNineThousandNineHundredNinetyNineMinusTheScoreWrapping)
{
    const struct {
        std::int32_t score;
        const char* key;
    } cases[] = {
        {0, "99999"},
        {500, "99499"},
        {90000, "9999"},
        {99999, "0"},
        {100000, "-1"},
        {1234567, "-1134568"},
        {-1, "100000"},
        {kMax, "-2147383648"},
        // 99999 - INT32_MIN does not fit: it wraps like two's complement.
        {kMin, "-2147383649"},
        {kMin + 100000, "2147483647"},
        {kMin + 99999, "-2147483648"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.score);
        EXPECT_EQ(ScoreKey(c.score), c.key);
    }
}

TEST(TopTenLines, MadeUpLinesAreByteExact)
{
    EXPECT_EQ(TopTenDefaultLine(0), "99999\t     1 0000\tGurdala");
    EXPECT_EQ(TopTenDefaultLine(9), "99999\t     1 0009\tGurdala");
    EXPECT_EQ(TopTenFillerLine(), "99999\t     1 000\tGurdala");
    EXPECT_EQ(TopTenNewLine(500), "99499\t       500\t ");
    EXPECT_EQ(TopTenNewLine(0), "99999\t         0\t ");
    EXPECT_EQ(TopTenLine(12345678, "Zsofi"), "-12245679\t12 345 678\tZsofi");

    TopTenTable defaults;
    defaults.SetDefaults();
    ASSERT_EQ(defaults.Count(), 10);
    for (int d = 0; d < 10; ++d) {
        EXPECT_EQ(defaults.Line(d), TopTenDefaultLine(d));
        EXPECT_EQ(defaults.ScoreTextAt(d), "     1 000" + std::to_string(d));
        EXPECT_EQ(defaults.NameAt(d), "Gurdala");
    }
}

TEST(TopTenReading, SplitsLinesAtEveryKindOfLineEnd)
{
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"empty line in the middle", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"last line without line end", "a\r\nb", {"a", "b"}},
        {"NUL ends the text", std::string("a\r\nb\0c\r\nd\r\n", 11), {"a", "b"}},
        {"NUL at the start", std::string("\0a\r\n", 4), {}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TopTenTable table;
        table.SetText(c.text);
        EXPECT_EQ(LinesOf(table), c.lines);
    }
}

TEST(TopTenReading, LinesWithMissingFieldsShowEmptyTexts)
{
    TopTenTable table = TableOf({"", "12\t  x", "k\ts\tname\textra"});
    EXPECT_EQ(table.ScoreTextAt(0), "");
    EXPECT_EQ(table.NameAt(0), "");
    EXPECT_EQ(table.ScoreTextAt(1), "  x");
    EXPECT_EQ(table.NameAt(1), "");
    EXPECT_EQ(table.NameAt(2), "name");
}

TEST(TopTenReading, FillsShortTablesWithFillerLinesOnly)
{
    TopTenTable table = TableOf({"a", "b"});
    table.FillUp();
    ASSERT_EQ(table.Count(), 10);
    EXPECT_EQ(table.Line(0), "a");
    EXPECT_EQ(table.Line(1), "b");
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(table.Line(i), TopTenFillerLine());

    std::vector<std::string> twelve(12, "x");
    TopTenTable full = TableOf(twelve);
    full.FillUp();
    EXPECT_EQ(full.Count(), 12);
}

// The table as it stands after a game ended: file lines (or the defaults),
// fillers, the new line, sorted.
TopTenTable AfterGame(const std::vector<std::string>* fileLines, std::int32_t score)
{
    TopTenTable table;
    if (fileLines)
        table = TableOf(*fileLines);
    else
        table.SetDefaults();
    table.FillUp();
    table.Append(TopTenNewLine(score));
    table.Sort();
    return table;
}

TEST(TopTenOrder, FirstGameWithoutFileAddsAnEleventhLine)
{
    const TopTenTable table = AfterGame(nullptr, 500);
    ASSERT_EQ(table.Count(), 11);
    EXPECT_EQ(table.Line(0), "99499\t       500\t ");
    for (int d = 0; d < 10; ++d)
        EXPECT_EQ(table.Line(d + 1), TopTenDefaultLine(d));
    EXPECT_EQ(table.FindScoreRow(500), 0);

    std::string expected = "99499\t       500\t \r\n";
    for (int d = 0; d < 10; ++d)
        expected += TopTenDefaultLine(d) + "\r\n";
    EXPECT_EQ(table.Text(), expected);
}

TEST(TopTenOrder, ScoresBelowNinetyThousandSortAboveEveryMadeUpLine)
{
    for (std::int32_t score : {0, 1, 500, 9999, 10000, 89999}) {
        SCOPED_TRACE(score);
        const std::vector<std::string> fillers{TopTenFillerLine(), TopTenFillerLine()};
        const TopTenTable withDefaults = AfterGame(nullptr, score);
        EXPECT_EQ(withDefaults.Line(0), TopTenNewLine(score));
        const TopTenTable withFillers = AfterGame(&fillers, score);
        EXPECT_EQ(withFillers.Line(0), TopTenNewLine(score));
        EXPECT_EQ(withFillers.FindScoreRow(score), 0);
    }
}

TEST(TopTenOrder, KeysCompareAsTextNotAsNumbers)
{
    // 90 000 has the four-digit key 9999, which sorts below 99499 (500).
    TopTenTable table = TableOf({TopTenLine(90000, "Big"), TopTenLine(500, "Small")});
    table.Sort();
    EXPECT_EQ(table.NameAt(0), "Small");
    EXPECT_EQ(table.NameAt(1), "Big");

    // Descending score order among keys of equal length.
    TopTenTable same = TableOf({TopTenLine(100, "c"), TopTenLine(300, "a"), TopTenLine(200, "b")});
    same.Sort();
    EXPECT_EQ(same.NameAt(0), "a");
    EXPECT_EQ(same.NameAt(1), "b");
    EXPECT_EQ(same.NameAt(2), "c");
}

TEST(TopTenOrder, EqualScoresOrderByName)
{
    const std::vector<std::string> file{TopTenLine(700, "Zoli"), TopTenLine(700, "1st"), TopTenLine(700, "anna")};
    // The new line's one-blank name stands above names with letters or
    // digits, so its row is the one opened.
    const TopTenTable table = AfterGame(&file, 700);
    EXPECT_EQ(table.Line(0), TopTenNewLine(700));
    EXPECT_EQ(table.NameAt(1), "1st");
    EXPECT_EQ(table.NameAt(2), "anna");
    EXPECT_EQ(table.NameAt(3), "Zoli");
    EXPECT_EQ(table.FindScoreRow(700), 0);

    // An older entry with an empty name stands above it: that older row is
    // opened and takes the typed name; the new line keeps its blank.
    const std::vector<std::string> withEmpty{TopTenLine(700, "Zoli"), TopTenLine(700, "")};
    TopTenTable second = AfterGame(&withEmpty, 700);
    EXPECT_EQ(second.Line(0), TopTenLine(700, ""));
    EXPECT_EQ(second.Line(1), TopTenNewLine(700));
    ASSERT_EQ(second.FindScoreRow(700), 0);
    second.SetEntry(0, 700, "Kati");
    EXPECT_EQ(second.Line(0), TopTenLine(700, "Kati"));
    EXPECT_EQ(second.Line(1), TopTenNewLine(700));
}

TEST(TopTenOrder, IgnoresLetterCaseIncludingAccentedLetters)
{
    // Folded to lower case: anna < zoli < ábel (0xE1) < ödön (0xF6). Byte
    // for byte the order would be Zoli, anna, Ödön (0xD6), ábel.
    TopTenTable table = TableOf({TopTenLine(5, "Zoli"), TopTenLine(5, "\xD6" "d\xF6n"),
                                 TopTenLine(5, "\xE1" "bel"), TopTenLine(5, "anna")});
    table.Sort();
    EXPECT_EQ(table.NameAt(0), "anna");
    EXPECT_EQ(table.NameAt(1), "Zoli");
    EXPECT_EQ(table.NameAt(2), "\xE1" "bel");
    EXPECT_EQ(table.NameAt(3), "\xD6" "d\xF6n");

    // Lines equal but for case keep their order (the sort is stable).
    TopTenTable cased = TableOf({"k\ts\tEVA", "k\ts\teva", "k\ts\tEva"});
    cased.Sort();
    EXPECT_EQ(cased.NameAt(0), "EVA");
    EXPECT_EQ(cased.NameAt(1), "eva");
    EXPECT_EQ(cased.NameAt(2), "Eva");
}

TEST(TopTenOrder, ShortLinesAndLongCommonBeginningsSortLikeWholeLines)
{
    TopTenTable table = TableOf({"abc", "ab", "abcdefgh1", "abcdefgh", "ABCDEFGH0", "", "\t", "ab\tc", "ab c"});
    table.Sort();
    EXPECT_EQ(LinesOf(table), (std::vector<std::string>{"", "\t", "ab", "ab\tc", "ab c", "abc", "abcdefgh",
                                                         "ABCDEFGH0", "abcdefgh1"}));

    // Many random lines over an alphabet of tab, blank, digits and letters of
    // both cases (accented ones too) come out as a stable sort by the
    // case-insensitive comparison puts them.
    const std::string alphabet = "\t 019aAzZ\xE1\xC1\xF6\xD6\x8A\x9A";
    std::vector<std::string> lines;
    std::uint32_t seed = 7;
    auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    for (int i = 0; i < 3000; ++i) {
        std::string line;
        const std::uint32_t length = next() % 13;
        for (std::uint32_t k = 0; k < length; ++k)
            line += alphabet[next() % alphabet.size()];
        lines.push_back(line);
    }
    TopTenTable random = TableOf(lines);
    random.Sort();
    std::stable_sort(lines.begin(), lines.end(),
                     [](const std::string& a, const std::string& b) { return cp1250::compareNoCase(a, b) < 0; });
    EXPECT_EQ(LinesOf(random), lines);
}

TEST(TopTenOrder, ScoreBelowTheTenthOpensNoRowButStaysInTheTable)
{
    std::vector<std::string> file;
    for (int i = 0; i < 10; ++i)
        file.push_back(TopTenLine(1000 + i, "P" + std::to_string(i)));
    file.push_back(TopTenLine(3, "Low"));
    const TopTenTable table = AfterGame(&file, 50);
    ASSERT_EQ(table.Count(), 12);
    EXPECT_EQ(table.FindScoreRow(50), -1);
    EXPECT_EQ(table.Line(10), TopTenNewLine(50));
    EXPECT_EQ(table.Line(11), TopTenLine(3, "Low"));
    EXPECT_NE(table.Text().find(TopTenNewLine(50) + "\r\n"), std::string::npos);
}

TEST(TopTenOrder, OpensOnlyTheFirstRowWithTheSameScoreText)
{
    // 1000 shares its score text with the filler lines below the new line.
    const std::vector<std::string> fillers{TopTenFillerLine()};
    const TopTenTable table = AfterGame(&fillers, 1000);
    EXPECT_EQ(table.Line(0), TopTenNewLine(1000));
    EXPECT_EQ(table.Line(1), TopTenFillerLine());
    EXPECT_EQ(table.FindScoreRow(1000), 0);

    // A line made by hand with the same score text above it is the one found.
    const std::vector<std::string> file{"00000\t     1 000\tHand"};
    const TopTenTable edited = AfterGame(&file, 1000);
    EXPECT_EQ(edited.Line(0), "00000\t     1 000\tHand");
    EXPECT_EQ(edited.Line(1), TopTenNewLine(1000));
    EXPECT_EQ(edited.FindScoreRow(1000), 0);
    EXPECT_EQ(edited.FindScoreRow(1), -1);
}

TEST(TopTenNames, CharactersThatWouldBreakTheLineBecomeBlanks)
{
    EXPECT_EQ(MendTopTenName(std::string("a\tb\rc\nd\0e", 9)), "a b c d e");
    EXPECT_EQ(MendTopTenName(" Kov\xE1" "cs  \xC9va "), " Kov\xE1" "cs  \xC9va ");

    TopTenTable table = AfterGame(nullptr, 500);
    table.SetEntry(0, 500, "Tab\there\r\nnext");
    EXPECT_EQ(table.Line(0), "99499\t       500\tTab here  next");

    // What is written reads back as the same eleven entries.
    TopTenTable reread;
    reread.SetText(table.Text());
    EXPECT_EQ(LinesOf(reread), LinesOf(table));
    EXPECT_EQ(reread.NameAt(0), "Tab here  next");
}

TEST(TopTenFile, MissingFileGivesTheDefaultLines)
{
    TempFolder dir;
    const std::string path = dir.File(kTopTenFileName);
    const TopTenTable table = ReadTopTenFile(path);
    ASSERT_EQ(table.Count(), 10);
    EXPECT_EQ(table.Line(0), TopTenDefaultLine(0));
    EXPECT_EQ(table.Line(9), TopTenDefaultLine(9));

    // A data folder that is a regular file holds no table either.
    WriteFile(dir.File("plain"), "x");
    EXPECT_EQ(LinesOf(ReadTopTenFile(dir.File("plain") + "/" + kTopTenFileName)), LinesOf(table));

    // Nor does a folder that bears the file's name.
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    WriteFile(path + "/inside", "99499\t       500\tAnna\r\n");
    EXPECT_EQ(LinesOf(ReadTopTenFile(path)), LinesOf(table));
    EXPECT_TRUE(IsFolder(path));
}

TEST(TopTenFile, ReadsWritesAndReadsBackTheSameLines)
{
    TempFolder dir;
    const std::string path = dir.File(kTopTenFileName);
    WriteFile(path, "b\tx\ty\nA\r\n\r\nc");
    TopTenTable table = ReadTopTenFile(path);
    EXPECT_EQ(LinesOf(table), (std::vector<std::string>{"b\tx\ty", "A", "", "c"}));
    table.Sort();
    WriteTopTenFile(path, table);
    EXPECT_EQ(ReadFile(path), "\r\nA\r\nb\tx\ty\r\nc\r\n");
}

TEST(TopTenFile, AFileThatCannotBeReadIsAnError)
{
    TempFolder dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    const std::string path = dir.File(kTopTenFileName);
    WriteFile(path, TopTenDefaultLine(0) + "\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    EXPECT_EQ(ReadAsOrdinaryUser(path), "Cannot open file \"" + path + "\". Permission denied");

    // A pipe would block the reading until someone writes into it.
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    try {
        ReadTopTenFile(fifo);
        ADD_FAILURE() << "a pipe was read as the table";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + fifo + "\". Not a regular file");
    }
}

TEST(TopTenFile, FailedWriteNamesTheFileAndLeavesWhatStandsThere)
{
    TempFolder dir;
    TopTenTable table;
    table.SetDefaults();

    WriteFile(dir.File("plain"), "x");
    const std::string below = dir.File("plain") + "/" + kTopTenFileName;
    try {
        WriteTopTenFile(below, table);
        ADD_FAILURE() << "wrote below a regular file";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + below + "\". ", 0), 0u) << e.what();
    }
    EXPECT_EQ(ReadFile(dir.File("plain")), "x");

    // A folder with the file's name is read as no file, but it cannot be
    // replaced by one.
    const std::string path = dir.File(kTopTenFileName);
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    try {
        WriteTopTenFile(path, table);
        ADD_FAILURE() << "wrote over a folder";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". Is a directory");
    }
    EXPECT_TRUE(IsFolder(path));
    EXPECT_TRUE(QDir(QString::fromStdString(path)).isEmpty());
}

}  // namespace
