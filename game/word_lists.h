// The game's two word lists and their files in the data folder.
//
// The WordList ("SzavakLista.txt") decides which words are known; the
// NewWordList ("UjSzavakLista.txt") records, in order and with repeats, every
// word the player taught the game. Entries are the word between double
// quotes, kept byte for byte. File names are matched ignoring letter case;
// each list is written back into the file it was read from, and a list whose
// file did not exist is created under the lower-case name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/first_start.h"
#include "game/word_list.h"

class WordLists {
public:
    static constexpr const char* kWordListName = "SzavakLista.txt";
    static constexpr const char* kNewWordListName = "UjSzavakLista.txt";

    // Reads both files of `dataDir`; a missing file leaves its list empty.
    // Throws AppError ("Cannot open file ...") for a file that exists but
    // cannot be read; what was read before stays, and a file that could not
    // be read is never saved over.
    // While `copy` is still copying the shipped word list into the data
    // folder, the words are read from the shipped file, and the list is saved
    // where it is being copied to, once it stands there.
    void Load(const std::string& dataDir, std::shared_ptr<WordListCopy> copy = nullptr);
    // Writes both lists back, each crash-safe, after any copy of the shipped
    // word list has finished. A failure is ignored and does
    // not keep the other list from being written; a write-protected file is
    // left as it is. Returns how many of the two files were written.
    int Save() const;
    // The save at close: the same, but a list is written only when its file
    // would change, that is when words were taught in this run or the file
    // was not already exactly what saving writes (sorted, clean, CR LF; for
    // the new-word list its lines with CR LF), or is missing. The files end
    // up byte for byte as Save would leave them, without rewriting a large
    // dictionary on every close. Returns how many files were written.
    int SaveChanged() const;

    // The entry of a word: a double quote, the word, a double quote.
    static std::string KeyOf(std::string_view word);

    bool IsKnown(std::string_view word) const { return words_.Contains(KeyOf(word)); }
    // Adds the word's entry to the word list (unless held) and to the end of
    // the new-word list (always).
    void AddWord(std::string_view word);

    const WordList& Words() const { return words_; }
    const std::vector<std::string>& NewWords() const { return newWords_; }
    const std::string& WordListPath() const { return wordListPath_; }
    const std::string& NewWordListPath() const { return newWordListPath_; }

private:
    int Write(bool words, bool newWords) const;

    WordList words_;
    std::vector<std::string> newWords_;
    std::string wordListPath_;
    std::string newWordListPath_;
    std::shared_ptr<WordListCopy> listCopy_;
    // The word list's file was read (or is being copied from what was read).
    bool wordListRead_ = false;
    // The new-word list's file was read and was exactly its lines with CR LF.
    bool newWordsInSavedForm_ = false;
    std::size_t newWordsRead_ = 0;
};
