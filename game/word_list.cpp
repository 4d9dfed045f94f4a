#include "game/word_list.h"

#include <algorithm>
#include <stdexcept>

#include "platform/cp1250.h"

namespace {

bool IsBlank(std::string_view line)
{
    for (unsigned char b : line)
        if (b > 0x20)
            return false;
    return true;
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
            key |= cp1250::kLowerTable[static_cast<unsigned char>(s[i])];
    }
    return key;
}

}  // namespace

std::string_view WordList::operator[](std::size_t index) const
{
    return View(entries_[index]);
}

void WordList::Load(std::string text)
{
    if (text.size() > kMaxTextSize)
        throw std::length_error("word list text too large");
    buffer_ = std::move(text);
    entries_.clear();

    // The lines, without the blank ones.
    std::vector<Span> lines;
    lines.reserve(buffer_.size() / 12 + 1);
    const std::size_t n = buffer_.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i <= n; ++i) {
        const bool end = i == n;
        if (!end && buffer_[i] != '\r' && buffer_[i] != '\n')
            continue;
        if (!(end && start == n)) {
            const Span line{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i - start)};
            if (!IsBlank(View(line)))
                lines.push_back(line);
        }
        if (!end && buffer_[i] == '\r' && i + 1 < n && buffer_[i + 1] == '\n')
            ++i;
        start = i + 1;
    }

    // A list that is already sorted without equal lines stays as it is.
    bool clean = true;
    for (std::size_t i = 1; i < lines.size() && clean; ++i)
        clean = cp1250::compareNoCase(View(lines[i - 1]), View(lines[i])) < 0;
    if (clean) {
        entries_ = std::move(lines);
        return;
    }

    // Sort, equal lines keeping their file order.
    struct Item {
        std::uint64_t prefix;
        std::uint32_t index;
    };
    std::vector<Item> items(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        items[i] = Item{FoldedPrefix(View(lines[i])), static_cast<std::uint32_t>(i)};
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int c = cp1250::compareNoCase(View(lines[a.index]), View(lines[b.index]));
        return c != 0 ? c < 0 : a.index < b.index;
    });

    // CleanList goes from the last line to the first and deletes a line when
    // the sorted list's binary search for it stops at another equal line.
    // The search depends only on the list's current length and where the
    // group of equal lines lies in it, so it is replayed here without
    // deleting anything. Of each group, the first line that CleanList keeps
    // is the one added back.
    const std::size_t count = items.size();
    std::vector<std::uint32_t> groupStart(count);
    for (std::size_t i = 0; i < count; ++i) {
        const bool sameAsPrevious =
            i > 0 && items[i].prefix == items[i - 1].prefix &&
            cp1250::compareNoCase(View(lines[items[i].index]), View(lines[items[i - 1].index])) == 0;
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
    entries_.reserve(representative.size());
    for (auto it = representative.rbegin(); it != representative.rend(); ++it)
        entries_.push_back(lines[items[*it].index]);
}

bool WordList::Find(std::string_view entry, std::size_t& index) const
{
    std::size_t low = 0;
    std::size_t high = entries_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int c = cp1250::compareNoCase(View(entries_[middle]), entry);
        if (c < 0) {
            low = middle + 1;
        } else if (c > 0) {
            high = middle;
        } else {
            index = middle;
            return true;
        }
    }
    index = low;
    return false;
}

bool WordList::Contains(std::string_view entry) const
{
    std::size_t index = 0;
    return Find(entry, index);
}

void WordList::Add(std::string_view entry)
{
    std::size_t index = 0;
    if (Find(entry, index))
        return;
    if (buffer_.size() + entry.size() > kMaxTextSize)
        throw std::length_error("word list text too large");
    const Span span{static_cast<std::uint32_t>(buffer_.size()), static_cast<std::uint32_t>(entry.size())};
    buffer_.append(entry);
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), span);
}

std::string WordList::Text() const
{
    std::size_t size = 0;
    for (const Span& s : entries_)
        size += s.length + 2;
    std::string out;
    out.reserve(size);
    for (const Span& s : entries_) {
        out.append(View(s));
        out += "\r\n";
    }
    return out;
}
