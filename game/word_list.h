// The dictionary: a sorted list of entries without two equal ones, compared
// ignoring letter case (code page 1250 folding).
//
// It is built for a dictionary of millions of entries that must load in a
// blink, answer lookups in well under a microsecond and stay small:
//
// - The base entries live as lines of one text buffer, in list order. For a
//   file that is already sorted and clean (the shipped dictionary) that
//   buffer is the file's own bytes; otherwise the sorted, cleaned entries
//   are written into a fresh buffer once, at load.
// - Every 16th base entry's offset is kept, so that an entry is found by its
//   position with a short walk over the lines that follow it.
// - Entries added later are kept apart, each with the number of base
//   entries before it.
// - Lookups go through a hash index of the case-folded entries: one slot of
//   four bytes per entry (the entry's offset plus a few bits of its hash).
//
// Loading a large text returns once the text is held; checking its order,
// sorting and indexing go on in a worker thread, and every other call waits
// for that to finish first. So the game's window opens while the dictionary
// is being indexed, on the machine's other core, and the first lookup finds
// it ready long before. Once the list answers lookups, the same thread goes
// on to build the prefix index of the base entries (see PrefixIndex), which
// no lookup waits for.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Memory for the large arrays of the list: blocks of 2 MiB and more are
// aligned to 2 MiB and offered to the kernel for huge pages before they are
// first touched. That saves most page faults when they are filled and most
// TLB misses on the random accesses of lookups.
void* AllocateHugePageBlock(std::size_t bytes);  // released with std::free

class PrefixIndex;

template <typename T>
struct HugePageAllocator {
    using value_type = T;
    HugePageAllocator() = default;
    template <typename U>
    HugePageAllocator(const HugePageAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateHugePageBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    template <typename U>
    bool operator==(const HugePageAllocator<U>&) const noexcept { return true; }
};

class WordList {
public:
    WordList();
    WordList(const WordList& other);
    WordList(WordList&& other);
    WordList& operator=(const WordList& other);
    WordList& operator=(WordList&& other);
    ~WordList();

    // A string of `size` bytes (content unspecified) for a word list file's
    // text, its pages offered for huge pages before they are touched.
    static std::string MakeTextBuffer(std::size_t size);

    // Builds the list from a file's whole text, exactly as if every line were
    // put into a case-insensitive list, that list sorted (equal lines keep
    // their file order), cleaned of blank and repeated lines with CleanList,
    // and its text added again line by line with equal lines skipped.
    // A text that is already sorted and clean is taken as it is, in two
    // passes; any other in O(n log n). A text of 1 MiB or more is prepared
    // in a worker thread (see above); an error there (out of memory) comes
    // out of the next call, which then finds the list empty (LoadFailed).
    void Load(std::string text);
    // The same for the text that `read` returns. When that text is expected
    // to be large (`expectedSize` of 1 MiB or more), `read` runs in the
    // worker thread as well, and what it throws comes out of the next call.
    void Load(std::function<std::string()> read, std::size_t expectedSize);

    // Whether the last Load failed, at once or in the worker thread (whose
    // error comes out of the next call). The list then holds only what was
    // added since, and must not be saved over the file it came from.
    bool LoadFailed() const;

    // Whether the text of the last Load was byte for byte the text that
    // Text() gives for the list as loaded: sorted, clean, every line ended
    // by CR LF. Known from the pass that checks the order, at no extra cost.
    // Saving such a list unchanged would write the file it came from again.
    bool LoadedInSavedForm() const;

    // The largest text Load takes.
    static constexpr std::size_t kMaxTextSize = 0xFFFFFFFFu;

    std::size_t Count() const
    {
        Wait();
        return baseCount_ + added_.size();
    }
    std::string_view operator[](std::size_t index) const;

    bool Contains(std::string_view entry) const;
    // Inserts at the sorted place; does nothing when an equal entry is held.
    void Add(std::string_view entry);

    // The entries of the list from the sorted place of `key` on, in list
    // order: up to `count` of them go to `out`; returns how many. One
    // binary search of the sorted list.
    std::size_t EntriesFrom(std::string_view key, std::string_view* out, std::size_t count) const;

    // The entries added since loading (in list order), which the prefix
    // index does not hold.
    std::size_t AddedCount() const
    {
        Wait();
        return added_.size();
    }
    std::string_view AddedAt(std::size_t i) const { return AddedEntry(added_[i]); }

    // The index of the base entries by their beginnings; null until it is
    // built (after the list is ready, in the worker thread for a large list)
    // or when there was no memory for it. It never waits and changes
    // nothing, so any thread may ask it, as long as no thread loads or
    // replaces the list meanwhile.
    const PrefixIndex* Prefixes() const;

    // Walking the base entries, for the prefix index: the offset of the
    // first one (the text's size when there is none), the entry at an
    // offset, and the offset of the one after it. Only on a ready list.
    std::size_t FirstBaseOffset() const;
    std::size_t BaseTextSize() const { return buffer_.size(); }
    std::string_view BaseEntryAt(std::size_t offset) const;
    std::size_t NextBaseEntry(std::size_t offset) const;

    // Every entry followed by CR LF, in list order.
    std::string Text() const;
    // The same text handed out in pieces, in order, mostly as long runs of
    // the buffer itself, so that saving needs no copy of the whole text.
    // Stops early and returns false when `sink` returns false.
    bool WriteText(const std::function<bool(std::string_view)>& sink) const;

private:
    static constexpr std::size_t kStride = 16;

    struct Added {
        std::uint32_t offset;  // in extra_
        std::uint32_t length;
        std::uint32_t rank;    // how many base entries come before it
    };

    std::string_view BaseEntry(std::size_t index) const;
    std::string_view AddedEntry(const Added& a) const;
    // How many base entries compare below `entry`; `offset` (when given)
    // gets the offset of the first base entry not below it.
    std::size_t BaseRank(std::string_view entry, std::size_t* offset = nullptr) const;

    static constexpr std::size_t kBackgroundSize = std::size_t(1) << 20;

    void Reset();
    // Runs `read` (when given) and Prepare in a worker thread; false when no
    // thread could be started.
    // Takes a list's text as the buffer; throws when it is beyond the limit.
    void TakeText(std::string text);
    bool StartWorker(const std::function<std::string()>& read);
    // Sorts and cleans the loaded text as needed and builds the index.
    void Prepare();
    // Waits for a Prepare running in the worker thread.
    void Wait() const;
    // Waits for the worker thread to end (its prefix index built).
    void JoinWorker() const;
    // Builds the prefix index; on failure (out of memory) there is none.
    void BuildPrefixes();
    void CopyFrom(const WordList& other);
    void MoveFrom(WordList& other);

    // Base entries and samples of a buffer whose non-blank lines are sorted
    // and clean; false (and nothing kept) when they are not.
    bool TakeSortedBuffer();
    void SortAndClean();
    void BuildIndex(std::size_t capacity);
    void IndexInsert(std::uint64_t hash, std::size_t position);

    std::string buffer_;                // base entries, as lines
    std::size_t baseCount_ = 0;
    std::vector<std::uint32_t> samples_;  // offset of base entry k * kStride
    std::string extra_;                 // added entries, each followed by CR LF
    std::vector<Added> added_;          // in list order

    // Open addressing, linear probing. A slot holds 0 (free) or
    // ((position + 1) << fingerprintBits_) | fingerprint, where position is
    // an offset in buffer_ or buffer_.size() plus an offset in extra_.
    std::vector<std::uint32_t, HugePageAllocator<std::uint32_t>> slots_;
    unsigned fingerprintBits_ = 0;
    std::size_t indexed_ = 0;

    std::unique_ptr<PrefixIndex> prefixes_;

    mutable std::future<void> preparing_;  // valid until the worker's Prepare is waited for
    // The worker thread; ready once it has ended. Shared, so that asking
    // whether it has ended changes nothing, whoever asks.
    std::shared_future<void> worker_;
    mutable bool loadFailed_ = false;      // what the worker did failed
    bool savedForm_ = false;               // see LoadedInSavedForm
};
