// The player's best word of all time, kept in "LegjobbSzo.txt" in the data
// folder: one line of the word, a tab and its points (code page 1250, CR LF).
//
// It is read at start; a missing or damaged file is simply no record. A new
// record is written at once, crash-safe (a temporary file renamed over the
// old one). A file that exists but cannot be read is never written over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/taken_words.h"

class BestWordRecord {
public:
    static constexpr const char* kFileName = "LegjobbSzo.txt";

    // Reads the record of `dataDir`. Never throws.
    void Load(const std::string& dataDir);
    // Keeps the word when it scores more than the record, and writes it.
    // Returns whether it is the new record (even when it could not be
    // written; it is then written with the next record). Never throws.
    bool Offer(const std::string& word, std::int32_t score);

    const std::optional<TakenWord>& Best() const { return best_; }

    // The file's text for a record, and the record in a file's text
    // (nothing when the text is damaged).
    static std::string Format(const TakenWord& record);
    static std::optional<TakenWord> Parse(const std::string& text);

private:
    std::string path_;  // empty: not to be written
    std::optional<TakenWord> best_;
};
