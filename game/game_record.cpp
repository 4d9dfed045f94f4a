#include "game/game_record.h"

#include <charconv>

#include "game/scoring.h"
#include "platform/file_io.h"
#include "platform/text_helpers.h"

namespace {

constexpr char kOrdinaryBoard[] = "0";

// A whole number from 0 up written the plain way: digits only, no sign, no
// leading zero.
std::optional<std::int32_t> Count(std::string_view text)
{
    if (text.empty() || (text.size() > 1 && text[0] == '0') || text[0] < '0' || text[0] > '9')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

}  // namespace

std::string GameRecordLine(const FinishedGame& game)
{
    std::string line = game.finished.IsoText();
    line += '\t' + std::to_string(game.score);
    line += '\t' + std::to_string(game.words);
    line += '\t' + game.bestWord;
    line += '\t' + std::to_string(game.bestPoints);
    line += '\t';
    line += game.dailyBoard ? game.dailyBoard->IsoText() : kOrdinaryBoard;
    line += "\r\n";
    return line;
}

std::optional<FinishedGame> ParseGameRecordLine(std::string_view line)
{
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() != 6)
        return std::nullopt;
    FinishedGame game;
    const std::optional<LocalTime> finished = LocalTime::FromIso(fields[0]);
    const std::optional<std::int32_t> score = Count(fields[1]);
    const std::optional<std::int32_t> words = Count(fields[2]);
    const std::optional<std::int32_t> bestPoints = Count(fields[4]);
    if (!finished || !score || !words || !bestPoints)
        return std::nullopt;
    game.finished = *finished;
    game.score = *score;
    game.words = *words;
    game.bestWord = std::string(fields[3]);
    game.bestPoints = *bestPoints;
    // A best word is made of tile letters and scores what it says; there is
    // one exactly when a word was taken, and it is part of the score.
    for (const char letter : game.bestWord)
        if (LetterValue(letter) == 0)
            return std::nullopt;
    if (WordScore(game.bestWord) != game.bestPoints || game.bestWord.empty() != (game.words == 0) ||
        game.bestPoints > game.score)
        return std::nullopt;
    if (fields[5] != kOrdinaryBoard) {
        game.dailyBoard = CalendarDate::FromIso(fields[5]);
        if (!game.dailyBoard)
            return std::nullopt;
    }
    return game;
}

std::string GameRecord::Trouble(const char* what) const
{
    std::string text = std::string(kFileName) + ": a f\xE1jl " + what;
    if (!unwritten_.empty())
        text += ", az utols\xF3 " + std::to_string(unwritten_.size()) + " j\xE1t\xE9k csak a mem\xF3ri\xE1" "ban van";
    return text + ".";
}

void GameRecord::Open(const std::string& dataDir)
{
    path_ = fileio::JoinPath(dataDir, kFileName);
}

bool GameRecord::ReadText(std::string& text)
{
    text.clear();
    if (path_.empty())
        return true;
    try {
        if (fileio::FileExists(path_)) {
            text = fileio::ReadWholeFile(path_);
            return true;
        }
        return !fileio::DirectoryExists(path_);  // a folder of that name is left alone
    } catch (...) {
        return false;
    }
}

std::vector<FinishedGame> GameRecord::Games()
{
    std::vector<FinishedGame> games;
    std::string text;
    if (ReadText(text)) {
        for (const std::string& line : SplitLines(text))
            if (std::optional<FinishedGame> game = ParseGameRecordLine(line))
                games.push_back(std::move(*game));
        if (unwritten_.empty())
            problem_.clear();
    } else {
        problem_ = Trouble("nem olvashat\xF3");
    }
    games.insert(games.end(), unwritten_.begin(), unwritten_.end());
    return games;
}

bool GameRecord::Add(const FinishedGame& game)
{
    unwritten_.push_back(game);
    if (path_.empty())
        return false;
    std::string text;
    if (!ReadText(text)) {
        // Written over, the games it holds would be lost.
        problem_ = Trouble("nem olvashat\xF3");
        return false;
    }
    // A last line without its line end (cut short by hand) stays a line of
    // its own.
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        text += "\r\n";
    for (const FinishedGame& waiting : unwritten_)
        text += GameRecordLine(waiting);
    std::string reason;
    if (!fileio::WriteWholeFileAtomic(path_, text, reason)) {
        problem_ = Trouble("nem \xEDrhat\xF3");
        return false;
    }
    unwritten_.clear();
    problem_.clear();
    return true;
}
