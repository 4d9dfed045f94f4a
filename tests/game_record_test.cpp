// The record of finished games in "Jatekok.txt": which game ends add a line,
// what the line holds, and how damaged lines and unreadable files are met.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "game/game_record.h"
#include "game_fixture.h"
#include "platform/file_io.h"

namespace {

using testing_support::GameFixture;
using testing_support::InChild;
using testing_support::ReadFile;
using testing_support::WriteFile;

constexpr LocalTime kMorning{{2026, 12, 9}, 9, 5, 7};
constexpr LocalTime kJustAfterMidnight{{2026, 12, 10}, 0, 2, 0};

// A game whose words are taken off column by column; its clock is fixed and
// its record lives in its data folder.
struct RecordedGames : GameFixture {
    RecordedGames() : GameFixture("\"alma\"\r\n\"k\xC3\xB6r\"\r\n\"koala\"\r\n")
    {
        game.SetClock(clock);
        game.OpenRecord(data.Path());
    }
    std::string RecordFile() const { return data.File("Jatekok.txt"); }
    void Take(int column, const std::string& wordUtf8)
    {
        const std::string word = cp1250::fromUtf8(wordUtf8);
        SetColumn(column, kRows - static_cast<int>(word.size()) + 1, wordUtf8);
        for (int r = kRows - static_cast<int>(word.size()) + 1; r <= kRows; ++r)
            Click(column, r);
        game.SubmitWord(MouseButton::Right);
    }
    FixedClock clock{kMorning};
};

TEST(GameRecord, EachEndOfAGameAddsItsLine)
{
    RecordedGames f;
    // A new game while nothing was scored: nothing to record.
    f.game.NewGame();
    EXPECT_FALSE(fileio::FileExists(f.RecordFile()));

    f.Take(1, "KÖR");
    f.Take(2, "KOALA");
    f.Take(3, "ALMA");
    f.game.FinishGame();  // "Befejeztem"
    EXPECT_FALSE(f.game.GameActive());
    const std::string first = "2026-12-09T09:05:07\t77\t3\tKOALA\t35\t0\r\n";
    EXPECT_EQ(ReadFile(f.RecordFile()), first);
    // Ended once, recorded once; a new game after the end adds nothing.
    f.game.FinishGame();
    f.game.NewGame();
    EXPECT_EQ(ReadFile(f.RecordFile()), first);

    // Today's board left with points for a new game: recorded with the day
    // of its board, even when it ends after midnight.
    f.game.NewDailyGame();
    f.Take(4, "ALMA");
    f.clock.Set(kJustAfterMidnight);
    f.game.NewDailyGame();
    const std::string second = "2026-12-10T00:02:00\t24\t1\tALMA\t24\t2026-12-09\r\n";
    EXPECT_EQ(ReadFile(f.RecordFile()), first + second);

    // "Befejeztem" without a single word still ends a game.
    f.game.FinishGame();
    const std::string third = "2026-12-10T00:02:00\t0\t0\t\t0\t2026-12-10\r\n";
    EXPECT_EQ(ReadFile(f.RecordFile()), first + second + third);

    const std::vector<FinishedGame> games = f.game.Record().Games();
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(games[0].bestWord, "KOALA");
    EXPECT_FALSE(games[0].dailyBoard.has_value());
    EXPECT_EQ(games[1].finished, kJustAfterMidnight);
    EXPECT_EQ(games[1].dailyBoard, (CalendarDate{2026, 12, 9}));
    EXPECT_EQ(games[2].words, 0);
    EXPECT_TRUE(f.game.Record().Problem().empty());
}

TEST(GameRecord, DamagedLinesAreSkippedWhenReadAndKeptWhenWritten)
{
    const FinishedGame good{kMorning, 1234, 24, "KOALA", 35, CalendarDate{2026, 12, 9}};
    ASSERT_EQ(GameRecordLine(good), "2026-12-09T09:05:07\t1234\t24\tKOALA\t35\t2026-12-09\r\n");
    EXPECT_EQ(ParseGameRecordLine("2026-12-09T09:05:07\t1234\t24\tKOALA\t35\t2026-12-09"), good);
    for (const std::string damaged : {
             "",
             "2026-12-09T09:05:07\t1234\t24\tKOALA\t35",            // a field missing
             "2026-12-09T09:05:07\t1234\t24\tKOALA\t35\t0\textra",  // one too many
             "2026-02-30T09:05:07\t1234\t24\tKOALA\t35\t0",         // no such day
             "2026-12-09 09:05:07\t1234\t24\tKOALA\t35\t0",
             "2026-12-09T24:05:07\t1234\t24\tKOALA\t35\t0",
             "2026-12-09T09:05:07\t-5\t24\tKOALA\t35\t0",
             "2026-12-09T09:05:07\t1234x\t24\tKOALA\t35\t0",
             "2026-12-09T09:05:07\t01234\t24\tKOALA\t35\t0",
             "2026-12-09T09:05:07\t0\t0\t\t-0\t0",
             "2026-12-09T09:05:07\t1234\t24\tKOALA\t36\t0",  // the word scores 35
             "2026-12-09T09:05:07\t1234\t24\tkoala\t0\t0",   // not tile letters
             "2026-12-09T09:05:07\t1234\t0\tKOALA\t35\t0",   // a best word of no word
             "2026-12-09T09:05:07\t1234\t3\t\t0\t0",         // words without a best one
             "2026-12-09T09:05:07\t20\t3\tKOALA\t35\t0",     // more than the score
             "2026-12-09T09:05:07\t1234\t24\tKOALA\t35\t1",
             "2026-12-09T09:05:07\t1234\t24\tKOALA\t35\t2026-13-09",
             "99999999999999999999\t1\t1\tLE\t6\t0"}) {
        SCOPED_TRACE(damaged);
        EXPECT_FALSE(ParseGameRecordLine(damaged).has_value());
    }

    RecordedGames f;
    // A line mangled by hand, a blank line and a last line without its line
    // end: all stay in the file, byte for byte.
    const std::string before = "2026-12-01T20:00:00\t100\t4\tALMA\t24\t0\r\n"
                               "this is no game\r\n"
                               "\r\n"
                               "2026-12-02T20:00:00\t200\t5\tKOALA\t35\t2026-12-02";
    WriteFile(f.RecordFile(), before);
    ASSERT_EQ(f.game.Record().Games().size(), 2u);
    f.Take(1, "ALMA");
    f.game.FinishGame();
    EXPECT_EQ(ReadFile(f.RecordFile()), before + "\r\n2026-12-09T09:05:07\t24\t1\tALMA\t24\t0\r\n");
    const std::vector<FinishedGame> games = f.game.Record().Games();
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(games[1].score, 200);
    EXPECT_EQ(games[2].score, 24);
}

TEST(GameRecord, AFileThatCannotBeReadIsNeverWrittenOverAndItsGamesWait)
{
    RecordedGames f;
    const std::string held = "2026-12-01T20:00:00\t100\t4\tALMA\t24\t0\r\n";
    WriteFile(f.RecordFile(), held);
    // Anyone may write the file and the folder, but no ordinary user may
    // read the file: replacing it would succeed, and lose its games.
    ASSERT_EQ(::chmod(f.RecordFile().c_str(), 0222), 0);
    ASSERT_EQ(::chmod(f.data.Path().c_str(), 0777), 0);
    const std::string path = f.data.Path();
    const std::string report = InChild(testing_support::ChildSetUp::OrdinaryUser, [&] {
        GameRecord record;
        record.Open(path);
        const FinishedGame game{kMorning, 24, 1, "ALMA", 24, std::nullopt};
        const bool written = record.Add(game);
        std::string seen = written ? "written" : "waiting";
        seen += " " + std::to_string(record.Games().size());
        seen += record.Problem().empty() ? " no problem" : " problem";
        return seen;
    });
    ::chmod(f.RecordFile().c_str(), 0600);
    if (report.rfind("child failed", 0) == 0 || report.rfind("uncaught", 0) == 0)
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "waiting 1 problem");
    EXPECT_EQ(ReadFile(f.RecordFile()), held);

    // Once it can be written, the waiting game goes in with the next one.
    GameRecord record;
    record.Open("/nonexistent/folder/for/sure");
    const FinishedGame waiting{kMorning, 24, 1, "ALMA", 24, std::nullopt};
    EXPECT_FALSE(record.Add(waiting));
    EXPECT_EQ(cp1250::toUtf8(record.Problem()), "Jatekok.txt: a fájl nem írható, az utolsó 1 játék csak a memóriában van.");
    ASSERT_EQ(record.Games().size(), 1u);
    record.Open(f.data.Path());
    const FinishedGame next{kJustAfterMidnight, 35, 1, "KOALA", 35, CalendarDate{2026, 12, 10}};
    EXPECT_TRUE(record.Add(next));
    EXPECT_TRUE(record.Problem().empty());
    EXPECT_EQ(ReadFile(f.RecordFile()), held + GameRecordLine(waiting) + GameRecordLine(next));
    EXPECT_EQ(record.Games().size(), 3u);

    // A folder of that name is left as it is.
    RecordedGames g;
    ASSERT_EQ(::mkdir(g.RecordFile().c_str(), 0700), 0);
    g.Take(1, "ALMA");
    g.game.FinishGame();
    EXPECT_TRUE(fileio::DirectoryExists(g.RecordFile()));
    EXPECT_EQ(g.game.Record().Games().size(), 1u);
    EXPECT_EQ(cp1250::toUtf8(g.game.Record().Problem()),
              "Jatekok.txt: a fájl nem olvasható, az utolsó 1 játék csak a memóriában van.");
}

}  // namespace
