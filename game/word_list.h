// The dictionary: a sorted list of entries without two equal ones, compared
// ignoring letter case (code page 1250 folding).
//
// Entries are kept compactly: one text buffer holding every entry, and a
// sorted vector of (offset, length) pairs into it. The file's own bytes serve
// as the buffer, so loading copies nothing per line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class WordList {
public:
    // Builds the list from a file's whole text, exactly as if every line were
    // put into a case-insensitive list, that list sorted (equal lines keep
    // their file order), cleaned of blank and repeated lines with CleanList,
    // and its text added again line by line with equal lines skipped.
    // Runs in O(n log n); a text that is already sorted and clean is taken
    // in one pass.
    void Load(std::string text);

    // The largest text Load takes.
    static constexpr std::size_t kMaxTextSize = 0xFFFFFFFFu;

    std::size_t Count() const { return entries_.size(); }
    std::string_view operator[](std::size_t index) const;

    bool Contains(std::string_view entry) const;
    // Inserts at the sorted place; does nothing when an equal entry is held.
    void Add(std::string_view entry);

    // Every entry followed by CR LF, in list order.
    std::string Text() const;

private:
    // Offsets fit 32 bits: WordLists refuses larger files.
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    std::string_view View(const Span& s) const { return std::string_view(buffer_).substr(s.offset, s.length); }
    // Binary search that stops at the first equal entry the halving meets.
    bool Find(std::string_view entry, std::size_t& index) const;

    std::string buffer_;
    std::vector<Span> entries_;
};
