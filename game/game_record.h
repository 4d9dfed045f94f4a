// The record of every finished game, kept in "Jatekok.txt" in the data
// folder: one line per game, in the order the games ended, code page 1250
// with CR LF, six fields separated by tabs:
//
//   2026-12-09T14:03:27  1234  24  KOALA  35  2026-12-09
//
// when the game ended (local time), its score, the number of words taken,
// its best word (empty when none was taken) and that word's points, and "0"
// for an ordinary board or the date of the day whose board it was (which
// differs from the end's date only for a game played across midnight).
//
// A line is added when a game ends. The file is read afresh for every
// addition and written whole, crash-safe (a temporary file renamed over the
// old one), so a kill at any moment leaves the old or the new file. A line
// that cannot be read is skipped when reading and kept as it is when
// writing; a file that exists but cannot be read is never written over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

struct FinishedGame {
    LocalTime finished;
    std::int32_t score = 0;
    std::int32_t words = 0;
    std::string bestWord;  // code page 1250; empty when no word was taken
    std::int32_t bestPoints = 0;
    std::optional<CalendarDate> dailyBoard;  // the day of today's board; none for an ordinary one

    bool operator==(const FinishedGame&) const = default;
};

// The game's line, CR LF included.
std::string GameRecordLine(const FinishedGame& game);
// The game of a line (without its line end); nothing when the line is
// damaged: a field missing or extra, a number that is not one, a best word
// that is not made of tile letters or does not score its points.
std::optional<FinishedGame> ParseGameRecordLine(std::string_view line);

class GameRecord {
public:
    static constexpr const char* kFileName = "Jatekok.txt";

    // The record of this data folder. Until it is opened, games are kept in
    // memory only.
    void Open(const std::string& dataDir);
    const std::string& Path() const { return path_; }

    // Every finished game, oldest first: the file's (damaged lines skipped),
    // then those that could not be written yet. Never throws.
    std::vector<FinishedGame> Games();

    // Adds a game to the file, with any that could not be written before.
    // Never throws; when the file cannot be read or written the game waits in
    // memory for the next addition, and false is returned.
    bool Add(const FinishedGame& game);

    // What went wrong with the file the last time it was read or written,
    // for the player (code page 1250); empty when nothing did.
    const std::string& Problem() const { return problem_; }

private:
    // The file's text; false when a file (or a folder) stands there that
    // cannot be read.
    bool ReadText(std::string& text);
    // "Jatekok.txt: a fájl <what>", with the games that wait in memory.
    std::string Trouble(const char* what) const;

    std::string path_;
    std::vector<FinishedGame> unwritten_;
    std::string problem_;
};
