// A full disk while saving: each of the player's four files keeps its old
// content, and the failure is handled as the game's rules say for that file
// (the settings: "Unable to write to <path>" and the close is abandoned; the
// word lists: ignored without a word, the other list still written; the
// top-ten table: "Cannot create file ..." with the old table intact).
//
// The disk fills up by a file size limit (RLIMIT_FSIZE): writes past it fail
// with EFBIG, which root cannot get around either. The core saves run in a
// child process with the limit; the main window's close runs here, with the
// limit lowered just around it.
#include <gtest/gtest.h>

#include <QDir>

#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include "app/settings.h"
#include "game/top_ten_table.h"
#include "game/word_lists.h"
#include "platform/app_error.h"
#include "test_support.h"
#include "ui/frm_main.h"

namespace {

using testing_support::ErrorBoxRecorder;
using testing_support::GameFolders;
using testing_support::NoSlidePacing;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

// Runs `attempt` in a child process whose files may not grow past `limit`
// bytes, and returns what it reported.
std::string InChildWithFileLimit(rlim_t limit, const std::function<std::string()>& attempt)
{
    return testing_support::InChild(testing_support::ChildSetUp::FileSizeLimit, attempt, limit);
}

// Lowers this process's file size limit while alive.
class FileLimit {
public:
    explicit FileLimit(rlim_t limit) : signal_(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = limit;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    rlimit saved_{};
    void (*signal_)(int);
};

QStringList FilesIn(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A word list of `count` entries, already sorted and clean.
std::string Words(const std::string& stem, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\"" + stem + std::to_string(1000 + i) + "\"\r\n";
    return text;
}

const std::string kOldSettings =
    "; the player's notes\r\n[Screen]\r\nLeft=1\r\nTop=2\r\n\r\n[Game]\r\nHard=3\r\n[Sound]\r\nVolume=80\r\n";

TEST(FullDisk, SettingsAreNotWrittenAndTheOldFileStays)
{
    TempFolder data;
    const std::string file = data.File("Vorpanta.ini");
    WriteFile(file, kOldSettings);
    const std::string report = InChildWithFileLimit(16, [&] {
        try {
            SaveSettings(file, Settings{-300, 4000, 4});
            return std::string("saved");
        } catch (const AppError& error) {
            return std::string(error.what());
        }
    });
    EXPECT_EQ(report, "Unable to write to " + file);
    EXPECT_EQ(ReadFile(file), kOldSettings);
    EXPECT_EQ(FilesIn(data.Path()), QStringList{"Vorpanta.ini"});
}

TEST(FullDisk, AWordListThatDoesNotFitIsSkippedSilentlyAndTheOtherIsWritten)
{
    struct Case {
        const char* what;
        std::string words, newWords;  // old files; the larger one cannot be written again
        std::string writtenFile, keptFile;
    };
    const Case cases[] = {
        {"word list too large", Words("SZ", 400), "\"A\"\r\n", "UjSzavakLista.txt", "SzavakLista.txt"},
        {"new-word list too large", "\"A\"\r\n", Words("UJ", 400), "SzavakLista.txt", "UjSzavakLista.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder data;
        WriteFile(data.File("SzavakLista.txt"), c.words);
        WriteFile(data.File("UjSzavakLista.txt"), c.newWords);
        const std::string kept = ReadFile(data.File(c.keptFile));
        const std::string report = InChildWithFileLimit(1024, [&] {
            WordLists lists;
            lists.Load(data.Path());
            lists.AddWord("\xC1GY");  // "ÁGY"
            return std::to_string(lists.Save());
        });
        EXPECT_EQ(report, "1") << "exactly one of the two lists is written";
        EXPECT_EQ(ReadFile(data.File(c.keptFile)), kept);
        EXPECT_NE(ReadFile(data.File(c.writtenFile)).find("\"\xC1GY\"\r\n"), std::string::npos);
        EXPECT_EQ(FilesIn(data.Path()), (QStringList{"SzavakLista.txt", "UjSzavakLista.txt"}));
    }
}

TEST(FullDisk, TheTopTenTableIsNotWrittenAndTheOldTableStays)
{
    TempFolder data;
    const std::string file = data.File("Top10.txt");
    std::string old;
    for (int d = 0; d < 10; ++d)
        old += TopTenDefaultLine(d) + "\r\n";
    old += "99499\t       500\tAnna\r\n";
    WriteFile(file, old);
    const std::string report = InChildWithFileLimit(64, [&] {
        TopTenTable table = ReadTopTenFile(file);
        table.FillUp();
        table.Append(TopTenNewLine(700));
        table.Sort();
        try {
            WriteTopTenFile(file, table);
            return std::string("written");
        } catch (const AppError& error) {
            return std::string(error.what());
        }
    });
    const std::string prefix = "Cannot create file \"" + file + "\". ";
    EXPECT_EQ(report.substr(0, prefix.size()), prefix);
    EXPECT_GT(report.size(), prefix.size()) << "the message gives a reason";
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(FilesIn(data.Path()), QStringList{"Top10.txt"});
}

class FullDiskAtClose : public ::testing::Test {
protected:
    std::unique_ptr<Tfrm_Main> Open()
    {
        auto window = std::make_unique<Tfrm_Main>(folders.locations);
        window->show();
        return window;
    }
    std::string Data(const std::string& name) const { return folders.locations.dataDir + "/" + name; }

    GameFolders folders;
    ErrorBoxRecorder errors;
    NoSlidePacing noPacing;
};

TEST_F(FullDiskAtClose, SettingsThatDoNotFitKeepTheWindowOpenAndTheListsUnsaved)
{
    QDir().mkpath(QString::fromStdString(folders.locations.dataDir));
    WriteFile(folders.locations.settingsFile, kOldSettings);
    WriteFile(Data("SzavakLista.txt"), "\"A\"\r\n");
    auto w = Open();
    ASSERT_TRUE(errors.texts.empty());
    w->GetGame().AddLastWord();
    w->move(50, 60);

    bool closed = true;
    {
        FileLimit full(16);
        closed = w->close();
    }
    EXPECT_FALSE(closed);
    EXPECT_TRUE(w->isVisible()) << "the close is abandoned";
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0], QString::fromStdString("Unable to write to " + folders.locations.settingsFile + "."));
    EXPECT_EQ(ReadFile(folders.locations.settingsFile), kOldSettings);
    EXPECT_EQ(ReadFile(Data("SzavakLista.txt")), "\"A\"\r\n") << "the word lists wait for a close that succeeds";
    EXPECT_EQ(FilesIn(folders.locations.dataDir), (QStringList{"SzavakLista.txt", "Vorpanta.ini"}));

    // Room on the disk again: the next close saves everything.
    EXPECT_TRUE(w->close());
    EXPECT_EQ(errors.texts.size(), 1u);
    EXPECT_NE(ReadFile(folders.locations.settingsFile).find("Left=50\r\nTop=60\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(Data("SzavakLista.txt")), "\"\"\r\n\"A\"\r\n");
}

TEST_F(FullDiskAtClose, AWordListThatDoesNotFitIsLostWithoutAWordAndTheWindowCloses)
{
    QDir().mkpath(QString::fromStdString(folders.locations.dataDir));
    const std::string words = Words("SZ", 400);
    WriteFile(Data("SzavakLista.txt"), words);
    auto w = Open();
    ASSERT_TRUE(errors.texts.empty());
    w->GetGame().AddLastWord();

    bool closed = false;
    {
        FileLimit full(1024);
        closed = w->close();
    }
    EXPECT_TRUE(closed);
    EXPECT_TRUE(errors.texts.empty()) << errors.texts.front().toStdString();
    EXPECT_EQ(ReadFile(Data("SzavakLista.txt")), words) << "the old word list stays";
    EXPECT_EQ(ReadFile(Data("ujszavaklista.txt")), "\"\"\r\n") << "the new-word list is still written";
    EXPECT_NE(ReadFile(folders.locations.settingsFile).find("[Game]\r\nHard=4\r\n"), std::string::npos);
}

}  // namespace
