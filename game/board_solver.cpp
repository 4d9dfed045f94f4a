#include "game/board_solver.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "game/prefix_index.h"
#include "game/scoring.h"
#include "game/word_list.h"
#include "platform/cp1250.h"

namespace {

constexpr int kVisibleRows = kRows - kFirstVisibleRow + 1;
constexpr int kCells = kColumns * kVisibleRows;

unsigned char Fold(char c)
{
    return cp1250::kLowerTable[static_cast<unsigned char>(c)];
}

// The visible board as the search sees it: the cells in rows, each with its
// letter and the cells beside it.
struct Grid {
    std::array<char, kCells> letter{};
    std::array<std::uint8_t, kCells> code{};  // PrefixIndex letter number, or kNoLetter when passed over
    std::array<std::array<std::int8_t, 4>, kCells> next{};
    std::array<std::uint8_t, kCells> nextCount{};

    explicit Grid(const Board& board)
    {
        for (int r = 0; r < kVisibleRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                const int i = r * kColumns + c;
                letter[i] = board.At(c + 1, r + kFirstVisibleRow).letter;
                code[i] = letter[i] == kBlank ? PrefixIndex::kNoLetter
                                              : PrefixIndex::LetterOf(static_cast<unsigned char>(letter[i]));
            }
        }
        for (int i = 0; i < kCells; ++i) {
            const int r = i / kColumns;
            const int c = i % kColumns;
            auto add = [&](int rr, int cc) {
                if (rr >= 0 && rr < kVisibleRows && cc >= 0 && cc < kColumns)
                    next[i][nextCount[i]++] = static_cast<std::int8_t>(rr * kColumns + cc);
            };
            add(r - 1, c);
            add(r + 1, c);
            add(r, c - 1);
            add(r, c + 1);
        }
    }
    bool Usable(int i) const { return code[i] != PrefixIndex::kNoLetter; }
};

// What both searches share: the path being tried and the words found.
struct PathState {
    explicit PathState(const Board& board) : grid(board) {}

    void Push(int cell)
    {
        cells[depth] = cell;
        path[depth++] = grid.letter[cell];
        used[cell] = true;
    }
    void Pop(int cell)
    {
        used[cell] = false;
        --depth;
    }
    void Clear()
    {
        while (depth > 0)
            used[cells[--depth]] = false;
    }
    void Record() { found.emplace_back(path.data(), depth); }

    Grid grid;
    std::array<bool, kCells> used{};
    std::array<char, kCells + 2> path{};
    std::array<int, kCells> cells{};
    std::size_t depth = 0;
    std::vector<std::string> found;
    std::size_t prefixes = 0;
};

// ------------------------------------------------ following the prefix index

class IndexSearch {
public:
    IndexSearch(PathState& s, const PrefixIndex& index, const WordList& list) : s_(s), index_(index), list_(list) {}

    void Run()
    {
        const PrefixIndex::Node& root = index_.Root();
        if (PrefixIndex::IsInner(root)) {
            for (int cell = 0; cell < kCells; ++cell)
                Step(root, cell);
            return;
        }
        std::array<std::string_view, PrefixIndex::kBucket> entries;
        const std::size_t n = ReadBucket(root, entries);
        for (int cell = 0; cell < kCells; ++cell)
            StepInRange(entries.data(), 0, n, cell);
    }

private:
    // From an inner node to the cell's letter.
    void Step(const PrefixIndex::Node& node, int cell)
    {
        const std::uint8_t code = s_.grid.code[cell];
        if (code == PrefixIndex::kNoLetter || s_.used[cell])
            return;
        ++s_.prefixes;
        if (!PrefixIndex::HasChild(node, code))
            return;
        const PrefixIndex::Node& child = index_.Child(node, code);
        if (PrefixIndex::IsInner(child)) {
            s_.Push(cell);
            if ((child.a & PrefixIndex::kWord) && s_.depth >= 2)
                s_.Record();
            for (std::uint8_t k = 0; k < s_.grid.nextCount[cell]; ++k)
                Step(child, s_.grid.next[cell][k]);
            s_.Pop(cell);
            return;
        }
        std::array<std::string_view, PrefixIndex::kBucket> entries;
        const std::size_t n = ReadBucket(child, entries);
        // The bucket's entries all begin with the path and this letter.
        s_.Push(cell);
        Within(entries.data(), 0, n, cell);
        s_.Pop(cell);
    }

    // Narrows sorted entries that begin with the path to those that go on
    // with the cell's letter, and goes there.
    void StepInRange(const std::string_view* e, std::size_t lo, std::size_t hi, int cell)
    {
        if (!s_.grid.Usable(cell) || s_.used[cell])
            return;
        ++s_.prefixes;
        const std::size_t at = s_.depth + 1;  // after the opening quote
        const unsigned char letter = Fold(s_.grid.letter[cell]);
        auto goesOn = [&](std::string_view x) { return x.size() > at && Fold(x[at]) == letter; };
        while (lo < hi && !goesOn(e[lo]))
            ++lo;
        std::size_t end = lo;
        while (end < hi && goesOn(e[end]))
            ++end;
        if (lo == end)
            return;
        s_.Push(cell);
        Within(e, lo, end, cell);
        s_.Pop(cell);
    }

    // The path, its last letter on `cell`, is the beginning of e[lo..hi).
    void Within(const std::string_view* e, std::size_t lo, std::size_t hi, int cell)
    {
        if (s_.depth >= 2) {
            const std::size_t at = s_.depth + 1;
            for (std::size_t k = lo; k < hi; ++k) {
                if (e[k].size() == at + 1 && e[k][at] == '"') {
                    s_.Record();
                    break;
                }
            }
        }
        for (std::uint8_t k = 0; k < s_.grid.nextCount[cell]; ++k)
            StepInRange(e, lo, hi, s_.grid.next[cell][k]);
    }

    std::size_t ReadBucket(const PrefixIndex::Node& bucket, std::array<std::string_view, PrefixIndex::kBucket>& out) const
    {
        std::size_t offset = bucket.b;
        for (std::uint32_t k = 0; k < bucket.a; ++k) {
            if (k > 0)
                offset = list_.NextBaseEntry(offset);
            out[k] = list_.BaseEntryAt(offset);
        }
        return bucket.a;
    }

    PathState& s_;
    const PrefixIndex& index_;
    const WordList& list_;
};

// Whether the letters of `word` lie on a path from `cell` on; the path's
// letters (as the tiles show them) are left in the state when they do.
bool SpellFrom(PathState& s, std::string_view word, int cell)
{
    if (!s.grid.Usable(cell) || s.used[cell] || Fold(s.grid.letter[cell]) != Fold(word[s.depth]))
        return false;
    s.Push(cell);
    if (s.depth == word.size())
        return true;
    for (std::uint8_t k = 0; k < s.grid.nextCount[cell]; ++k)
        if (SpellFrom(s, word, s.grid.next[cell][k]))
            return true;
    s.Pop(cell);
    return false;
}

// The taught words are few and not in the index: each is looked for alone.
void FindAddedWords(PathState& s, const WordList& list)
{
    const std::size_t count = list.AddedCount();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view entry = list.AddedAt(i);
        if (entry.size() < 4 || entry.front() != '"' || entry.back() != '"')
            continue;
        const std::string_view word = entry.substr(1, entry.size() - 2);
        if (word.size() > static_cast<std::size_t>(kCells) ||
            std::any_of(word.begin(), word.end(),
                        [](char c) { return PrefixIndex::LetterOf(static_cast<unsigned char>(c)) == PrefixIndex::kNoLetter; }))
            continue;
        for (int cell = 0; cell < kCells; ++cell) {
            if (SpellFrom(s, word, cell)) {
                s.Record();
                s.Clear();
                break;
            }
        }
    }
}

// ----------------------------------------------- asking the sorted list

class ListSearch {
public:
    ListSearch(PathState& s, const WordList& list) : s_(s), list_(list) {}

    void Run()
    {
        for (int cell = 0; cell < kCells; ++cell)
            Visit(cell);
    }

private:
    void Visit(int cell)
    {
        if (!s_.grid.Usable(cell) || s_.used[cell])
            return;
        s_.Push(cell);
        ++s_.prefixes;
        // The key of the path as a word; the entries from its place tell
        // whether it is one and whether any entry goes on from it.
        key_.assign(1, '"');
        key_.append(s_.path.data(), s_.depth);
        key_ += '"';
        std::array<std::string_view, 2> e;
        const std::size_t n = list_.EntriesFrom(key_, e.data(), e.size());
        const bool word = n > 0 && cp1250::equalNoCase(e[0], key_);
        if (word && s_.depth >= 2)
            s_.Record();
        const std::size_t nextAt = word ? 1 : 0;
        const std::string_view beginning(key_.data(), key_.size() - 1);
        if (n > nextAt && e[nextAt].size() > beginning.size() &&
            cp1250::equalNoCase(e[nextAt].substr(0, beginning.size()), beginning)) {
            for (std::uint8_t k = 0; k < s_.grid.nextCount[cell]; ++k)
                Visit(s_.grid.next[cell][k]);
        }
        s_.Pop(cell);
    }

    PathState& s_;
    const WordList& list_;
    std::string key_;
};

std::vector<FoundWord> Ranked(std::vector<std::string>& words)
{
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::vector<FoundWord> ranked;
    ranked.reserve(words.size());
    for (std::string& w : words) {
        const std::int32_t score = WordScore(w);
        ranked.push_back(FoundWord{std::move(w), score});
    }
    std::sort(ranked.begin(), ranked.end(), [](const FoundWord& a, const FoundWord& b) {
        if (a.score != b.score)
            return a.score > b.score;
        return cp1250::compareNoCase(a.word, b.word) < 0;
    });
    return ranked;
}

}  // namespace

std::vector<FoundWord> FindBoardWords(const Board& board, const WordList& words, SolveStats* stats)
{
    const PrefixIndex* index = words.Prefixes();
    if (!index)
        return FindBoardWordsBySearch(board, words, stats);
    PathState s(board);
    IndexSearch(s, *index, words).Run();
    FindAddedWords(s, words);
    if (stats)
        stats->prefixes = s.prefixes;
    return Ranked(s.found);
}

std::vector<FoundWord> FindBoardWordsBySearch(const Board& board, const WordList& words, SolveStats* stats)
{
    PathState s(board);
    ListSearch(s, words).Run();
    if (stats)
        stats->prefixes = s.prefixes;
    return Ranked(s.found);
}
