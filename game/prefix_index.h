// Which entries of the word list begin with a given word: a trie over the
// letters a tile can show, cut off where few entries remain.
//
// The board solver walks it letter by letter while it tries paths on the
// board. A node stands for the entries that begin with a double quote and
// the letters of a path (compared as the word list compares, case folded):
//
// - an inner node (more than kBucket entries) knows which of the 30 tile
//   letters lead on, whether the path itself is an entry, and where its
//   children stand: one after the other, in letter order;
// - a bucket (kBucket entries or fewer) knows only where the first of them
//   stands in the list's text and how many there are; they are read from
//   there, next to each other in sorted order.
//
// A node takes 8 bytes and there is about one node per five entries of the
// shipped dictionary. The index keeps offsets into the word list's base text
// and is valid for that text only; the list owns it and drops it with the
// text. Entries added after loading are not in it.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

class WordList;

class PrefixIndex {
public:
    static constexpr std::uint32_t kBucket = 32;
    static constexpr int kLetterCount = 30;
    static constexpr std::uint8_t kNoLetter = 0xFF;

    struct Node {
        std::uint32_t a;  // inner: kInner | (kWord if an entry) | letter mask; bucket: its entry count
        std::uint32_t b;  // inner: index of the first child; bucket: text offset of its first entry
    };
    static constexpr std::uint32_t kInner = 0x80000000u;
    static constexpr std::uint32_t kWord = 0x40000000u;

    // Builds the index of `list`'s base entries. The list must be ready.
    explicit PrefixIndex(const WordList& list);

    // The letter number (0..29) of a byte after case folding, or kNoLetter:
    // the 30 letters that have a value (A..Z, Á, É, Ö, Ü) in either case.
    static std::uint8_t LetterOf(unsigned char byte) { return kLetterCodes[byte]; }

    const Node& Root() const { return nodes_[root_]; }
    static bool IsInner(const Node& n) { return (n.a & kInner) != 0; }
    static bool HasChild(const Node& n, std::uint8_t letter) { return (n.a >> letter) & 1u; }
    // The child of an inner node for a letter it has.
    const Node& Child(const Node& n, std::uint8_t letter) const
    {
        const std::uint32_t below = n.a & ((1u << letter) - 1u);
        return nodes_[n.b + static_cast<std::uint32_t>(std::popcount(below))];
    }

    std::size_t NodeCount() const { return nodes_.size(); }
    std::size_t Bytes() const { return nodes_.capacity() * sizeof(Node); }

private:
    static const std::array<std::uint8_t, 256> kLetterCodes;

    std::vector<Node> nodes_;
    std::uint32_t root_ = 0;
};
