#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <random>
#include <set>
#include <thread>

#include "app/first_start.h"
#include "game/word_lists.h"
#include "platform/file_io.h"
#include "test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

class FirstStart : public ::testing::Test {
protected:
    FirstStart()
    {
        locations.programDir = root.File("program");
        locations.dataDir = root.File("share/deeper/Vorpanta");
        locations.settingsFile = locations.dataDir + "/Vorpanta.ini";
        std::filesystem::create_directories(locations.programDir + "/dictionary");
        WriteFile(ShippedWordListPath(locations.programDir), "\"alma\"\r\n\"k\xF6r\"\r\n");
    }
    TempFolder root;
    DataLocations locations;
};

TEST_F(FirstStart, ANewDataFolderGetsTheShippedWordList)
{
    EXPECT_TRUE(PrepareDataFolder(locations));
    EXPECT_TRUE(fileio::DirectoryExists(locations.dataDir)) << "made with its parents";
    EXPECT_EQ(ReadFile(locations.dataDir + "/SzavakLista.txt"), "\"alma\"\r\n\"k\xF6r\"\r\n");
}

TEST_F(FirstStart, AnExistingDataFolderIsLeftAloneEvenWithoutAList)
{
    std::filesystem::create_directories(locations.dataDir);
    EXPECT_FALSE(PrepareDataFolder(locations));
    EXPECT_FALSE(fileio::FileExists(locations.dataDir + "/SzavakLista.txt"));

    WriteFile(locations.dataDir + "/SzavakLista.txt", "");  // emptied by the player
    EXPECT_FALSE(PrepareDataFolder(locations));
    EXPECT_EQ(ReadFile(locations.dataDir + "/SzavakLista.txt"), "");
}

TEST_F(FirstStart, WithoutAShippedListTheFolderIsStillMade)
{
    std::filesystem::remove(ShippedWordListPath(locations.programDir));
    EXPECT_FALSE(PrepareDataFolder(locations));
    EXPECT_TRUE(fileio::DirectoryExists(locations.dataDir));
}

TEST_F(FirstStart, ACutShortCopyIsFinishedByTheNextStart)
{
    // Killed before the list was renamed into place: the marker is there.
    std::filesystem::create_directories(locations.dataDir);
    WriteFile(locations.dataDir + "/.SzavakLista.placing", "");
    EXPECT_TRUE(PrepareDataFolder(locations));
    EXPECT_EQ(ReadFile(locations.dataDir + "/SzavakLista.txt"), "\"alma\"\r\n\"k\xF6r\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(locations.dataDir + "/.SzavakLista.placing"));

    // Killed after the rename: the whole list stays as it is.
    WriteFile(locations.dataDir + "/.SzavakLista.placing", "");
    WriteFile(locations.dataDir + "/SzavakLista.txt", "\"copied\"\r\n");
    EXPECT_TRUE(PrepareDataFolder(locations));
    EXPECT_EQ(ReadFile(locations.dataDir + "/SzavakLista.txt"), "\"copied\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(locations.dataDir + "/.SzavakLista.placing"));
}

TEST_F(FirstStart, AFolderThatCannotBeMadeIsNoError)
{
    WriteFile(root.File("blocker"), "");
    locations.dataDir = root.File("blocker/Vorpanta");  // below a file
    EXPECT_FALSE(PrepareDataFolder(locations));
    EXPECT_FALSE(fileio::DirectoryExists(locations.dataDir));
}

// A sorted list of about `bytes` bytes, as the program ships it.
std::string ShippedList(std::size_t bytes)
{
    std::string text;
    for (unsigned n = 0; text.size() < bytes; ++n) {
        std::string word = "aaaaaa";
        for (unsigned i = 6, rest = n; i-- > 0; rest /= 26)
            word[i] = static_cast<char>('a' + rest % 26);
        text += "\"" + word + "\"\r\n";
    }
    return text;
}

std::set<std::string> Names(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Holds a file's lock, as a start that is copying the list holds the marker's.
class HeldLock {
public:
    explicit HeldLock(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        EXPECT_TRUE(fd_ >= 0 && ::flock(fd_, LOCK_EX) == 0);
    }
    ~HeldLock() { Release(); }
    void Release()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

TEST_F(FirstStart, TheGameKnowsTheWordsWhileTheListIsCopiedAndSavesOnlyAfterTheCopy)
{
    const std::string shipped = ShippedList(2 << 20);
    WriteFile(ShippedWordListPath(locations.programDir), shipped);
    // A start cut short left the marker, so this one copies the list again;
    // the test holds the copy back with the marker's lock.
    std::filesystem::create_directories(locations.dataDir);
    WriteFile(locations.dataDir + "/.SzavakLista.placing", "");
    WordLists lists;
    std::future<int> saving;
    HeldLock copyHeldBack(locations.dataDir + "/.SzavakLista.placing");

    lists.Load(locations.dataDir, WordListCopy::Start(locations));
    EXPECT_TRUE(lists.IsKnown("AAAAAA"));
    EXPECT_TRUE(lists.IsKnown("AAKZZZ"));
    lists.AddWord("ZZZZZZZ");
    saving = std::async(std::launch::async, [&lists] { return lists.Save(); });
    EXPECT_EQ(saving.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout) << "saved before the copy";
    EXPECT_EQ(Names(locations.dataDir), std::set<std::string>{".SzavakLista.placing"});

    copyHeldBack.Release();
    EXPECT_EQ(saving.get(), 2);
    // The save came after the copy and went into the same file.
    EXPECT_EQ(Names(locations.dataDir), (std::set<std::string>{"SzavakLista.txt", "ujszavaklista.txt"}));
    EXPECT_EQ(ReadFile(locations.dataDir + "/SzavakLista.txt"), shipped + "\"ZZZZZZZ\"\r\n");
}

TEST_F(FirstStart, TwoStartsAtOnceCopyOneWholeList)
{
    const std::string shipped = ShippedList(4 << 20);
    WriteFile(ShippedWordListPath(locations.programDir), shipped);
    std::shared_ptr<WordListCopy> first;
    std::shared_ptr<WordListCopy> second;
    std::thread other([&] { second = WordListCopy::Start(locations); });
    first = WordListCopy::Start(locations);
    other.join();
    ASSERT_TRUE(first || second);
    EXPECT_TRUE(!first || first->Wait());
    EXPECT_TRUE(!second || second->Wait());
    EXPECT_EQ(Names(locations.dataDir), std::set<std::string>{"SzavakLista.txt"});
    EXPECT_EQ(Names(root.File("share/deeper")), std::set<std::string>{"Vorpanta"});
    EXPECT_TRUE(ReadFile(locations.dataDir + "/SzavakLista.txt") == shipped);
}

// A first start killed at any moment leaves no list or the whole list, never
// a part of it, and the next start ends with the whole list and nothing
// left over beside the data folder.
TEST_F(FirstStart, AKillAtAnyMomentLeavesNoListOrTheWholeOne)
{
    const std::string shipped = ShippedList(8 << 20);
    WriteFile(ShippedWordListPath(locations.programDir), shipped);
    const std::string list = locations.dataDir + "/SzavakLista.txt";
    const std::string parent = root.File("share/deeper");

    // How long a whole first start takes here, so that the kills spread over it.
    const auto probeStart = std::chrono::steady_clock::now();
    ASSERT_TRUE(PrepareDataFolder(locations));
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - probeStart);
    std::filesystem::remove_all(parent);

    std::mt19937 random(20261208);
    std::uniform_int_distribution<long> delay(0, span.count() * 3 / 2);
    int withoutList = 0;
    int withList = 0;
    for (int kill = 0; kill < 40; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::alarm(30);
            PrepareDataFolder(locations);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        if (std::filesystem::exists(list)) {
            ASSERT_TRUE(ReadFile(list) == shipped) << "a part of the list after kill " << kill;
            ++withList;
        } else {
            ++withoutList;
        }
        // The next start.
        PrepareDataFolder(locations);
        ASSERT_TRUE(ReadFile(list) == shipped) << "no whole list after kill " << kill;
        ASSERT_EQ(Names(locations.dataDir), std::set<std::string>{"SzavakLista.txt"}) << "after kill " << kill;
        ASSERT_EQ(Names(parent), std::set<std::string>{"Vorpanta"}) << "after kill " << kill;
        std::filesystem::remove_all(parent);
    }
    std::printf("[ KILLS    ] 40 kills over %lld µs: %d left no list, %d the whole list\n",
                static_cast<long long>(span.count()), withoutList, withList);
    EXPECT_GT(withoutList, 0) << "no kill landed before the list was in place";
    EXPECT_GT(withList, 0) << "no kill landed after the list was in place";
}

}  // namespace
