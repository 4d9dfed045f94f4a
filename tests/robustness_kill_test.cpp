// A save killed at any moment leaves every file whole: the settings file and
// both word lists each hold the old version or the new one, byte for byte,
// and the record of finished games holds every game added before the kill
// (and perhaps the one being added), each line whole.
//
// A helper program (helpers/atomic_saver.cpp) saves two versions of a
// several-megabyte word list, the new-word list and the settings, one after
// the other, and adds a game to a record of a long history, through the
// game's own save code; this test kills it with SIGKILL at random moments,
// hundreds of times, and looks at the files after every kill.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "helpers/recorded_game.h"
#include "test_support.h"

extern char** environ;

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

constexpr int kKills = 220;
// The whole test stays well inside a minute even on a slow, busy machine.
constexpr std::chrono::seconds kTimeBudget{45};

// The number of kills: kKills, or VORPANTA_KILLS for a long run by hand
// (VORPANTA_KILLS=1000 ctest -R KilledSave); its time budget grows with it.
int KillCount()
{
    const char* text = std::getenv("VORPANTA_KILLS");
    const int count = text ? std::atoi(text) : 0;
    return count > 0 ? count : kKills;
}

// A sorted, clean word list of about `bytes` bytes: every entry is `prefix`
// and six letters between quotes, in ascending order.
std::string MakeWordList(char prefix, std::size_t bytes)
{
    std::string text;
    text.reserve(bytes + 16);
    for (unsigned n = 0; text.size() < bytes; ++n) {
        std::string word(6, 'a');
        unsigned rest = n;
        for (int i = 5; i >= 0; --i, rest /= 26)
            word[static_cast<std::size_t>(i)] = static_cast<char>('a' + rest % 26);
        text += '"';
        text += prefix;
        text += word;
        text += "\"\r\n";
    }
    return text;
}

// A new-word list as the player leaves it: repeats and blank lines stay.
std::string MakeNewWordList(const std::string& word, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i % 7 == 3 ? std::string() : "\"" + word + "\"") + "\r\n";
    return text;
}

// The settings files the helper's two sets of values give.
const std::string kSettingsA = "[Screen]\r\nLeft=111\r\nTop=-222\r\n\r\n[Game]\r\nHard=3\r\n";
const std::string kSettingsB = "[Screen]\r\nLeft=-2147483648\r\nTop=2147483647\r\n\r\n[Game]\r\nHard=5\r\n";

// A record of finished games as a long-time player has it: `games` lines, a
// damaged one among them, which every addition keeps.
std::string MakeHistory(int games)
{
    std::string text;
    for (int i = 0; i < games; ++i) {
        FinishedGame game = RecordedGame(i % 3 != 0);
        game.score += i;
        text += GameRecordLine(game);
        if (i == games / 2)
            text += "edited by hand\r\n";
    }
    return text;
}

// How many games were added to `history` in `record`: the record must be
// the history followed by whole lines of the helper's two games; -1 when
// it is not.
int AddedGames(const std::string& record, const std::string& history)
{
    if (record.size() < history.size() || record.compare(0, history.size(), history) != 0)
        return -1;
    const std::string lineA = GameRecordLine(RecordedGame(true));
    const std::string lineB = GameRecordLine(RecordedGame(false));
    int added = 0;
    for (std::size_t at = history.size(); at < record.size(); ++added) {
        if (record.compare(at, lineA.size(), lineA) == 0)
            at += lineA.size();
        else if (record.compare(at, lineB.size(), lineB) == 0)
            at += lineB.size();
        else
            return -1;
    }
    return added;
}

// The helper program, with a pipe to its input, one from its output and
// one from descriptor 3, where its savers report finished rounds.
class SaverServer {
public:
    SaverServer(const std::string& dataDir, const std::string& a, const std::string& b)
    {
        int input[2], output[2], rounds[2];
        EXPECT_EQ(::pipe2(input, O_CLOEXEC), 0);
        EXPECT_EQ(::pipe2(output, O_CLOEXEC), 0);
        EXPECT_EQ(::pipe2(rounds, O_CLOEXEC), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, rounds[1], 3);
        const std::string program = VORPANTA_ATOMIC_SAVER;
        std::string args[] = {program, dataDir, a, b};
        char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), nullptr};
        const int error = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(error, 0) << program;
        ::close(input[0]);
        ::close(output[1]);
        ::close(rounds[1]);
        input_ = input[1];
        output_ = output[0];
        rounds_ = rounds[0];
        ::fcntl(rounds_, F_SETFL, O_NONBLOCK);
    }

    ~SaverServer()
    {
        ::close(input_);  // the helper ends at the end of its input
        int status = 0;
        ::waitpid(pid_, &status, 0);
        ::close(output_);
        ::close(rounds_);
    }

    // The next line of the helper's output, without its line end; empty
    // when none came in time.
    std::string ReadLine(std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const std::size_t end = buffered_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffered_.substr(0, end);
                buffered_.erase(0, end + 1);
                return line;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{output_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return {};
            char buffer[256];
            const ssize_t n = ::read(output_, buffer, sizeof buffer);
            if (n <= 0)
                return {};
            buffered_.append(buffer, static_cast<std::size_t>(n));
        }
    }

    // Starts a saver that saves version A first (or B); its process id, or
    // -1.
    pid_t Go(bool versionAFirst = true)
    {
        if (::write(input_, versionAFirst ? "a" : "b", 1) != 1)
            return -1;
        const std::string line = ReadLine(std::chrono::seconds(30));
        return line.size() > 1 && line[0] == 'P' ? static_cast<pid_t>(std::stol(line.substr(1))) : -1;
    }

    // The wait status of the saver that died last, or -1.
    int Reaped()
    {
        const std::string line = ReadLine(std::chrono::seconds(30));
        return line.size() > 1 && line[0] == 'W' ? std::stoi(line.substr(1)) : -1;
    }

    // Rounds finished since the last call.
    int Rounds()
    {
        int count = 0;
        char buffer[256];
        for (ssize_t n; (n = ::read(rounds_, buffer, sizeof buffer)) > 0;)
            count += static_cast<int>(n);
        return count;
    }

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    int rounds_ = -1;
    std::string buffered_;
};

std::set<std::string> Entries(const std::string& folder)
{
    std::set<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.insert(name);
        }
        ::closedir(dir);
    }
    return names;
}

std::string Which(const std::string& content, const std::string& a, const std::string& b)
{
    if (content == a)
        return "A";
    if (content == b)
        return "B";
    return "neither (" + std::to_string(content.size()) + " bytes)";
}

TEST(KilledSave, EveryFileHoldsOneWholeVersionAfterEachKill)
{
    TempFolder root;
    const std::string data = root.File("data");
    const std::string versionA = root.File("a");
    const std::string versionB = root.File("b");
    for (const auto& folder : {data, versionA, versionB})
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);

    const std::string wordsA = MakeWordList('a', 3 << 20);
    const std::string wordsB = MakeWordList('b', (3 << 20) + 4096);
    const std::string newA = MakeNewWordList("ALMA", 3000);
    const std::string newB = MakeNewWordList("K\xD6R", 2000);
    WriteFile(versionA + "/SzavakLista.txt", wordsA);
    WriteFile(versionA + "/UjSzavakLista.txt", newA);
    WriteFile(versionB + "/SzavakLista.txt", wordsB);
    WriteFile(versionB + "/UjSzavakLista.txt", newB);
    // The player's files before the first save.
    WriteFile(data + "/SzavakLista.txt", wordsA);
    WriteFile(data + "/UjSzavakLista.txt", newA);
    WriteFile(data + "/Vorpanta.ini", kSettingsA);
    // About a megabyte: some 20 000 finished games.
    const std::string history = MakeHistory(20000);
    WriteFile(data + "/Jatekok.txt", history);
    const std::set<std::string> ownFiles = {"SzavakLista.txt", "UjSzavakLista.txt", "Vorpanta.ini", "Jatekok.txt"};

    SaverServer server(data, versionA, versionB);
    ASSERT_EQ(server.ReadLine(std::chrono::seconds(60)), "R") << "the helper did not start";

    // How long one round of saves takes here, so that the kills spread over
    // whole rounds.
    const pid_t probe = server.Go();
    ASSERT_GT(probe, 0);
    const auto probeStart = std::chrono::steady_clock::now();
    int probeRounds = 0;
    while (probeRounds < 4 && std::chrono::steady_clock::now() - probeStart < std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        probeRounds += server.Rounds();
    }
    const auto round = (std::chrono::steady_clock::now() - probeStart) / std::max(probeRounds, 1);
    ::kill(probe, SIGKILL);
    ASSERT_NE(server.Reaped(), -1);
    server.Rounds();
    ASSERT_GE(probeRounds, 1) << "the helper saved nothing in ten seconds";
    const auto longestDelay = std::chrono::duration_cast<std::chrono::microseconds>(round) * 3;

    const int wanted = KillCount();
    // A long run by hand gets time to spare: three times the usual pace.
    const auto budget = wanted == kKills ? kTimeBudget : kTimeBudget * (3 * wanted / kKills + 1);
    std::mt19937 random(20261208);
    // The kills land anywhere from the saver's start to a few rounds later.
    // A busy machine slows the rounds down after the probe, so the reach
    // follows what the kills meet: longer while they mostly land in a first
    // round, shorter while they mostly land after one.
    double reach = 1.0;
    const auto start = std::chrono::steady_clock::now();
    int kills = 0;
    int killsAfterARound = 0;
    std::map<std::string, int> seen;  // "A"/"B" per file, over all kills
    std::set<std::string> strays;
    const std::regex strayName(R"((SzavakLista\.txt|UjSzavakLista\.txt|Vorpanta\.ini|Jatekok\.txt)\.[A-Za-z0-9]{6})");
    int recorded = AddedGames(ReadFile(data + "/Jatekok.txt"), history);
    while (kills < wanted && std::chrono::steady_clock::now() - start < budget) {
        // Every other saver starts with the other version, so that kills in
        // a first round catch the change in both directions.
        const pid_t saver = server.Go(kills % 2 == 0);
        ASSERT_GT(saver, 0) << "no saver started after " << kills << " kills";
        std::uniform_int_distribution<long> delay(0, static_cast<long>(longestDelay.count() * reach));
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ASSERT_EQ(::kill(saver, SIGKILL), 0);
        const int status = server.Reaped();
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saver ended by itself (status " << status << ") after " << kills << " kills";
        const bool afterARound = server.Rounds() > 0;
        killsAfterARound += afterARound;
        reach = std::clamp(reach * (afterARound ? 0.97 : 1.03), 0.25, 20.0);
        ++kills;

        const std::string words = Which(ReadFile(data + "/SzavakLista.txt"), wordsA, wordsB);
        const std::string newWords = Which(ReadFile(data + "/UjSzavakLista.txt"), newA, newB);
        const std::string settings = Which(ReadFile(data + "/Vorpanta.ini"), kSettingsA, kSettingsB);
        ASSERT_TRUE(words.size() == 1 && newWords.size() == 1 && settings.size() == 1)
            << "after kill " << kills << ": word list " << words << ", new-word list " << newWords
            << ", settings " << settings;
        ++seen["words " + words];
        ++seen["settings " + settings];
        // No game that was recorded before is ever lost, nor half a line left.
        const int nowRecorded = AddedGames(ReadFile(data + "/Jatekok.txt"), history);
        ASSERT_GE(nowRecorded, recorded) << "after kill " << kills << ": the record "
                                         << (nowRecorded < 0 ? "is damaged" : "lost games");
        recorded = nowRecorded;

        // Besides its own files, a kill can leave at most the one finished
        // copy that was about to be renamed over its file.
        std::set<std::string> newStrays;
        for (const std::string& name : Entries(data)) {
            if (ownFiles.count(name) || strays.count(name))
                continue;
            ASSERT_TRUE(std::regex_match(name, strayName)) << "unexpected file " << name;
            newStrays.insert(name);
        }
        ASSERT_LE(newStrays.size(), 1u) << "one kill left several temporary files";
        for (const std::string& name : newStrays) {
            const std::string content = ReadFile(data + "/" + name);
            const bool whole = content == wordsA || content == wordsB || content == newA || content == newB ||
                               content == kSettingsA || content == kSettingsB || AddedGames(content, history) >= 0;
            EXPECT_TRUE(whole) << name << " is a partial copy";
            strays.insert(name);
        }
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    RecordProperty("kills", kills);
    RecordProperty("strays", static_cast<int>(strays.size()));
    std::printf("[ KILLS    ] %d kills in %lld ms (one round %lld ms), %d after a finished round; "
                "word list A/B %d/%d, settings A/B %d/%d; %d games recorded; %zu temporary files left over\n",
                kills, static_cast<long long>(elapsed.count()),
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(round).count()),
                killsAfterARound, seen["words A"], seen["words B"], seen["settings A"], seen["settings B"],
                recorded, strays.size());
    EXPECT_GE(kills, wanted * 10 / 11) << "too few kills in the time budget";
    EXPECT_GT(killsAfterARound, kills / 4) << "the kills did not reach into the saving rounds";
    EXPECT_GT(std::min(seen["words A"], seen["words B"]), kills / 10) << "the kills did not catch both versions";
    EXPECT_GT(std::min(seen["settings A"], seen["settings B"]), kills / 10) << "the kills did not catch both versions";
    EXPECT_GE(recorded, killsAfterARound) << "a finished round did not add its game";
}

}  // namespace
