// An ordered list of text lines that carries its own comparison.
//
// The list compares its lines either byte for byte or ignoring letter case
// (code page 1250 folding), and may be kept sorted. A sorted list inserts
// every added line at its place and skips a line equal to one it holds.
// IndexOf is a linear search in an unsorted list (the first equal line) and a
// binary search in a sorted one, which stops at the first equal line the
// halving of the range meets (that need not be the first of several equal
// lines). CleanList relies on exactly that behaviour.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class StringList {
public:
    enum class Compare { CaseSensitive, CaseInsensitive };

    explicit StringList(Compare compare = Compare::CaseSensitive) : compare_(compare) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    const std::string& operator[](int index) const { return lines_[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& Lines() const { return lines_; }

    Compare Comparison() const { return compare_; }
    void SetComparison(Compare compare);
    bool Sorted() const { return sorted_; }
    // Turning sorting on sorts the lines now (equal lines keep their order).
    void SetSorted(bool sorted);

    int CompareLines(std::string_view a, std::string_view b) const;

    // Appends (unsorted) or inserts at the sorted place, skipping a line
    // equal to one already held (sorted). Returns the line's position.
    int Add(std::string line);
    void Delete(int index);
    void Clear() { lines_.clear(); }

    // Position of a line equal to `line`, or -1.
    int IndexOf(std::string_view line) const;

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the content by the lines of `text` (see SplitLines).
    void SetText(std::string_view text);

private:
    // Binary search of a sorted list: true when an equal line was met, with
    // `index` at it; otherwise `index` is the insertion place.
    bool Find(std::string_view line, int& index) const;

    std::vector<std::string> lines_;
    Compare compare_;
    bool sorted_ = false;
};
