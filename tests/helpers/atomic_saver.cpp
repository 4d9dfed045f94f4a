// Saves the player's files over and over through the game's own save code,
// alternating between two known versions, in processes that the kill test
// (robustness_kill_test.cpp) kills with SIGKILL at random moments; the test
// then checks that every file holds one version or the other, whole, and
// that the record of finished games holds every game added before, whole.
//
//   atomic_saver <data folder> <version A folder> <version B folder>
//
// Each version folder holds "SzavakLista.txt" and "UjSzavakLista.txt"; the
// word list must already be sorted and clean, so that saving it gives back
// its bytes. The settings alternate between two fixed sets of values. The
// record of finished games ("Jatekok.txt") must already be in the data
// folder; every round adds a game to it, RecordedGame(true) in rounds of
// version A and RecordedGame(false) in rounds of version B.
//
// The program loads both versions once (so that each saves back into the
// data folder) and then serves the test: for every byte "a" or "b" read from
// standard input it forks a saver, writes "P<pid>\n" to standard output,
// waits for the saver to die and writes "W<wait status>\n". A saver saves
// the version it was asked for first, then the other, and so on, each round
// being both word lists, the settings and one game added to the record, and
// writes one byte "." to descriptor 3 after every round. The program ends at
// the end of its input.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "app/settings.h"
#include "game/game_record.h"
#include "game/word_lists.h"
#include "platform/app_error.h"
#include "platform/file_io.h"
#include "recorded_game.h"

namespace {

// The two sets of settings values; the test knows the files they give.
constexpr Settings kSettingsA{111, -222, 3};
constexpr Settings kSettingsB{-2147483647 - 1, 2147483647, 5};

[[noreturn]] void Die(const std::string& message)
{
    std::fputs(("atomic_saver: " + message + "\n").c_str(), stderr);
    std::_Exit(2);
}

void Send(int fd, const std::string& text)
{
    if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        std::_Exit(3);  // the test has gone away
}

// Puts a version's files into the data folder (crash-safe, like every save)
// and loads them from there, so that the lists save back into that folder.
void LoadVersion(WordLists& lists, const std::string& dataDir, const std::string& versionDir)
{
    for (const char* name : {WordLists::kWordListName, WordLists::kNewWordListName}) {
        std::string reason;
        const std::string text = fileio::ReadWholeFile(fileio::JoinPath(versionDir, name));
        if (!fileio::WriteWholeFileAtomic(fileio::JoinPath(dataDir, name), text, reason))
            Die("cannot copy " + std::string(name) + ": " + reason);
    }
    lists.Load(dataDir);
}

[[noreturn]] void SaveForever(const WordLists& a, const WordLists& b, const std::string& settingsFile,
                              GameRecord& record, bool useA)
{
    try {
        for (;; useA = !useA) {
            if ((useA ? a : b).Save() != 2)
                Die("a word list could not be saved");
            SaveSettings(settingsFile, useA ? kSettingsA : kSettingsB);
            if (!record.Add(RecordedGame(useA)))
                Die("a game could not be recorded: " + record.Problem());
            Send(3, ".");
        }
    } catch (const AppError& error) {
        Die(error.what());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        Die("usage: atomic_saver <data folder> <version A folder> <version B folder>");
    const std::string dataDir = argv[1];
    const std::string settingsFile = fileio::JoinPath(dataDir, "Vorpanta.ini");
    WordLists a;
    WordLists b;
    GameRecord record;
    record.Open(dataDir);
    try {
        LoadVersion(a, dataDir, argv[2]);
        LoadVersion(b, dataDir, argv[3]);
        SaveSettings(settingsFile, kSettingsA);
        // A list may finish loading in a thread of its own; a lookup waits
        // for it, so that no thread runs when the savers are forked.
        a.IsKnown("");
        b.IsKnown("");
    } catch (const AppError& error) {
        Die(error.what());
    }
    Send(STDOUT_FILENO, "R\n");
    for (char command; ::read(STDIN_FILENO, &command, 1) == 1;) {
        if (command != 'a' && command != 'b')
            continue;
        const pid_t saver = ::fork();
        if (saver < 0)
            Die("fork failed");
        if (saver == 0)
            SaveForever(a, b, settingsFile, record, command == 'a');
        Send(STDOUT_FILENO, "P" + std::to_string(saver) + "\n");
        int status = 0;
        if (::waitpid(saver, &status, 0) != saver)
            Die("waitpid failed");
        Send(STDOUT_FILENO, "W" + std::to_string(status) + "\n");
    }
    return 0;
}
