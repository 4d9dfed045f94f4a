// Whole-file reads and crash-safe writes: what stands on disk after a write
// that worked, and after one that could not be done.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/app_error.h"
#include "platform/file_io.h"
#include "test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

TEST(FileIo, ReadingAMissingFileNamesThePathAndTheReason)
{
    TempFolder folder;
    const std::string path = folder.File("nincs.txt");
    try {
        fileio::ReadWholeFile(path);
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + path + "\". " + std::strerror(ENOENT));
    }
}

TEST(FileIo, AnAtomicWriteReplacesTheWholeFileAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    const std::string path = folder.File("Top10.txt");
    WriteFile(path, std::string(100000, 'x'));
    std::string reason;
    ASSERT_TRUE(fileio::WriteWholeFileAtomic(path, "rövid\r\n", reason)) << reason;
    EXPECT_EQ(ReadFile(path), "rövid\r\n");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        entries += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 1);
}

TEST(FileIo, AWriteProtectedFileIsLeftAloneEvenForRoot)
{
    TempFolder folder;
    const std::string path = folder.File("szavaklista.txt");
    WriteFile(path, "\"régi\"\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    std::string reason;
    EXPECT_FALSE(fileio::WriteWholeFileAtomic(path, "\"új\"\r\n", reason));
    EXPECT_EQ(reason, std::strerror(EACCES));
    EXPECT_EQ(ReadFile(path), "\"régi\"\r\n");
    ::chmod(path.c_str(), 0644);
}

TEST(FileIo, AFolderWhereTheFileShouldBeIsNotReplaced)
{
    TempFolder folder;
    const std::string path = folder.File("Top10.txt");
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    std::string reason;
    EXPECT_FALSE(fileio::WriteWholeFileAtomic(path, "x", reason));
    EXPECT_EQ(reason, std::strerror(EISDIR));
    EXPECT_TRUE(fileio::DirectoryExists(path));
}

// A write that runs out of room keeps the old file and tells the system's own
// reason rather than an unknown error. The room runs out by a file size limit,
// set in a child process so the test runner keeps its own.
TEST(FileIo, ARunOutOfRoomKeepsTheOldFileAndTellsWhy)
{
    TempFolder folder;
    const std::string path = folder.File("szavaklista.txt");
    const std::string old = "\"régi\"\r\n";
    WriteFile(path, old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string reason;
        const bool written = fileio::WriteWholeFileAtomic(path, std::string(1 << 20, 'a'), reason);
        ::_exit(!written && reason == std::strerror(EFBIG) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write failed with the system's reason";
    EXPECT_EQ(ReadFile(path), old);
}

TEST(FileIo, FileNamesAreFoundInAnyLetterCasePreferringTheExactThenTheLowerCaseSpelling)
{
    TempFolder folder;
    EXPECT_EQ(fileio::FindFileNoCase(folder.Path(), "SzavakLista.txt"), "");
    WriteFile(folder.File("SZAVAKLISTA.TXT"), "1");
    EXPECT_EQ(fileio::FindFileNoCase(folder.Path(), "SzavakLista.txt"), folder.File("SZAVAKLISTA.TXT"));
    WriteFile(folder.File("szavaklista.txt"), "2");
    EXPECT_EQ(fileio::FindFileNoCase(folder.Path(), "SzavakLista.txt"), folder.File("szavaklista.txt"));
    WriteFile(folder.File("SzavakLista.txt"), "3");
    EXPECT_EQ(fileio::FindFileNoCase(folder.Path(), "SzavakLista.txt"), folder.File("SzavakLista.txt"));
    ASSERT_EQ(::mkdir(folder.File("ujszavaklista.txt").c_str(), 0755), 0);
    EXPECT_EQ(fileio::FindFileNoCase(folder.Path(), "UjSzavakLista.txt"), "") << "a folder is no file";
}

}  // namespace
