// Hostile inputs: files edited by hand into nonsense, files of the wrong
// kind, unreadable or read-only files and folders, names that look like
// printf formats, and tile pictures that are no pictures.
//
// Each case states its outcome: the game's own error where its rules give
// one, the documented default otherwise, never a crash or a hang, and never
// the player's data silently replaced by defaults.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <csignal>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "app/settings.h"
#include "game/top_ten_table.h"
#include "game/word_lists.h"
#include "platform/app_error.h"
#include "platform/cp1250.h"
#include "platform/file_io.h"
#include "platform/text_helpers.h"
#include "test_support.h"
#include "ui/frm_main.h"

namespace {

using namespace std::string_literals;
using testing_support::ErrorBoxRecorder;
using testing_support::GameFolders;
using testing_support::NoSlidePacing;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

using testing_support::kNobody;

bool IsFifo(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Runs `attempt` in a child process as the ordinary user "nobody" (root may
// read and write anything) and returns what it reported. Only the game's
// core runs in the child.
std::string AsNobody(const std::function<std::string()>& attempt)
{
    return testing_support::InChild(testing_support::ChildSetUp::OrdinaryUser, attempt);
}

// A folder that an ordinary user may enter (temporary folders are made
// private) and, when `writable`, write in.
void OpenUp(const std::string& folder, bool writable)
{
    ASSERT_EQ(::chmod(folder.c_str(), writable ? 0777 : 0755), 0);
}

std::string Report(const std::function<void()>& action)
{
    try {
        action();
        return "done";
    } catch (const AppError& error) {
        return error.what();
    }
}

std::vector<std::string> Entries(const WordList& list)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i)
        out.emplace_back(list[i]);
    return out;
}

// ---------------------------------------------------------------------------
// The settings file

class HostileSettings : public ::testing::Test {
protected:
    void Expect(const Settings& s, std::int32_t left, std::int32_t top, std::int32_t hard)
    {
        EXPECT_EQ(s.left, left);
        EXPECT_EQ(s.top, top);
        EXPECT_EQ(s.hard, hard);
    }
    TempFolder data;
    const std::string file = data.File("Vorpanta.ini");
};

TEST_F(HostileSettings, NulBytesSpoilOnlyTheirOwnValuesAndSurviveASave)
{
    const std::string text = "[Screen]\r\nLeft=5\0\r\nTop=7\r\n[Ga\0me]\r\nHard=5\r\n"s;
    WriteFile(file, text);
    Expect(LoadSettings(file), 10, 7, 4);
    SaveSettings(file, Settings{-1, 8, 4});
    EXPECT_EQ(ReadFile(file),
              "[Screen]\r\nLeft=-1\r\nTop=8\r\n[Ga\0me]\r\nHard=5\r\n\r\n[Game]\r\nHard=4\r\n"s);
}

TEST_F(HostileSettings, TenMegabyteLineGivesDefaultsAndIsKept)
{
    const std::string line(10 << 20, 'x');
    WriteFile(file, line);
    Expect(LoadSettings(file), 10, 10, 4);
    SaveSettings(file, Settings{1, 2, 4});
    EXPECT_EQ(ReadFile(file), line + "\r\n\r\n[Screen]\r\nLeft=1\r\nTop=2\r\n\r\n[Game]\r\nHard=4\r\n");
}

TEST_F(HostileSettings, CrOnlyAndLfOnlyLineEndsAreReadAndKept)
{
    for (const std::string end : {"\r", "\n"}) {
        SCOPED_TRACE(end == "\r" ? "CR only" : "LF only");
        WriteFile(file, "[Screen]" + end + "Left=40" + end + "Top=50" + end + "[Game]" + end + "Hard=5" + end);
        Expect(LoadSettings(file), 40, 50, 5);
        SaveSettings(file, Settings{41, 51, 5});
        EXPECT_EQ(ReadFile(file), "[Screen]" + end + "Left=41" + end + "Top=51" + end + "[Game]" + end + "Hard=5" + end);
    }
}

TEST_F(HostileSettings, UndefinedCodePageBytesGiveDefaultsAndAreKept)
{
    WriteFile(file, "[\x81\x83]\r\n\x88=\x90\r\n[Screen]\r\nLeft=\x98\r\n");
    Expect(LoadSettings(file), 10, 10, 4);
    SaveSettings(file, Settings{3, 4, 4});
    EXPECT_EQ(ReadFile(file), "[\x81\x83]\r\n\x88=\x90\r\n[Screen]\r\nLeft=3\r\nTop=4\r\n\r\n[Game]\r\nHard=4\r\n");
}

TEST_F(HostileSettings, ValuesBeyondThirtyTwoBitsGiveDefaultsNotWrappedNumbers)
{
    struct Case {
        const char* left;
        const char* top;
        const char* hard;
        std::int32_t expectedLeft, expectedTop, expectedHard;
    };
    const Case cases[] = {
        {"2147483648", "-2147483649", "4294967299", 10, 10, 4},  // Hard would wrap to 3
        {"0x80000000", "$100000000", "-4294967291", 10, 10, 4},  // Hard would wrap to 5
        {"99999999999999999999999", "-$FFFFFFFFFFFFFFFFF", "0x100000004", 10, 10, 4},
        {"-2147483648", "2147483647", "0x5", INT32_MIN, INT32_MAX, 5},
        {"0x7FFFFFFF", "-$80000000", "$3", INT32_MAX, INT32_MIN, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        WriteFile(file, std::string("[Screen]\r\nLeft=") + c.left + "\r\nTop=" + c.top + "\r\n[Game]\r\nHard=" + c.hard +
                            "\r\n");
        Expect(LoadSettings(file), c.expectedLeft, c.expectedTop, c.expectedHard);
    }
}

TEST_F(HostileSettings, ANamedPipeNeitherHangsNorIsWrittenOver)
{
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    Expect(LoadSettings(file), 10, 10, 4);
    EXPECT_EQ(Report([&] { SaveSettings(file, Settings{}); }), "Unable to write to " + file);
    EXPECT_TRUE(IsFifo(file));
}

TEST_F(HostileSettings, AnUnreadableFileIsNotReplacedByDefaults)
{
    const std::string old = "[Screen]\r\nLeft=300\r\nTop=400\r\n[Game]\r\nHard=5\r\n; the player's own\r\n";
    WriteFile(file, old);
    OpenUp(data.Path(), true);
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0200), 0);
    const std::string report = AsNobody([&] {
        const Settings loaded = LoadSettings(file);
        std::string r = std::to_string(loaded.left) + " " + std::to_string(loaded.top) + " " +
                        std::to_string(loaded.hard) + "; ";
        return r + Report([&] { SaveSettings(file, loaded); });
    });
    EXPECT_EQ(report, "10 10 4; Unable to write to " + file);
    ::chmod(file.c_str(), 0600);
    EXPECT_EQ(ReadFile(file), old);
}

// ---------------------------------------------------------------------------
// The word lists

class HostileWordLists : public ::testing::Test {
protected:
    // Loads the lists from the folder, teaches "ÁGY", saves, and loads again.
    WordLists RoundTrip()
    {
        WordLists lists;
        lists.Load(data.Path());
        lists.AddWord("\xC1GY");
        EXPECT_EQ(lists.Save(), 2);
        WordLists again;
        again.Load(data.Path());
        EXPECT_EQ(Entries(again.Words()), Entries(lists.Words()));
        EXPECT_EQ(again.NewWords(), lists.NewWords());
        EXPECT_TRUE(again.IsKnown("\xC1GY"));
        return again;
    }
    std::string Words() const { return data.File("SzavakLista.txt"); }
    std::string NewWords() const { return data.File("UjSzavakLista.txt"); }

    TempFolder data;
};

TEST_F(HostileWordLists, NulBytesStayInsideTheirEntriesAndALoneNulLineIsBlank)
{
    WriteFile(Words(), "\"AL\0MA\"\r\n\0\r\n\"B\"\r\n"s);
    WriteFile(NewWords(), "\"X\0\"\r\n"s);
    const WordLists lists = RoundTrip();
    EXPECT_EQ(Entries(lists.Words()),
              (std::vector<std::string>{"\"AL\0MA\""s, "\"B\"", "\"\xC1GY\""}));
    EXPECT_TRUE(lists.IsKnown("B"));
    EXPECT_FALSE(lists.IsKnown("ALMA"));
    EXPECT_EQ(ReadFile(Words()), "\"AL\0MA\"\r\n\"B\"\r\n\"\xC1GY\"\r\n"s);
    EXPECT_EQ(ReadFile(NewWords()), "\"X\0\"\r\n\"\xC1GY\"\r\n"s);
}

TEST_F(HostileWordLists, TenMegabyteLineIsOneEntryAndIsWrittenBack)
{
    const std::string line = "\"" + std::string(10 << 20, 'A') + "\"";
    WriteFile(Words(), line);
    const WordLists lists = RoundTrip();
    ASSERT_EQ(lists.Words().Count(), 2u);
    EXPECT_TRUE(lists.Words().Contains(line));
    EXPECT_EQ(ReadFile(Words()), line + "\r\n\"\xC1GY\"\r\n");
}

TEST_F(HostileWordLists, CrOnlyAndLfOnlyFilesAreReadLineByLine)
{
    for (const std::string end : {"\r", "\n"}) {
        SCOPED_TRACE(end == "\r" ? "CR only" : "LF only");
        WriteFile(Words(), "\"B\"" + end + "\"a\"" + end + end + "\"A\"" + end);
        WriteFile(NewWords(), "\"B\"" + end + end + "\"B\"");
        const WordLists lists = RoundTrip();
        // Of "a" and "A", the one the cleaning's binary search meets stays;
        // accented capitals sort after the plain letters.
        EXPECT_EQ(ReadFile(Words()), "\"A\"\r\n\"B\"\r\n\"\xC1GY\"\r\n");
        EXPECT_EQ(ReadFile(NewWords()), "\"B\"\r\n\r\n\"B\"\r\n\"\xC1GY\"\r\n");
    }
}

TEST_F(HostileWordLists, UndefinedCodePageBytesAreKeptByteForByte)
{
    WriteFile(Words(), "\"\x98\"\r\n\"\x81\"\r\n\"\x83\x88\"\r\n\"\x90\"\r\n");
    WriteFile(NewWords(), "\"\x90\x98\"\r\n");
    const WordLists lists = RoundTrip();
    EXPECT_EQ(Entries(lists.Words()),
              (std::vector<std::string>{"\"\x81\"", "\"\x83\x88\"", "\"\x90\"", "\"\x98\"", "\"\xC1GY\""}));
    EXPECT_TRUE(lists.IsKnown("\x83\x88"));
    EXPECT_EQ(ReadFile(NewWords()), "\"\x90\x98\"\r\n\"\xC1GY\"\r\n");
}

TEST_F(HostileWordLists, AnEmptyFileIsAnEmptyListWrittenBackUnderItsOwnName)
{
    WriteFile(Words(), "");
    WordLists lists;
    lists.Load(data.Path());
    EXPECT_EQ(lists.Words().Count(), 0u);
    EXPECT_FALSE(lists.IsKnown(""));
    EXPECT_EQ(lists.Save(), 2);
    EXPECT_EQ(ReadFile(Words()), "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(data.File("szavaklista.txt"))));
}

TEST_F(HostileWordLists, PrintfFormatsInEntriesAreJustText)
{
    WriteFile(Words(), "\"%s%n%x\"\r\n\"%99999999d\"\r\n");
    const WordLists lists = RoundTrip();
    EXPECT_TRUE(lists.IsKnown("%s%n%x"));
    EXPECT_TRUE(lists.IsKnown("%99999999D"));
    EXPECT_EQ(ReadFile(Words()), "\"%99999999d\"\r\n\"%s%n%x\"\r\n\"\xC1GY\"\r\n");
}

TEST_F(HostileWordLists, NamedPipesAndLinkLoopsCountAsMissingAndAreLeftAlone)
{
    ASSERT_EQ(::mkfifo(Words().c_str(), 0644), 0);
    ASSERT_EQ(::symlink(NewWords().c_str(), NewWords().c_str()), 0);
    WordLists lists;
    lists.Load(data.Path());  // would hang on reading the pipe
    EXPECT_EQ(lists.Words().Count(), 0u);
    lists.AddWord("A");
    EXPECT_EQ(lists.Save(), 2);
    EXPECT_TRUE(IsFifo(Words()));
    EXPECT_EQ(ReadFile(data.File("szavaklista.txt")), "\"A\"\r\n");
    EXPECT_EQ(ReadFile(data.File("ujszavaklista.txt")), "\"A\"\r\n");
    // The next start finds the words under the names they were saved with.
    WordLists again;
    again.Load(data.Path());
    EXPECT_TRUE(again.IsKnown("A"));
}

TEST_F(HostileWordLists, AFolderInPlaceOfTheWordListKeepsTheWordsBesideIt)
{
    ASSERT_EQ(::mkdir(Words().c_str(), 0755), 0);
    const WordLists lists = RoundTrip();
    EXPECT_TRUE(IsDirectory(Words()));
    EXPECT_EQ(ReadFile(data.File("szavaklista.txt")), "\"\xC1GY\"\r\n");
}

// ---------------------------------------------------------------------------
// The top-ten table

class HostileTopTen : public ::testing::Test {
protected:
    // A finished game of `score` against the file: read, fill, add, sort,
    // write; returns the table written.
    TopTenTable FinishGame(std::int32_t score)
    {
        TopTenTable table = ReadTopTenFile(file);
        table.FillUp();
        table.Append(TopTenNewLine(score));
        table.Sort();
        WriteTopTenFile(file, table);
        return table;
    }
    std::vector<std::string> FileLines() const
    {
        TopTenTable table;
        table.SetText(ReadFile(file));
        return table.Lines();
    }

    TempFolder data;
    const std::string file = data.File("Top10.txt");
};

TEST_F(HostileTopTen, ANulByteEndsTheText)
{
    WriteFile(file, "99499\t       500\tAn\0na\r\n99000\t     1 000\tBea\r\n"s);
    const TopTenTable read = ReadTopTenFile(file);
    EXPECT_EQ(read.Lines(), std::vector<std::string>{"99499\t       500\tAn"});
    FinishGame(600);
    EXPECT_EQ(ReadFile(file).find('\0'), std::string::npos);
    EXPECT_EQ(FileLines().size(), 11u);
}

TEST_F(HostileTopTen, HundredThousandLinesAreAllKeptAndTheBestTenComeFirst)
{
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        const std::int32_t score = (i * 7919) % 90000;
        text += TopTenLine(score, "P" + std::to_string(i)) + "\r\n";
    }
    WriteFile(file, text);
    const TopTenTable table = FinishGame(89999);
    ASSERT_EQ(table.Count(), 100001);
    for (int i = 1; i < table.Count(); ++i)
        ASSERT_LE(cp1250::compareNoCase(table.Line(i - 1), table.Line(i)), 0) << "line " << i;
    EXPECT_EQ(table.Line(0), TopTenNewLine(89999)) << "the new line's one-blank name sorts first";
    EXPECT_EQ(table.ScoreTextAt(1), ScoreText(89999));
    for (int row = 2; row < 10; ++row)
        EXPECT_EQ(table.ScoreTextAt(row), ScoreText(89999 - (row - 1))) << row;
    EXPECT_EQ(FileLines(), table.Lines());
}

TEST_F(HostileTopTen, LinesOfOneFieldShowEmptyTextsAndAreKept)
{
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "garbage" + std::to_string(i) + "\r\n";
    WriteFile(file, text);
    const TopTenTable table = FinishGame(500);
    EXPECT_EQ(table.Line(0), TopTenNewLine(500));
    for (int row = 1; row < 10; ++row) {
        EXPECT_EQ(table.ScoreTextAt(row), "");
        EXPECT_EQ(table.NameAt(row), "");
    }
    EXPECT_EQ(table.FindScoreRow(500), 0);
    EXPECT_EQ(FileLines().size(), 13u);
    EXPECT_EQ(ReadFile(file).find("garbage11\r\n"), ReadFile(file).find("garbage10\r\n") + 11);
}

TEST_F(HostileTopTen, TenMegabyteLineIsOneEntry)
{
    const std::string line(10 << 20, '7');
    WriteFile(file, line);
    const TopTenTable table = FinishGame(500);
    EXPECT_EQ(table.Count(), 11);
    const std::vector<std::string> lines = FileLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), TopTenFillerLine()), 9);
}

TEST_F(HostileTopTen, CrOnlyAndLfOnlyFilesAreWrittenBackWithCrLf)
{
    for (const std::string end : {"\r", "\n"}) {
        SCOPED_TRACE(end == "\r" ? "CR only" : "LF only");
        std::string text;
        for (int d = 0; d < 10; ++d)
            text += TopTenDefaultLine(d) + end;
        WriteFile(file, text);
        EXPECT_EQ(ReadTopTenFile(file).Count(), 10);
        FinishGame(500);
        const std::string written = ReadFile(file);
        EXPECT_EQ(written.substr(0, 24), "99499\t       500\t \r\n9999");
        EXPECT_EQ(FileLines().size(), 11u);
    }
}

TEST_F(HostileTopTen, UndefinedCodePageBytesAndPrintfFormatsInNamesAreKept)
{
    WriteFile(file, "99499\t       500\t\x81\x83\x88\x90\x98\r\n99498\t       501\t%s%n%x%99999999d\r\n");
    TopTenTable table = FinishGame(502);
    const int row = table.FindScoreRow(502);
    ASSERT_EQ(row, 0);
    table.SetEntry(row, 502, "%n%s\x98");
    WriteTopTenFile(file, table);
    const std::vector<std::string> lines = FileLines();
    EXPECT_EQ(lines[0], "99497\t       502\t%n%s\x98");
    EXPECT_EQ(lines[1], "99498\t       501\t%s%n%x%99999999d");
    EXPECT_EQ(lines[2], "99499\t       500\t\x81\x83\x88\x90\x98");
}

TEST_F(HostileTopTen, UnreadableFileIsAnError)
{
    WriteFile(file, TopTenDefaultLine(0) + "\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    OpenUp(data.Path(), false);
    EXPECT_EQ(AsNobody([&] { return Report([&] { ReadTopTenFile(file); }); }),
              "Cannot open file \"" + file + "\". Permission denied");
}

TEST_F(HostileTopTen, ANamedPipeIsAnErrorNotAHang)
{
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    EXPECT_EQ(Report([&] { ReadTopTenFile(file); }), "Cannot open file \"" + file + "\". Not a regular file");
    EXPECT_TRUE(IsFifo(file));
}

TEST_F(HostileTopTen, AReadOnlyFileIsNotReplaced)
{
    const std::string old = TopTenLine(500, "Anna") + "\r\n";
    WriteFile(file, old);
    OpenUp(data.Path(), true);
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::string report = AsNobody([&] { return Report([&] { FinishGame(600); }); });
    EXPECT_EQ(report.rfind("Cannot create file \"" + file + "\". ", 0), 0u) << report;
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(QDir(QString::fromStdString(data.Path())).entryList(QDir::Files), QStringList{"Top10.txt"});
}

// ---------------------------------------------------------------------------
// A data folder the game cannot write in

TEST(HostileDataFolder, AFolderOfSomeoneElseKeepsEveryOldFileAndSaysSoWhereTheRulesSay)
{
    TempFolder data;
    const std::string settings = data.File("Vorpanta.ini");
    const std::string top = data.File("Top10.txt");
    WriteFile(settings, "[Screen]\r\nLeft=1\r\n");
    WriteFile(data.File("SzavakLista.txt"), "\"A\"\r\n");
    WriteFile(top, TopTenLine(500, "Anna") + "\r\n");
    for (const char* name : {"Vorpanta.ini", "SzavakLista.txt", "Top10.txt"})
        ASSERT_EQ(::chmod(data.File(name).c_str(), 0644), 0);
    OpenUp(data.Path(), false);  // root's folder; readable, not writable
    const std::string report = AsNobody([&] {
        std::string r = Report([&] { SaveSettings(settings, LoadSettings(settings)); }) + "; ";
        WordLists lists;
        lists.Load(data.Path());
        lists.AddWord("B");
        r += std::to_string(lists.Save()) + "; ";
        return r + Report([&] {
                   TopTenTable table = ReadTopTenFile(top);
                   table.Append(TopTenNewLine(9));
                   WriteTopTenFile(top, table);
               });
    });
    EXPECT_EQ(report.substr(0, report.find("; Cannot create file")),
              "Unable to write to " + settings + "; 0")
        << report;
    EXPECT_NE(report.find("; Cannot create file \"" + top + "\". "), std::string::npos) << report;
    EXPECT_EQ(ReadFile(settings), "[Screen]\r\nLeft=1\r\n");
    EXPECT_EQ(ReadFile(data.File("SzavakLista.txt")), "\"A\"\r\n");
    EXPECT_EQ(ReadFile(top), TopTenLine(500, "Anna") + "\r\n");
}

// ---------------------------------------------------------------------------
// The main window facing hostile files

class HostileStart : public ::testing::Test {
protected:
    std::unique_ptr<Tfrm_Main> Open()
    {
        auto window = std::make_unique<Tfrm_Main>(folders.locations);
        window->show();
        EXPECT_TRUE(window->isVisible()) << "the main window always opens";
        return window;
    }
    std::string Data(const std::string& name) const { return folders.locations.dataDir + "/" + name; }
    std::string Ico() const { return folders.locations.programDir + "/Ico"; }
    void MakeDataFolder() { QDir().mkpath(QString::fromStdString(folders.locations.dataDir)); }
    // Replaces every normal tile picture by what `make` puts at its path.
    void SpoilNormalPictures(const std::function<void(const std::string&)>& make)
    {
        const QDir ico(QString::fromStdString(Ico()));
        for (const QString& name : ico.entryList({QStringLiteral("n*.bmp")}, QDir::Files)) {
            const std::string path = QFile::encodeName(ico.filePath(name)).toStdString();
            ASSERT_EQ(::unlink(path.c_str()), 0);
            make(path);
        }
    }
    // The one error box text: a tile picture that could not be opened.
    void ExpectPictureError(const std::string& reason)
    {
        ASSERT_EQ(errors.texts.size(), 1u);
        const std::string text = errors.texts[0].toStdString();
        const std::string prefix = "Cannot open file \"" + Ico() + "/n";
        EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
        EXPECT_NE(text.find(".bmp\". " + reason + "."), std::string::npos) << text;
    }

    GameFolders folders;
    ErrorBoxRecorder errors;
    NoSlidePacing noPacing;
};

TEST_F(HostileStart, TilePicturesThatAreNoBitmapsAreReportedAndTheWindowOpens)
{
    SpoilNormalPictures([](const std::string& path) { WriteFile(path, "\x89PNG\r\n\x1A\n not a bitmap at all"); });
    auto w = Open();
    ExpectPictureError("Not a valid bitmap picture");
    EXPECT_FALSE(w->GetGame().GameActive());
    EXPECT_TRUE(w->close()) << "the window still closes";
}

TEST_F(HostileStart, EmptyTruncatedAndGiantBitmapsAreReportedNotLoaded)
{
    // A bitmap header that promises 100000 x 100000 pixels of 24 bits and
    // brings none, one cut off in its header, and an empty file.
    std::string giant = "BM";
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            giant += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const auto put16 = [&](std::uint16_t v) {
        giant += static_cast<char>(v & 0xFF);
        giant += static_cast<char>(v >> 8);
    };
    put32(54 + 64);
    put32(0);
    put32(54);
    put32(40);
    put32(100000);
    put32(100000);
    put16(1);
    put16(24);
    put32(0);
    put32(0);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    giant += std::string(64, '\x7F');
    for (const std::string& content : {giant, giant.substr(0, 30), std::string()}) {
        SCOPED_TRACE(content.size());
        SpoilNormalPictures([&](const std::string& path) { WriteFile(path, content); });
        errors.texts.clear();
        auto w = Open();
        ExpectPictureError("Not a valid bitmap picture");
    }
}

TEST_F(HostileStart, FoldersInPlaceOfTilePicturesAreReported)
{
    SpoilNormalPictures([](const std::string& path) { ASSERT_EQ(::mkdir(path.c_str(), 0755), 0); });
    auto w = Open();
    ExpectPictureError("Is a directory");
}

TEST_F(HostileStart, PrintfFormatsInTheProgramFolderAreShownAsTheyStand)
{
    const std::string odd = folders.root.File("prog %s%n%x%99999999d");
    ASSERT_EQ(::rename(folders.locations.programDir.c_str(), odd.c_str()), 0);
    folders.locations.programDir = odd;
    SpoilNormalPictures([](const std::string&) {});
    auto w = Open();
    ExpectPictureError("No such file or directory");
}

TEST_F(HostileStart, PrintfFormatsInTheDataFolderAreJustPartOfThePath)
{
    folders.locations.dataDir = folders.root.File("data %s%n%x%99999999d");
    folders.locations.settingsFile = folders.locations.dataDir + "/Vorpanta.ini";
    MakeDataFolder();
    WriteFile(Data("SzavakLista.txt"), "\"%s\"\r\n");
    {
        auto w = Open();
        EXPECT_TRUE(errors.texts.empty());
        w->GetGame().AddLastWord();
        w->move(20, 30);
        EXPECT_TRUE(w->close());
    }
    EXPECT_EQ(ReadFile(folders.locations.settingsFile), "[Screen]\r\nLeft=20\r\nTop=30\r\n\r\n[Game]\r\nHard=4\r\n");
    EXPECT_EQ(ReadFile(Data("SzavakLista.txt")), "\"\"\r\n\"%s\"\r\n");

    // And in an error message.
    ASSERT_EQ(::unlink(folders.locations.settingsFile.c_str()), 0);
    ASSERT_EQ(::mkdir(folders.locations.settingsFile.c_str(), 0755), 0);
    auto w = Open();
    EXPECT_FALSE(w->close());
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].toStdString(), "Unable to write to " + folders.locations.settingsFile + ".");
}

TEST_F(HostileStart, AFolderInPlaceOfTheSettingsFileKeepsTheWindowOpenAtClose)
{
    MakeDataFolder();
    ASSERT_EQ(::mkdir(folders.locations.settingsFile.c_str(), 0755), 0);
    auto w = Open();
    EXPECT_TRUE(errors.texts.empty());
    EXPECT_EQ(w->pos(), QPoint(10, 10)) << "the default position";
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].toStdString(), "Unable to write to " + folders.locations.settingsFile + ".");
    EXPECT_TRUE(IsDirectory(folders.locations.settingsFile));
}

TEST_F(HostileStart, AReadOnlySettingsFileKeepsTheWindowOpenOnceThenTheGameEndsWithTheWordsSaved)
{
    MakeDataFolder();
    const std::string old = "[Screen]\r\nLeft=70\r\nTop=80\r\n";
    WriteFile(folders.locations.settingsFile, old);
    WriteFile(Data("SzavakLista.txt"), "\"A\"\r\n");
    ASSERT_EQ(::chmod(folders.locations.settingsFile.c_str(), 0444), 0);
    auto w = Open();
    EXPECT_EQ(w->pos(), QPoint(70, 80));
    w->GetGame().AddLastWord();
    w->move(5, 5);

    // The first close is abandoned, so the player can mend the file.
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].toStdString(), "Unable to write to " + folders.locations.settingsFile + ".");
    EXPECT_EQ(ReadFile(Data("SzavakLista.txt")), "\"A\"\r\n") << "nothing is saved on an abandoned close";

    // The next one ends the game without a second message; only the place is lost.
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(ReadFile(folders.locations.settingsFile), old);
    EXPECT_EQ(ReadFile(Data("SzavakLista.txt")), "\"\"\r\n\"A\"\r\n");
    EXPECT_EQ(ReadFile(Data("ujszavaklista.txt")), "\"\"\r\n");
}

TEST_F(HostileStart, ADataFolderThatCannotBeMadeGivesDefaultsAndAnErrorAtClose)
{
    // A regular file stands where the data folder's parent should be.
    WriteFile(folders.root.File("blocked"), "x");
    folders.locations.dataDir = folders.root.File("blocked") + "/data";
    folders.locations.settingsFile = folders.locations.dataDir + "/Vorpanta.ini";
    auto w = Open();
    EXPECT_TRUE(errors.texts.empty()) << "nothing is reported at start";
    EXPECT_TRUE(w->GetGame().GameActive());
    w->GetGame().AddLastWord();
    EXPECT_FALSE(w->close());
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].toStdString(), "Unable to write to " + folders.locations.settingsFile + ".");
    EXPECT_EQ(ReadFile(folders.root.File("blocked")), "x");
}

TEST_F(HostileStart, AnUnreadableWordListIsReportedAndNeverSavedOver)
{
    MakeDataFolder();
    const std::string words = "\"ALMA\"\r\n\"K\xD6R\"\r\n";
    const std::string newWords = "\"K\xD6R\"\r\n";
    WriteFile(Data("SzavakLista.txt"), words);
    WriteFile(Data("UjSzavakLista.txt"), newWords);
    ASSERT_EQ(::chmod(Data("SzavakLista.txt").c_str(), 0600), 0);
    // Let an ordinary user reach the pictures and the data folder.
    for (const std::string& folder : {folders.root.Path(), folders.locations.programDir, Ico(),
                                      folders.locations.dataDir})
        OpenUp(folder, false);

    // Start as an ordinary user: root would read the list.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::seteuid(kNobody), 0);
    }
    auto w = Open();
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
    }

    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].toStdString(),
              "Cannot open file \"" + Data("SzavakLista.txt") + "\". Permission denied.");
    EXPECT_FALSE(w->GetGame().GameActive());
    // "Szóhozzá" still works on the words in memory, and the close saves the
    // settings but leaves both lists as they were.
    w->GetGame().AddLastWord();
    EXPECT_TRUE(w->close());
    EXPECT_EQ(ReadFile(Data("SzavakLista.txt")), words);
    EXPECT_EQ(ReadFile(Data("UjSzavakLista.txt")), newWords);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Data("szavaklista.txt"))));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(folders.locations.settingsFile)));
}

TEST_F(HostileStart, AZeroByteWordListKnowsNoWordAndStaysAFile)
{
    MakeDataFolder();
    WriteFile(Data("SzavakLista.txt"), "");
    auto w = Open();
    EXPECT_TRUE(errors.texts.empty());
    ASSERT_NE(w->GetGame().Lists(), nullptr);
    EXPECT_EQ(w->GetGame().Lists()->Words().Count(), 0u);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(ReadFile(Data("SzavakLista.txt")), "");
}

TEST_F(HostileStart, AFolderInPlaceOfTheTopTenFileCountsAsNoTableAndIsNeverReplaced)
{
    MakeDataFolder();
    ASSERT_EQ(::mkdir(Data("Top10.txt").c_str(), 0755), 0);
    auto w = Open();
    ASSERT_TRUE(w->GetGame().GameActive());
    // The top-ten window is modal: close it as soon as it shows.
    int shown = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++shown;
            modal->close();
        }
    });
    closer.start(10);
    w->aStopExecute();
    EXPECT_EQ(shown, 1) << "the table shows, with its default lines";
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].toStdString(), "Cannot create file \"" + Data("Top10.txt") + "\". Is a directory.");
    EXPECT_FALSE(w->GetGame().GameActive()) << "a game that was ending stays ended";
    w->aTop10Execute();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(errors.texts.size(), 1u) << "viewing writes nothing";
    EXPECT_TRUE(IsDirectory(Data("Top10.txt")));
}

}  // namespace
