#include "game/word_list.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <sys/mman.h>

#include "game/prefix_index.h"
#include "platform/background_priority.h"
#include "platform/cp1250.h"

namespace {

const unsigned char* const kFold = cp1250::kLowerTable;

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool IsBlank(const char* p, const char* end)
{
    for (; p < end; ++p)
        if (static_cast<unsigned char>(*p) > 0x20)
            return false;
    return true;
}

std::uint64_t Load8(const char* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// The first CR or LF in [p, end), or end; eight bytes at a time.
const char* FindLineEnd(const char* p, const char* end)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    while (end - p >= 8) {
        const std::uint64_t v = Load8(p);
        const std::uint64_t cr = v ^ (kOnes * '\r');
        const std::uint64_t lf = v ^ (kOnes * '\n');
        // The lowest flagged byte is exact (little-endian: the first in memory).
        const std::uint64_t hit = ((cr - kOnes) & ~cr & kHighs) | ((lf - kOnes) & ~lf & kHighs);
        if (hit)
            return p + (std::countr_zero(hit) >> 3);
        p += 8;
    }
    while (p < end && !IsLineEnd(*p))
        ++p;
    return p;
}

// Where the line after a line end at `e` starts: CR LF, a lone CR or a lone
// LF end a line.
std::size_t AfterLineEnd(const std::string& s, std::size_t e)
{
    if (e >= s.size())
        return s.size();
    if (s[e] == '\r' && e + 1 < s.size() && s[e + 1] == '\n')
        return e + 2;
    return e + 1;
}

// cp1250::compareNoCase, comparing raw bytes eight at a time and folding
// only where they differ.
int CompareFolded(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    const char* pa = a.data();
    const char* pb = b.data();
    std::size_t i = 0;
    while (i < n) {
        if (n - i >= 8) {
            const std::uint64_t x = Load8(pa + i) ^ Load8(pb + i);
            if (x == 0) {
                i += 8;
                continue;
            }
            i += static_cast<std::size_t>(std::countr_zero(x) >> 3);
        } else if (pa[i] == pb[i]) {
            ++i;
            continue;
        }
        const int d = int(kFold[static_cast<unsigned char>(pa[i])]) - int(kFold[static_cast<unsigned char>(pb[i])]);
        if (d != 0)
            return d;
        ++i;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool EqualFolded(const char* a, const char* b, std::size_t n)
{
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        if (Load8(a + i) == Load8(b + i))
            continue;
        for (std::size_t k = i; k < i + 8; ++k)
            if (kFold[static_cast<unsigned char>(a[k])] != kFold[static_cast<unsigned char>(b[k])])
                return false;
    }
    for (; i < n; ++i)
        if (kFold[static_cast<unsigned char>(a[i])] != kFold[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

// Hash of the case-folded bytes: equal entries hash alike.
std::uint64_t HashFolded(std::string_view s)
{
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w = 0;
        for (int k = 0; k < 8; ++k)
            w |= std::uint64_t(kFold[p[i + k]]) << (8 * k);
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    if (i < n) {
        std::uint64_t w = 0;
        for (std::size_t k = 0; i + k < n; ++k)
            w |= std::uint64_t(kFold[p[i + k]]) << (8 * k);
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
    }
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

// The first non-blank line at or after `offset`; s.size() when none.
std::size_t SkipBlankLines(const std::string& s, std::size_t offset)
{
    const char* d = s.data();
    while (offset < s.size()) {
        // Entries start with a byte above the blank; only then is the whole
        // line looked at.
        if (static_cast<unsigned char>(d[offset]) > 0x20)
            return offset;
        const char* e = FindLineEnd(d + offset, d + s.size());
        if (!IsBlank(d + offset, e))
            return offset;
        offset = AfterLineEnd(s, static_cast<std::size_t>(e - d));
    }
    return s.size();
}

std::size_t SlotOf(std::uint64_t hash, std::size_t slots)
{
    return static_cast<std::size_t>(((hash >> 32) * slots) >> 32);
}

bool HasLineEnd(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// The first eight case-folded bytes, big-endian, so that comparing two
// prefixes as numbers orders them as the folded comparison would (a shorter
// text pads with zero bytes; ties are settled by the full comparison).
std::uint64_t FoldedPrefix(std::string_view s)
{
    std::uint64_t key = 0;
    const std::size_t n = std::min<std::size_t>(8, s.size());
    for (std::size_t i = 0; i < 8; ++i) {
        key <<= 8;
        if (i < n)
            key |= kFold[static_cast<unsigned char>(s[i])];
    }
    return key;
}

// A line to sort. Lines lie in the text in file order, so the offset doubles
// as the file order.
struct Item {
    std::uint64_t prefix;
    std::uint32_t offset;
    std::uint32_t length;
};

bool PrefixThenOffset(const Item& a, const Item& b)
{
    return a.prefix != b.prefix ? a.prefix < b.prefix : a.offset < b.offset;
}

// The folded comparison of two lines with equal prefixes: past the prefix
// only when both are longer than it (else the shorter is a beginning of the
// longer, or they are equal).
int CompareSamePrefix(const char* text, const Item& a, const Item& b)
{
    if (a.length <= 8 || b.length <= 8)
        return a.length < b.length ? -1 : (a.length > b.length ? 1 : 0);
    return CompareFolded(std::string_view(text + a.offset + 8, a.length - 8),
                         std::string_view(text + b.offset + 8, b.length - 8));
}

// Sorts by (prefix, offset): most significant byte first, one counting pass
// per byte, small ranges by comparison.
void RadixSort(Item* a, Item* scratch, std::size_t n, int byte)
{
    while (n > 64 && byte >= 0) {
        const int shift = byte * 8;
        std::size_t count[256] = {};
        for (std::size_t i = 0; i < n; ++i)
            ++count[(a[i].prefix >> shift) & 0xFF];
        if (count[(a[0].prefix >> shift) & 0xFF] == n) {  // one bucket: next byte
            --byte;
            continue;
        }
        std::size_t start[256];
        std::size_t sum = 0;
        for (int d = 0; d < 256; ++d) {
            start[d] = sum;
            sum += count[d];
        }
        std::size_t next[256];
        std::copy(start, start + 256, next);
        for (std::size_t i = 0; i < n; ++i)
            scratch[next[(a[i].prefix >> shift) & 0xFF]++] = a[i];
        std::copy(scratch, scratch + n, a);
        for (int d = 0; d < 256; ++d)
            if (count[d] > 1)
                RadixSort(a + start[d], scratch + start[d], count[d], byte - 1);
        return;
    }
    std::sort(a, a + n, PrefixThenOffset);
}

constexpr std::size_t kHugePage = std::size_t(2) << 20;

// Offers the whole 2 MiB pages inside [p, p + n) for huge pages.
void AdviseHugePages(void* p, std::size_t n)
{
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + n) & ~(kHugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace

void* AllocateHugePageBlock(std::size_t bytes)
{
    void* p = nullptr;
    if (bytes >= kHugePage) {
        p = std::aligned_alloc(kHugePage, (bytes + kHugePage - 1) & ~(kHugePage - 1));
        if (p)
            AdviseHugePages(p, bytes);
    } else {
        p = std::malloc(bytes ? bytes : 1);
    }
    if (!p)
        throw std::bad_alloc();
    return p;
}

std::string WordList::MakeTextBuffer(std::size_t size)
{
    std::string text;
    // A large block comes straight from the kernel, untouched: advise it
    // before resize() writes to it.
    text.reserve(size);
    AdviseHugePages(text.data(), size);
    text.resize(size);
    return text;
}

// ------------------------------------------------------------ the lines

std::string_view WordList::BaseEntryAt(std::size_t offset) const
{
    const char* d = buffer_.data();
    return std::string_view(d + offset, static_cast<std::size_t>(FindLineEnd(d + offset, d + buffer_.size()) - (d + offset)));
}

std::size_t WordList::NextBaseEntry(std::size_t offset) const
{
    const char* d = buffer_.data();
    const std::size_t e = static_cast<std::size_t>(FindLineEnd(d + offset, d + buffer_.size()) - d);
    return SkipBlankLines(buffer_, AfterLineEnd(buffer_, e));
}

std::string_view WordList::BaseEntry(std::size_t index) const
{
    std::size_t offset = samples_[index / kStride];
    for (std::size_t k = index % kStride; k > 0; --k)
        offset = NextBaseEntry(offset);
    return BaseEntryAt(offset);
}

std::string_view WordList::AddedEntry(const Added& a) const
{
    return std::string_view(extra_).substr(a.offset, a.length);
}

std::string_view WordList::operator[](std::size_t index) const
{
    Wait();
    // Added entry j stands at index rank + j.
    std::size_t low = 0;
    std::size_t high = added_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (added_[middle].rank + middle < index)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < added_.size() && added_[low].rank + low == index)
        return AddedEntry(added_[low]);
    return BaseEntry(index - low);
}

std::size_t WordList::BaseRank(std::string_view entry, std::size_t* offsetOut) const
{
    // The last sample below the entry, then a walk of at most one stride.
    std::size_t low = 0;
    std::size_t high = samples_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (CompareFolded(BaseEntryAt(samples_[middle]), entry) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == 0) {
        if (offsetOut)
            *offsetOut = FirstBaseOffset();
        return 0;
    }
    std::size_t index = (low - 1) * kStride;
    std::size_t offset = samples_[low - 1];
    while (index < baseCount_ && CompareFolded(BaseEntryAt(offset), entry) < 0) {
        ++index;
        offset = index < baseCount_ ? NextBaseEntry(offset) : buffer_.size();
    }
    if (offsetOut)
        *offsetOut = offset;
    return index;
}

std::size_t WordList::FirstBaseOffset() const
{
    return baseCount_ == 0 ? buffer_.size() : SkipBlankLines(buffer_, 0);
}

std::size_t WordList::EntriesFrom(std::string_view key, std::string_view* out, std::size_t count) const
{
    Wait();
    std::size_t offset = 0;
    std::size_t base = BaseRank(key, &offset);
    // Added entries not below the key stand before base entry `base` or later.
    std::size_t added = static_cast<std::size_t>(
        std::lower_bound(added_.begin(), added_.end(), key,
                         [&](const Added& a, std::string_view k) { return CompareFolded(AddedEntry(a), k) < 0; }) -
        added_.begin());
    std::size_t n = 0;
    while (n < count) {
        if (added < added_.size() && added_[added].rank <= base) {
            out[n++] = AddedEntry(added_[added++]);
        } else if (base < baseCount_) {
            out[n++] = BaseEntryAt(offset);
            if (++base < baseCount_)
                offset = NextBaseEntry(offset);
        } else {
            break;
        }
    }
    return n;
}

// ------------------------------------------------------------- loading

void WordList::Reset()
{
    try {
        Wait();
    } catch (...) {
        // What failed before is replaced now.
    }
    JoinWorker();
    prefixes_.reset();
    buffer_.clear();
    baseCount_ = 0;
    samples_.clear();
    extra_.clear();
    added_.clear();
    slots_.clear();
    indexed_ = 0;
    loadFailed_ = false;
    savedForm_ = false;
}

void WordList::Load(std::string text)
{
    Reset();
    TakeText(std::move(text));
    if (buffer_.size() >= kBackgroundSize && StartWorker({}))
        return;
    try {
        Prepare();
    } catch (...) {
        loadFailed_ = true;
        throw;
    }
    BuildPrefixes();
}

void WordList::Load(std::function<std::string()> read, std::size_t expectedSize)
{
    Reset();
    if (expectedSize >= kBackgroundSize && StartWorker(read))
        return;
    try {
        TakeText(read());
        Prepare();
    } catch (...) {
        loadFailed_ = true;
        throw;
    }
    BuildPrefixes();
}

void WordList::TakeText(std::string text)
{
    if (text.size() > kMaxTextSize)
        throw std::length_error("word list text too large");
    buffer_ = std::move(text);
}

bool WordList::StartWorker(const std::function<std::string()>& read)
{
    try {
        // Lookups wait only for the list itself; the prefix index is built
        // after it, by the same thread, and nothing waits for that.
        auto ready = std::make_shared<std::promise<void>>();
        std::future<void> preparing = ready->get_future();
        worker_ = std::async(std::launch::async, [this, read, ready] {
            LowerThisThreadsPriority();
            try {
                if (read)
                    TakeText(read());
                Prepare();
            } catch (...) {
                ready->set_exception(std::current_exception());
                return;
            }
            ready->set_value();
            BuildPrefixes();
        });
        preparing_ = std::move(preparing);
        return true;
    } catch (const std::system_error&) {
        return false;  // no thread to be had: the caller does the work
    }
}

void WordList::BuildPrefixes()
{
    try {
        prefixes_ = std::make_unique<PrefixIndex>(*this);
    } catch (...) {
        prefixes_.reset();  // the solver then searches the list itself
    }
}

const PrefixIndex* WordList::Prefixes() const
{
    if (worker_.valid() && worker_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return nullptr;
    return prefixes_.get();
}

void WordList::JoinWorker() const
{
    if (worker_.valid())
        worker_.get();
}

void WordList::Prepare()
{
    try {
        if (!TakeSortedBuffer())
            SortAndClean();
        BuildIndex(baseCount_);
    } catch (...) {
        buffer_ = std::string();
        baseCount_ = 0;
        samples_ = {};
        slots_ = {};
        indexed_ = 0;
        savedForm_ = false;
        throw;
    }
}

void WordList::Wait() const
{
    if (!preparing_.valid())
        return;
    try {
        preparing_.get();  // rethrows what Prepare threw
    } catch (...) {
        loadFailed_ = true;
        throw;
    }
}

bool WordList::LoadedInSavedForm() const
{
    return !LoadFailed() && savedForm_;
}

bool WordList::LoadFailed() const
{
    try {
        Wait();
    } catch (...) {
        // Recorded in loadFailed_.
    }
    return loadFailed_;
}

WordList::WordList() = default;

WordList::WordList(const WordList& other)
{
    CopyFrom(other);
}

WordList::WordList(WordList&& other)
{
    MoveFrom(other);
}

WordList& WordList::operator=(const WordList& other)
{
    if (this != &other) {
        Wait();
        CopyFrom(other);
    }
    return *this;
}

WordList& WordList::operator=(WordList&& other)
{
    if (this != &other) {
        Wait();
        MoveFrom(other);
    }
    return *this;
}

WordList::~WordList()
{
    try {
        Wait();
    } catch (...) {
    }
    JoinWorker();
}

void WordList::CopyFrom(const WordList& other)
{
    other.Wait();
    other.JoinWorker();
    JoinWorker();
    // The index holds offsets into the text, which the copy keeps.
    prefixes_ = other.prefixes_ ? std::make_unique<PrefixIndex>(*other.prefixes_) : nullptr;
    buffer_ = other.buffer_;
    baseCount_ = other.baseCount_;
    samples_ = other.samples_;
    extra_ = other.extra_;
    added_ = other.added_;
    slots_ = other.slots_;
    fingerprintBits_ = other.fingerprintBits_;
    indexed_ = other.indexed_;
    loadFailed_ = other.loadFailed_;
    savedForm_ = other.savedForm_;
}

void WordList::MoveFrom(WordList& other)
{
    other.Wait();
    other.JoinWorker();
    JoinWorker();
    prefixes_ = std::move(other.prefixes_);
    buffer_ = std::move(other.buffer_);
    baseCount_ = std::exchange(other.baseCount_, 0);
    samples_ = std::move(other.samples_);
    extra_ = std::move(other.extra_);
    added_ = std::move(other.added_);
    slots_ = std::move(other.slots_);
    fingerprintBits_ = other.fingerprintBits_;
    indexed_ = std::exchange(other.indexed_, 0);
    loadFailed_ = std::exchange(other.loadFailed_, false);
    savedForm_ = std::exchange(other.savedForm_, false);
    other.buffer_.clear();
    other.samples_.clear();
    other.extra_.clear();
    other.added_.clear();
    other.slots_.clear();
}

bool WordList::TakeSortedBuffer()
{
    // A list that is already sorted without equal lines stays as it is.
    const char* d = buffer_.data();
    const std::size_t n = buffer_.size();
    std::size_t count = 0;
    std::string_view previous;
    // Where the next line starts if every line so far ended in CR LF and
    // none was blank: the file is then exactly what saving would write.
    std::size_t savedFormEnd = 0;
    bool savedForm = true;
    samples_.reserve(n / (kStride * 12) + 1);
    for (std::size_t offset = SkipBlankLines(buffer_, 0); offset < n;) {
        const std::size_t e = static_cast<std::size_t>(FindLineEnd(d + offset, d + n) - d);
        const std::string_view entry(d + offset, e - offset);
        if (count > 0 && CompareFolded(previous, entry) >= 0) {
            samples_.clear();
            samples_.shrink_to_fit();
            return false;
        }
        if (count % kStride == 0)
            samples_.push_back(static_cast<std::uint32_t>(offset));
        ++count;
        previous = entry;
        savedForm = savedForm && offset == savedFormEnd && e + 1 < n && d[e] == '\r' && d[e + 1] == '\n';
        savedFormEnd = e + 2;
        offset = SkipBlankLines(buffer_, AfterLineEnd(buffer_, e));
    }
    baseCount_ = count;
    savedForm_ = savedForm && (count == 0 ? n == 0 : savedFormEnd == n);
    return true;
}

void WordList::SortAndClean()
{
    const char* d = buffer_.data();
    const std::size_t n = buffer_.size();

    // The lines, without the blank ones.
    std::vector<Item, HugePageAllocator<Item>> items;
    items.reserve(n / 12 + 1);
    for (std::size_t offset = SkipBlankLines(buffer_, 0); offset < n;) {
        const std::size_t e = static_cast<std::size_t>(FindLineEnd(d + offset, d + n) - d);
        const std::string_view line(d + offset, e - offset);
        items.push_back(Item{FoldedPrefix(line), static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(line.size())});
        offset = SkipBlankLines(buffer_, AfterLineEnd(buffer_, e));
    }

    // Sort, equal lines keeping their file order: by the folded prefix, then
    // the full comparison, then the file order.
    const std::size_t count = items.size();
    {
        std::vector<Item, HugePageAllocator<Item>> scratch(count);
        RadixSort(items.data(), scratch.data(), count, 7);
    }
    for (std::size_t i = 0; i < count;) {
        std::size_t j = i + 1;
        while (j < count && items[j].prefix == items[i].prefix)
            ++j;
        if (j - i > 1)
            std::sort(items.begin() + static_cast<std::ptrdiff_t>(i), items.begin() + static_cast<std::ptrdiff_t>(j),
                      [&](const Item& a, const Item& b) {
                          const int c = CompareSamePrefix(d, a, b);
                          return c != 0 ? c < 0 : a.offset < b.offset;
                      });
        i = j;
    }

    // CleanList goes from the last line to the first and deletes a line when
    // the sorted list's binary search for it stops at another equal line.
    // The search depends only on the list's current length and where the
    // group of equal lines lies in it, so it is replayed here without
    // deleting anything. Of each group, the first line that CleanList keeps
    // is the one added back.
    std::vector<std::uint32_t, HugePageAllocator<std::uint32_t>> groupStart(count);
    for (std::size_t i = 0; i < count; ++i) {
        const bool sameAsPrevious =
            i > 0 && items[i].prefix == items[i - 1].prefix && CompareSamePrefix(d, items[i], items[i - 1]) == 0;
        groupStart[i] = sameAsPrevious ? groupStart[i - 1] : static_cast<std::uint32_t>(i);
    }
    std::vector<std::uint32_t> representative;  // sorted position kept, per group, last group first
    std::size_t keptAfter = 0;
    std::size_t keptInGroupAfter = 0;
    for (std::size_t k = count; k-- > 0;) {
        if (k + 1 == count || groupStart[k + 1] != groupStart[k]) {
            keptInGroupAfter = 0;
            representative.push_back(static_cast<std::uint32_t>(k));
        }
        const std::int64_t s = groupStart[k];
        const std::int64_t groupEnd = static_cast<std::int64_t>(k + keptInGroupAfter);
        std::int64_t low = 0;
        std::int64_t high = static_cast<std::int64_t>(k + keptAfter);
        std::int64_t found = -1;
        while (low <= high) {
            const std::int64_t middle = (low + high) / 2;
            if (middle < s) {
                low = middle + 1;
            } else if (middle > groupEnd) {
                high = middle - 1;
            } else {
                found = middle;
                break;
            }
        }
        if (found == static_cast<std::int64_t>(k)) {
            ++keptAfter;
            ++keptInGroupAfter;
            representative.back() = static_cast<std::uint32_t>(k);
        }
    }
    groupStart = {};

    // The kept entries, in order, each followed by CR LF, become the buffer.
    std::size_t size = 0;
    for (std::uint32_t r : representative)
        size += items[r].length + 2;
    if (size > kMaxTextSize)
        throw std::length_error("word list text too large");
    std::string sorted = MakeTextBuffer(size);
    sorted.clear();
    samples_.reserve(representative.size() / kStride + 1);
    // The lines are gathered from all over the text: fetch a few ahead.
    constexpr std::size_t kAhead = 8;
    const std::size_t keep = representative.size();
    for (std::size_t k = 0; k < keep; ++k) {
        if (k + 2 * kAhead < keep)
            __builtin_prefetch(&items[representative[keep - 1 - (k + 2 * kAhead)]]);
        if (k + kAhead < keep)
            __builtin_prefetch(d + items[representative[keep - 1 - (k + kAhead)]].offset);
        const Item& item = items[representative[keep - 1 - k]];
        if (k % kStride == 0)
            samples_.push_back(static_cast<std::uint32_t>(sorted.size()));
        sorted.append(d + item.offset, item.length);
        sorted += "\r\n";
    }
    baseCount_ = keep;
    buffer_ = std::move(sorted);
}

// ---------------------------------------------------------- the index

void WordList::BuildIndex(std::size_t capacity)
{
    const std::size_t total = buffer_.size() + extra_.size();
    const unsigned positionBits = static_cast<unsigned>(std::bit_width(static_cast<std::uint64_t>(total) + 1));
    fingerprintBits_ = positionBits >= 32 ? 0 : 32 - positionBits;
    const std::size_t wanted = std::max<std::size_t>(16, capacity + capacity / 3 + 1);
    slots_.assign(wanted, 0);
    indexed_ = 0;

    // Entries go in by batches sorted by their home slot, so that the
    // inserts sweep the table from start to end instead of jumping around
    // it: a cache miss per entry becomes a sequential walk.
    const std::size_t slotCount = slots_.size();
    const std::uint32_t mask = fingerprintBits_ ? (1u << fingerprintBits_) - 1 : 0;
    const unsigned slotBits = static_cast<unsigned>(std::bit_width(slotCount));
    constexpr std::size_t kBatch = std::size_t(1) << 17;
    std::vector<std::uint64_t> batch;  // home slot << 32 | slot value
    std::vector<std::uint64_t> scratch;
    batch.reserve(std::min(kBatch, capacity + 1));
    auto flush = [&] {
        scratch.resize(batch.size());
        // Least significant digit first, 11 bits at a time, over the slot bits.
        for (unsigned shift = 32; shift < 32 + slotBits; shift += 11) {
            std::size_t count[2049] = {};
            for (std::uint64_t v : batch)
                ++count[((v >> shift) & 2047) + 1];
            for (int i = 0; i < 2048; ++i)
                count[i + 1] += count[i];
            for (std::uint64_t v : batch)
                scratch[count[(v >> shift) & 2047]++] = v;
            batch.swap(scratch);
        }
        for (std::uint64_t v : batch) {
            std::size_t slot = static_cast<std::size_t>(v >> 32);
            while (slots_[slot] != 0)
                slot = slot + 1 == slotCount ? 0 : slot + 1;
            slots_[slot] = static_cast<std::uint32_t>(v);
        }
        indexed_ += batch.size();
        batch.clear();
    };
    auto push = [&](std::string_view entry, std::size_t position) {
        const std::uint64_t h = HashFolded(entry);
        const auto value = static_cast<std::uint32_t>(((position + 1) << fingerprintBits_) | (h & mask));
        batch.push_back(std::uint64_t(SlotOf(h, slotCount)) << 32 | value);
        if (batch.size() == kBatch)
            flush();
    };

    const char* d = buffer_.data();
    const std::size_t n = buffer_.size();
    std::size_t offset = SkipBlankLines(buffer_, 0);
    for (std::size_t k = 0; k < baseCount_; ++k) {
        const std::size_t e = static_cast<std::size_t>(FindLineEnd(d + offset, d + n) - d);
        push(std::string_view(d + offset, e - offset), offset);
        offset = SkipBlankLines(buffer_, AfterLineEnd(buffer_, e));
    }
    for (const Added& a : added_)
        if (!HasLineEnd(AddedEntry(a)))  // those are found by a scan of the added ones
            push(AddedEntry(a), n + a.offset);
    flush();
}

void WordList::IndexInsert(std::uint64_t hash, std::size_t position)
{
    const std::uint32_t mask = fingerprintBits_ ? (1u << fingerprintBits_) - 1 : 0;
    std::size_t slot = SlotOf(hash, slots_.size());
    while (slots_[slot] != 0)
        slot = slot + 1 == slots_.size() ? 0 : slot + 1;
    slots_[slot] = static_cast<std::uint32_t>(((position + 1) << fingerprintBits_) | (hash & mask));
    ++indexed_;
}

bool WordList::Contains(std::string_view entry) const
{
    Wait();
    if (HasLineEnd(entry)) {
        // No line of a file holds a line end; only an added entry can.
        for (const Added& a : added_)
            if (cp1250::equalNoCase(AddedEntry(a), entry))
                return true;
        return false;
    }
    if (slots_.empty())
        return false;
    const std::uint64_t hash = HashFolded(entry);
    const std::uint32_t mask = fingerprintBits_ ? (1u << fingerprintBits_) - 1 : 0;
    const std::uint32_t fingerprint = static_cast<std::uint32_t>(hash) & mask;
    const std::size_t n = entry.size();
    for (std::size_t slot = SlotOf(hash, slots_.size());; slot = slot + 1 == slots_.size() ? 0 : slot + 1) {
        const std::uint32_t value = slots_[slot];
        if (value == 0)
            return false;
        if ((value & mask) != fingerprint)
            continue;
        std::size_t position = (value >> fingerprintBits_) - 1;
        const std::string* text = &buffer_;
        if (position >= buffer_.size()) {
            position -= buffer_.size();
            text = &extra_;
        }
        // The entry at `position` runs to the next line end.
        if (position + n <= text->size() && (position + n == text->size() || IsLineEnd((*text)[position + n])) &&
            EqualFolded(text->data() + position, entry.data(), n))
            return true;
    }
}

// ------------------------------------------------------------- changes

void WordList::Add(std::string_view entry)
{
    Wait();
    if (Contains(entry))
        return;
    if (buffer_.size() + extra_.size() + entry.size() + 2 > kMaxTextSize)
        throw std::length_error("word list text too large");
    const std::size_t rank = BaseRank(entry);
    const auto place = std::lower_bound(added_.begin(), added_.end(), rank, [&](const Added& a, std::size_t r) {
        return a.rank != r ? a.rank < r : CompareFolded(AddedEntry(a), entry) < 0;
    });
    const Added added{static_cast<std::uint32_t>(extra_.size()), static_cast<std::uint32_t>(entry.size()),
                      static_cast<std::uint32_t>(rank)};
    extra_.append(entry);
    extra_ += "\r\n";
    added_.insert(place, added);

    if (HasLineEnd(entry))
        return;  // kept out of the index
    const std::size_t position = buffer_.size() + added.offset;
    const unsigned positionBits = 32 - fingerprintBits_;
    const bool roomy = !slots_.empty() && (indexed_ + 1) * 4 <= slots_.size() * 3;
    if (roomy && std::bit_width(static_cast<std::uint64_t>(position) + 1) <= positionBits)
        IndexInsert(HashFolded(entry), position);
    else
        BuildIndex(Count() * 2);
}

// ---------------------------------------------------------------- text

bool WordList::WriteText(const std::function<bool(std::string_view)>& sink) const
{
    Wait();
    // Short pieces are gathered; runs of entries that stand in the buffer
    // with their CR LF, one after the other, go out as they are.
    constexpr std::size_t kGather = 1 << 16;
    std::string gathered;
    bool ok = true;
    auto flushGathered = [&] {
        if (ok && !gathered.empty())
            ok = sink(gathered);
        gathered.clear();
    };
    auto emit = [&](std::string_view piece) {
        if (!ok)
            return;
        if (piece.size() >= kGather / 4) {
            flushGathered();
            if (ok)
                ok = sink(piece);
            return;
        }
        gathered.append(piece);
        if (gathered.size() >= kGather)
            flushGathered();
    };

    const char* d = buffer_.data();
    const std::size_t n = buffer_.size();
    std::size_t runStart = 0;
    std::size_t runEnd = 0;  // empty run while equal to runStart
    auto flushRun = [&] {
        if (runEnd > runStart)
            emit(std::string_view(d + runStart, runEnd - runStart));
        runStart = runEnd = 0;
    };

    std::size_t next = 0;  // the next added entry
    std::size_t offset = SkipBlankLines(buffer_, 0);
    for (std::size_t k = 0; k < baseCount_ && ok; ++k) {
        for (; next < added_.size() && added_[next].rank == k; ++next) {
            flushRun();
            emit(std::string_view(extra_).substr(added_[next].offset, added_[next].length + 2));
        }
        const std::size_t e = static_cast<std::size_t>(FindLineEnd(d + offset, d + n) - d);
        if (e + 1 < n && d[e] == '\r' && d[e + 1] == '\n') {
            if (runEnd == offset && runEnd > runStart) {
                runEnd = e + 2;
            } else {
                flushRun();
                runStart = offset;
                runEnd = e + 2;
            }
        } else {
            flushRun();
            emit(std::string_view(d + offset, e - offset));
            emit("\r\n");
        }
        offset = SkipBlankLines(buffer_, AfterLineEnd(buffer_, e));
    }
    flushRun();
    for (; next < added_.size(); ++next)
        emit(std::string_view(extra_).substr(added_[next].offset, added_[next].length + 2));
    flushGathered();
    return ok;
}

std::string WordList::Text() const
{
    std::string out;
    out.reserve(buffer_.size() + extra_.size() + 2);
    WriteText([&](std::string_view piece) {
        out.append(piece);
        return true;
    });
    return out;
}
