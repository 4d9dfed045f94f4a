#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/settings.h"
#include "platform/app_error.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

using testing_support::kNobody;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    ASSERT_TRUE(out.good()) << path;
}

// Everything under a folder: kind, mode bits and content of each entry.
std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string path = entry.path().string();
        struct stat st {};
        ::lstat(path.c_str(), &st);
        std::string description = std::to_string(st.st_mode) + ":";
        if (S_ISREG(st.st_mode))
            description += ReadFile(path);
        else if (S_ISLNK(st.st_mode))
            description += fs::read_symlink(entry.path()).string();
        entries[path] = description;
    }
    return entries;
}

void ExpectSettings(const Settings& actual, std::int32_t left, std::int32_t top, std::int32_t hard)
{
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.hard, hard);
}

// How a save attempt is run: here, or in a child process as an ordinary user
// (root may read and write anything, so permission cases need one), or in a
// child process whose files may not grow beyond a few bytes.
enum class RunAs { ThisProcess, OrdinaryUser, SmallFileLimit };

// The message of the AppError that SaveSettings threw, or nothing when it
// saved.
std::optional<std::string> AttemptSave(const std::string& file, const Settings& settings, RunAs runAs)
{
    const auto attempt = [&]() -> std::optional<std::string> {
        try {
            SaveSettings(file, settings);
            return std::nullopt;
        } catch (const AppError& error) {
            return std::string(error.what());
        }
    };
    if (runAs == RunAs::ThisProcess)
        return attempt();

    const std::string report = testing_support::InChild(
        runAs == RunAs::OrdinaryUser ? testing_support::ChildSetUp::OrdinaryUser
                                     : testing_support::ChildSetUp::FileSizeLimit,
        [&] {
            const std::optional<std::string> result = attempt();
            return result ? "E" + *result : std::string("S");
        },
        16);
    if (report == "S")
        return std::nullopt;
    if (report.empty() || report[0] != 'E')
        return report.empty() ? std::string("child failed") : report;
    return report.substr(1);
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path().toStdString();
        file_ = folder_ + "/Vorpanta.ini";
    }

    void TearDown() override
    {
        // Give every entry back to us so that the folder can be removed.
        ::chmod(folder_.c_str(), 0700);
        for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
            if (!entry.is_symlink())
                ::chmod(entry.path().c_str(), entry.is_directory() ? 0700 : 0600);
        }
    }

    QTemporaryDir dir_;
    std::string folder_;
    std::string file_;
};

struct LoadCase {
    const char* what;
    std::string content;
    std::int32_t left, top, hard;
};

TEST_F(SettingsTest, LoadReadsValuesAndFallsBackToDefaults)
{
    const LoadCase cases[] = {
        {"hexadecimal and negative position", "[Screen]\r\nLeft=0x20\r\nTop=-500\r\n[Game]\r\nHard=3\r\n", 32, -500, 3},
        {"names in small letters", "[screen]\r\ntop=40\r\n", 10, 40, 4},
        {"Hard=5 kept", "[Game]\r\nHard=5\r\n", 10, 10, 5},
        {"Hard=7 out of range", "[Game]\r\nHard=7\r\n", 10, 10, 4},
        {"Hard=2 out of range", "[Game]\r\nHard=2\r\n", 10, 10, 4},
        {"Hard=abc not a number", "[Game]\r\nHard=abc\r\n", 10, 10, 4},
        {"not numbers", "[Screen]\r\nLeft=12abc\r\nTop=0x\r\n", 10, 10, 4},
        {"beyond 32 bits", "[Screen]\r\nLeft=2147483648\r\nTop=-2147483648\r\n", 10, INT32_MIN, 4},
        {"keys in the wrong section", "[Game]\r\nLeft=1\r\nTop=2\r\n[Screen]\r\nHard=5\r\n", 10, 10, 4},
        {"empty file", "", 10, 10, 4},
        {"not an INI file at all", "\x01\x02\xFF\r\n==\r\n[", 10, 10, 4},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(file_, c.content);
        ExpectSettings(LoadSettings(file_), c.left, c.top, c.hard);
    }
}

TEST_F(SettingsTest, WithoutAFileDefaultsAreUsedAndSavingCreatesIt)
{
    ExpectSettings(LoadSettings(file_), 10, 10, 4);
    EXPECT_FALSE(fs::exists(file_));

    SaveSettings(file_, Settings{120, -30, 4});
    EXPECT_EQ(ReadFile(file_), "[Screen]\r\nLeft=120\r\nTop=-30\r\n\r\n[Game]\r\nHard=4\r\n");
    ExpectSettings(LoadSettings(file_), 120, -30, 4);
}

TEST_F(SettingsTest, FolderInPlaceOfTheFileLoadsDefaults)
{
    fs::create_directory(file_);
    ExpectSettings(LoadSettings(file_), 10, 10, 4);
}

TEST_F(SettingsTest, HardOutOfRangeIsWrittenBackAsFour)
{
    for (const char* hard : {"7", "2", "abc"}) {
        SCOPED_TRACE(hard);
        WriteFile(file_, std::string("[Screen]\r\nLeft=1\r\nTop=2\r\n[Game]\r\nHard=") + hard + "\r\n");
        SaveSettings(file_, LoadSettings(file_));
        EXPECT_EQ(ReadFile(file_), "[Screen]\r\nLeft=1\r\nTop=2\r\n[Game]\r\nHard=4\r\n");
    }
}

TEST_F(SettingsTest, SaveKeepsEveryOtherLineByteForByte)
{
    WriteFile(file_,
              "; Vorpanta\n"
              "[screen]\n"
              "  LEFT = 0x20\n"
              "Monitor=2\n"
              "\n"
              "[Sound]\r\n"
              "Volume=80\r\n"
              "\r\n"
              "[Game]\r\n"
              "; 3 to 5\r\n"
              "Hard=5");
    SaveSettings(file_, Settings{-500, 40, 5});
    EXPECT_EQ(ReadFile(file_),
              "; Vorpanta\n"
              "[screen]\n"
              "  LEFT = -500\n"
              "Monitor=2\n"
              "Top=40\r\n"
              "\n"
              "[Sound]\r\n"
              "Volume=80\r\n"
              "\r\n"
              "[Game]\r\n"
              "; 3 to 5\r\n"
              "Hard=5");
    ExpectSettings(LoadSettings(file_), -500, 40, 5);
}

TEST_F(SettingsTest, SaveKeepsTheFilesPermissions)
{
    WriteFile(file_, "[Screen]\r\nLeft=1\r\n");
    ::chmod(file_.c_str(), 0640);
    SaveSettings(file_, Settings{});
    struct stat st {};
    ASSERT_EQ(::stat(file_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// The old content of the settings file in the failure cases; long enough
// that writing it again crosses the small file limit.
const std::string kOldContent =
    "; the player's own notes, kept whatever happens\r\n[Screen]\r\nLeft=1\r\nTop=2\r\n[Game]\r\nHard=3\r\n";

struct FailureCase {
    const char* what;
    std::function<void(const std::string& folder, std::string& file)> arrange;
    RunAs runAs;
};

// Arranges the case in a fresh folder, saves, and expects the error message
// and the folder exactly as it was.
void ExpectSaveFailsAndChangesNothing(const FailureCase& c)
{
    SCOPED_TRACE(c.what);
    QTemporaryDir caseDir;
    ASSERT_TRUE(caseDir.isValid());
    const std::string folder = caseDir.path().toStdString();
    std::string file = folder + "/Vorpanta.ini";
    c.arrange(folder, file);
    const auto before = Snapshot(folder);

    EXPECT_EQ(AttemptSave(file, Settings{300, 200, 4}, c.runAs), "Unable to write to " + file);
    EXPECT_EQ(Snapshot(folder), before);

    ::chmod(folder.c_str(), 0700);
}

void GiveToOrdinaryUser(const std::string& path)
{
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
}

TEST_F(SettingsTest, FailedSaveReportsThePathAndChangesNothing)
{
    const FailureCase cases[] = {
        {"read-only file, folder writable",
         [](const std::string&, std::string& file) {
             WriteFile(file, kOldContent);
             ::chmod(file.c_str(), 0444);
         },
         RunAs::ThisProcess},
        {"missing folder",
         [](const std::string& folder, std::string& file) { file = folder + "/Missing/Vorpanta.ini"; },
         RunAs::ThisProcess},
        {"folder in place of the file",
         [](const std::string&, std::string& file) { fs::create_directory(file); },
         RunAs::ThisProcess},
        {"file in place of the folder",
         [](const std::string& folder, std::string& file) {
             WriteFile(folder + "/Data", kOldContent);
             file = folder + "/Data/Vorpanta.ini";
         },
         RunAs::ThisProcess},
        {"link that points to itself",
         [](const std::string&, std::string& file) { fs::create_symlink(file, file); },
         RunAs::ThisProcess},
        {"file that cannot be read",
         [](const std::string& folder, std::string& file) {
             WriteFile(file, kOldContent);
             GiveToOrdinaryUser(file);
             ::chmod(file.c_str(), 0200);
             ::chmod(folder.c_str(), 0777);
         },
         RunAs::OrdinaryUser},
        {"folder that cannot be written",
         [](const std::string& folder, std::string& file) {
             WriteFile(file, kOldContent);
             GiveToOrdinaryUser(file);
             ::chmod(file.c_str(), 0666);
             ::chmod(folder.c_str(), 0555);
         },
         RunAs::OrdinaryUser},
    };
    for (const FailureCase& c : cases)
        ExpectSaveFailsAndChangesNothing(c);
}

TEST_F(SettingsTest, WriteThatBreaksOffHalfWayLeavesTheOldFile)
{
    ExpectSaveFailsAndChangesNothing(
        {"file size limit below the new content",
         [](const std::string&, std::string& file) { WriteFile(file, kOldContent); },
         RunAs::SmallFileLimit});
}

}  // namespace
