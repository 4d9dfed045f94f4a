#include "game/prefix_index.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "game/board.h"
#include "game/word_list.h"

namespace {

// No word on the board is longer than the board has cells.
constexpr std::size_t kMaxLetters = kColumns * (kRows - kFirstVisibleRow + 1);

constexpr std::array<std::uint8_t, 256> MakeLetterCodes()
{
    std::array<std::uint8_t, 256> codes{};
    for (auto& c : codes)
        c = PrefixIndex::kNoLetter;
    std::uint8_t next = 0;
    for (int c = 'A'; c <= 'Z'; ++c, ++next) {
        codes[static_cast<std::size_t>(c)] = next;
        codes[static_cast<std::size_t>(c + 0x20)] = next;
    }
    // Á É Ö Ü and their lower-case partners in code page 1250.
    for (int c : {0xC1, 0xC9, 0xD6, 0xDC}) {
        codes[static_cast<std::size_t>(c)] = next;
        codes[static_cast<std::size_t>(c + 0x20)] = next;
        ++next;
    }
    return codes;
}

// A beginning of entries still being read: they all start with the double
// quote and the letters of the frames down to this one.
struct Frame {
    std::uint8_t letter = 0;
    std::uint32_t first = 0;  // text offset of its first entry
    std::uint32_t count = 0;
    bool word = false;        // the quote and these letters and a quote are an entry
    std::vector<std::pair<std::uint8_t, PrefixIndex::Node>> children;
};

}  // namespace

const std::array<std::uint8_t, 256> PrefixIndex::kLetterCodes = MakeLetterCodes();

PrefixIndex::PrefixIndex(const WordList& list)
{
    // The entries come in sorted order, so those that begin alike come one
    // after the other: a beginning is complete when an entry no longer has
    // it, and then becomes a bucket or an inner node of its parent.
    std::vector<Frame> frames(1);
    std::size_t open = 0;  // frames[1..open] hold the letters of the current beginning
    std::array<std::uint8_t, kMaxLetters> letters{};

    auto close = [&](std::size_t depth) {
        Frame& f = frames[depth];
        Node node{f.count, f.first};
        if (f.count > kBucket) {
            std::sort(f.children.begin(), f.children.end(),
                      [](const auto& x, const auto& y) { return x.first < y.first; });
            std::uint32_t mask = 0;
            const auto firstChild = static_cast<std::uint32_t>(nodes_.size());
            for (const auto& [letter, child] : f.children) {
                mask |= 1u << letter;
                nodes_.push_back(child);
            }
            node = Node{kInner | (f.word ? kWord : 0u) | mask, firstChild};
        }
        f.children.clear();
        return node;
    };

    const std::size_t end = list.BaseTextSize();
    for (std::size_t offset = list.FirstBaseOffset(); offset < end; offset = list.NextBaseEntry(offset)) {
        const std::string_view entry = list.BaseEntryAt(offset);
        if (entry.empty() || entry[0] != '"')
            continue;  // never matches a word
        std::size_t n = 0;
        std::size_t i = 1;
        while (i < entry.size() && n < kMaxLetters && LetterOf(static_cast<unsigned char>(entry[i])) != kNoLetter)
            letters[n++] = LetterOf(static_cast<unsigned char>(entry[i++]));
        const bool word = n > 0 && i + 1 == entry.size() && entry[i] == '"';

        std::size_t common = 0;
        while (common < open && common < n && frames[common + 1].letter == letters[common])
            ++common;
        for (; open > common; --open) {
            const Node node = close(open);
            frames[open - 1].children.emplace_back(frames[open].letter, node);
        }
        if (frames.size() < n + 1)
            frames.resize(n + 1);
        for (; open < n; ++open) {
            Frame& f = frames[open + 1];
            f.letter = letters[open];
            f.first = static_cast<std::uint32_t>(offset);
            f.count = 0;
            f.word = false;
        }
        if (frames[0].count == 0)
            frames[0].first = static_cast<std::uint32_t>(offset);
        for (std::size_t d = 0; d <= n; ++d)
            ++frames[d].count;
        if (word)
            frames[n].word = true;
    }
    for (; open > 0; --open) {
        const Node node = close(open);
        frames[open - 1].children.emplace_back(frames[open].letter, node);
    }
    const Node root = close(0);
    root_ = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back(root);
    nodes_.shrink_to_fit();
}
