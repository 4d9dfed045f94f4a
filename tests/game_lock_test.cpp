// One game per data folder: the lock, as two starts meet it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/game_lock.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;
using testing_support::TempFolder;

// The running game's side: answers every knock with `answer` until stopped.
class Holder {
public:
    Holder(GameLock& lock, GameLock::Answer answer) : lock_(lock)
    {
        thread_ = std::thread([this, answer] {
            while (!stop_) {
                pollfd p{lock_.Socket(), POLLIN, 0};
                if (::poll(&p, 1, 10) > 0)
                    knocks += lock_.AnswerKnocks(answer);
            }
        });
    }
    ~Holder()
    {
        stop_ = true;
        thread_.join();
    }
    std::atomic<int> knocks{0};

private:
    GameLock& lock_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(GameLock, ASecondStartOnTheSameFolderKnocksAndTheGameComesToTheFront)
{
    TempFolder root;
    const std::string data = root.File("Vorpanta");  // not made yet, as before a first start
    GameLock first(data);
    ASSERT_EQ(first.TakeOrKnock(), GameLock::Outcome::Taken);
    {
        Holder holder(first, GameLock::Answer::InFront);
        // The same folder however it is named: a link, a trailing slash, "..".
        std::filesystem::create_directories(root.File("elsewhere"));
        std::filesystem::create_directory_symlink(root.Path(), root.File("link"));
        for (const std::string& name :
             {data, data + "/", root.File("link/Vorpanta"), root.File("elsewhere/../Vorpanta")}) {
            SCOPED_TRACE(name);
            GameLock second(name);
            EXPECT_EQ(second.TakeOrKnock(), GameLock::Outcome::OtherInFront);
            EXPECT_EQ(second.Socket(), -1);
        }
        EXPECT_EQ(holder.knocks, 4);
    }
    // Nothing of it stands in the file system.
    EXPECT_FALSE(std::filesystem::exists(data));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.Path()), {}), 2);

    // Another folder is another game.
    GameLock other(root.File("Other"));
    EXPECT_EQ(other.TakeOrKnock(), GameLock::Outcome::Taken);

    // Let go, the next start takes it.
    first.Release();
    GameLock next(data);
    EXPECT_EQ(next.TakeOrKnock(), GameLock::Outcome::Taken);
}

TEST(GameLock, AStartThatMeetsAnEndingGameWaitsForItsSavesAndThenRuns)
{
    TempFolder root;
    GameLock ending(root.Path());
    ASSERT_EQ(ending.TakeOrKnock(), GameLock::Outcome::Taken);
    std::thread saves;
    {
        Holder holder(ending, GameLock::Answer::Ending);
        saves = std::thread([&] {
            while (holder.knocks == 0)
                std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(150ms);  // the saves
            ending.Release();
        });
        GameLock next(root.Path());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(next.TakeOrKnock(), GameLock::Outcome::Taken);
        EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
        saves.join();
    }
}

TEST(GameLock, AGameThatNeverAnswersStillKeepsASecondGameFromRunning)
{
    TempFolder root;
    GameLock busy(root.Path());
    ASSERT_EQ(busy.TakeOrKnock(), GameLock::Outcome::Taken);
    GameLock second(root.Path());
    EXPECT_EQ(second.TakeOrKnock(300ms), GameLock::Outcome::OtherInFront);
    // The knock waited unanswered; the holder still answers it later.
    EXPECT_EQ(busy.AnswerKnocks(GameLock::Answer::InFront), 1);
}

TEST(GameLock, ALockOfAKilledGameIsNoLock)
{
    TempFolder root;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        GameLock lock(root.Path());
        const char taken = lock.TakeOrKnock() == GameLock::Outcome::Taken ? 'T' : 'N';
        (void)!::write(ready[1], &taken, 1);
        for (;;)
            ::pause();
    }
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    EXPECT_EQ(taken, 'T');
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    GameLock next(root.Path());
    EXPECT_EQ(next.TakeOrKnock(), GameLock::Outcome::Taken);
}

}  // namespace
