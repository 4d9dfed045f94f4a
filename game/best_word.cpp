#include "game/best_word.h"

#include <charconv>

#include "game/scoring.h"
#include "platform/file_io.h"

std::string BestWordRecord::Format(const TakenWord& record)
{
    return record.word + "\t" + std::to_string(record.score) + "\r\n";
}

std::optional<TakenWord> BestWordRecord::Parse(const std::string& text)
{
    const std::size_t end = text.find_first_of("\r\n");
    const std::string line = text.substr(0, end);
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0)
        return std::nullopt;
    TakenWord record{line.substr(0, tab), 0};
    // Only tile letters, and the points they are worth: anything else is a
    // damaged record.
    for (char c : record.word)
        if (LetterValue(c) == 0)
            return std::nullopt;
    const char* first = line.data() + tab + 1;
    const char* last = line.data() + line.size();
    const auto [ptr, ec] = std::from_chars(first, last, record.score);
    if (ec != std::errc() || ptr != last || first == last || *first == '-' || record.score != WordScore(record.word))
        return std::nullopt;
    return record;
}

void BestWordRecord::Load(const std::string& dataDir)
{
    best_.reset();
    path_.clear();
    try {
        const std::string path = fileio::JoinPath(dataDir, kFileName);
        if (fileio::FileExists(path))
            best_ = Parse(fileio::ReadWholeFile(path));
        else if (fileio::DirectoryExists(path))
            return;  // a folder of that name is left alone
        path_ = path;
    } catch (...) {
        // Unreadable: no record in this run, and the file stays as it is.
        best_.reset();
    }
}

bool BestWordRecord::Offer(const std::string& word, std::int32_t score)
{
    if (word.empty() || (best_ && score <= best_->score))
        return false;
    try {
        best_ = TakenWord{word, score};
        if (!path_.empty()) {
            std::string reason;
            fileio::WriteWholeFileAtomic(path_, Format(*best_), reason);
        }
    } catch (...) {
    }
    return true;
}
