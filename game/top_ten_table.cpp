#include "game/top_ten_table.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include <sys/stat.h>

#include "platform/app_error.h"
#include "platform/cp1250.h"
#include "platform/file_io.h"
#include "platform/text_helpers.h"

namespace {

constexpr char kTab = '\t';
constexpr std::string_view kTabDelimiter = "\t";
// The score text of the made-up lines: "1 000" in ten bytes.
constexpr std::string_view kThousandText = "     1 000";
constexpr std::string_view kBaseKey = "99999";

}  // namespace

std::string ScoreKey(std::int32_t score)
{
    // Unsigned arithmetic wraps by definition; the conversion back to a
    // signed value is modular since C++20.
    const auto key = static_cast<std::int32_t>(99999u - static_cast<std::uint32_t>(score));
    return IntToStr(key);
}

std::string ScoreText(std::int32_t score)
{
    const bool negative = score < 0;
    // The magnitude of INT32_MIN only fits the unsigned type.
    const std::uint32_t magnitude =
        negative ? 0u - static_cast<std::uint32_t>(score) : static_cast<std::uint32_t>(score);
    const std::string digits = std::to_string(magnitude);
    const std::size_t n = digits.size();

    std::string text;
    text.reserve(n + 3);
    if (negative)
        text += '-';
    if (n > 6) {
        text.append(digits, 0, n - 6);
        text += ' ';
        text.append(digits, n - 6, 3);
        text += ' ';
        text.append(digits, n - 3, 3);
    } else if (n > 3) {
        text.append(digits, 0, n - 3);
        text += ' ';
        text.append(digits, n - 3, 3);
    } else {
        text += digits;
    }
    return PadLeft(std::move(text), 10);
}

std::string TopTenLine(std::int32_t score, std::string_view name)
{
    std::string line = ScoreKey(score);
    line += kTab;
    line += ScoreText(score);
    line += kTab;
    line += name;
    return line;
}

std::string TopTenDefaultLine(int digit)
{
    std::string line(kBaseKey);
    line += kTab;
    line += kThousandText;
    line += static_cast<char>('0' + digit);
    line += kTab;
    line += kTopTenDefaultName;
    return line;
}

std::string TopTenFillerLine()
{
    std::string line(kBaseKey);
    line += kTab;
    line += kThousandText;
    line += kTab;
    line += kTopTenDefaultName;
    return line;
}

std::string TopTenNewLine(std::int32_t score)
{
    return TopTenLine(score, " ");
}

std::string MendTopTenName(std::string name)
{
    for (char& c : name)
        if (c == '\t' || c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    return name;
}

void TopTenTable::SetText(std::string text)
{
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    bytes_ = std::move(text);
    lines_.clear();
    const char* const begin = bytes_.data();
    const char* const end = begin + bytes_.size();
    const char* start = begin;
    for (const char* p = begin; p != end;) {
        if (*p != '\r' && *p != '\n') {
            ++p;
            continue;
        }
        lines_.push_back({static_cast<std::size_t>(start - begin), static_cast<std::size_t>(p - start)});
        if (*p == '\r' && p + 1 != end && p[1] == '\n')
            ++p;
        start = ++p;
    }
    // The last line needs no line end; a final line end adds no empty line.
    if (start != end)
        lines_.push_back({static_cast<std::size_t>(start - begin), static_cast<std::size_t>(end - start)});
}

void TopTenTable::SetDefaults()
{
    bytes_.clear();
    lines_.clear();
    for (int digit = 0; digit < 10; ++digit)
        Append(TopTenDefaultLine(digit));
}

void TopTenTable::FillUp()
{
    while (Count() < kTopTenRows)
        Append(TopTenFillerLine());
}

void TopTenTable::Append(std::string_view line)
{
    lines_.push_back({bytes_.size(), line.size()});
    bytes_ += line;
}

std::string_view TopTenTable::Line(int index) const
{
    const Span span = lines_[static_cast<std::size_t>(index)];
    return std::string_view(bytes_.data() + span.offset, span.size);
}

std::vector<std::string> TopTenTable::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(lines_.size());
    for (int i = 0; i < Count(); ++i)
        lines.emplace_back(Line(i));
    return lines;
}

void TopTenTable::Sort()
{
    // Most lines differ within their first eight bytes (key, tab and the
    // start of the score text), so those are folded to lower case once and
    // packed into a number that orders like them. A line shorter than eight
    // bytes is padded with zero bytes, which keeps it before every longer
    // line it begins. The numbers are sorted by a stable radix sort, byte by
    // byte from the last; only lines whose first eight bytes agree are then
    // compared in full. Both steps keep equal lines in their order.
    struct Key {
        std::uint64_t prefix;
        std::uint32_t index;
    };
    const std::size_t count = lines_.size();
    std::vector<Key> keys(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view line = Line(static_cast<int>(i));
        std::uint64_t prefix = 0;
        for (std::size_t k = 0; k < 8; ++k) {
            const unsigned char byte = k < line.size() ? cp1250::kLowerTable[static_cast<unsigned char>(line[k])] : 0;
            prefix = (prefix << 8) | byte;
        }
        keys[i] = {prefix, static_cast<std::uint32_t>(i)};
    }

    std::vector<Key> buffer(count);
    for (int shift = 0; shift < 64 && count > 1; shift += 8) {
        std::size_t place[256] = {};
        for (const Key& key : keys)
            ++place[(key.prefix >> shift) & 0xFF];
        // A byte that is the same in every line orders nothing.
        if (place[(keys[0].prefix >> shift) & 0xFF] == count)
            continue;
        std::size_t next = 0;
        for (std::size_t& slot : place) {
            const std::size_t size = slot;
            slot = next;
            next += size;
        }
        for (const Key& key : keys)
            buffer[place[(key.prefix >> shift) & 0xFF]++] = key;
        keys.swap(buffer);
    }

    const auto byWholeLine = [this](const Key& a, const Key& b) {
        return cp1250::compareNoCase(Line(static_cast<int>(a.index)), Line(static_cast<int>(b.index))) < 0;
    };
    for (std::size_t first = 0; first < count;) {
        std::size_t last = first + 1;
        while (last < count && keys[last].prefix == keys[first].prefix)
            ++last;
        if (last - first > 1)
            std::stable_sort(keys.begin() + static_cast<std::ptrdiff_t>(first),
                             keys.begin() + static_cast<std::ptrdiff_t>(last), byWholeLine);
        first = last;
    }

    std::vector<Span> sorted;
    sorted.reserve(count);
    for (const Key& key : keys)
        sorted.push_back(lines_[key.index]);
    lines_ = std::move(sorted);
}

std::string TopTenTable::ScoreTextAt(int index) const
{
    return GetField(kTabDelimiter, Line(index), 2);
}

std::string TopTenTable::NameAt(int index) const
{
    return GetField(kTabDelimiter, Line(index), 3);
}

int TopTenTable::FindScoreRow(std::int32_t score) const
{
    const std::string text = ScoreText(score);
    const int shown = std::min(Count(), kTopTenRows);
    for (int row = 0; row < shown; ++row)
        if (ScoreTextAt(row) == text)
            return row;
    return -1;
}

void TopTenTable::SetEntry(int index, std::int32_t score, std::string name)
{
    // The new bytes go to the end of the buffer; the old ones stay unused.
    const std::string line = TopTenLine(score, MendTopTenName(std::move(name)));
    lines_[static_cast<std::size_t>(index)] = {bytes_.size(), line.size()};
    bytes_ += line;
}

std::string TopTenTable::Text() const
{
    std::size_t total = 0;
    for (const Span& span : lines_)
        total += span.size + 2;
    std::string text;
    text.reserve(total);
    for (int i = 0; i < Count(); ++i) {
        text += Line(i);
        text += "\r\n";
    }
    return text;
}

TopTenTable ReadTopTenFile(const std::string& path)
{
    TopTenTable table;
    struct stat st {};
    const bool found = ::stat(path.c_str(), &st) == 0;
    const bool noFile = found ? S_ISDIR(st.st_mode) : (errno == ENOENT || errno == ENOTDIR);
    if (noFile) {
        // No file yet: the first finished game creates it. A folder of that
        // name is no file either; writing the table will then fail on it.
        table.SetDefaults();
        return table;
    }
    // A pipe or a device would block or never end. Any other failure is left
    // to the reading, which reports the system's own reason.
    if (found && !S_ISREG(st.st_mode))
        throw CannotOpenFile(path, "Not a regular file");
    table.SetText(fileio::ReadWholeFile(path));
    return table;
}

void WriteTopTenFile(const std::string& path, const TopTenTable& table)
{
    std::string reason;
    if (!fileio::WriteWholeFileAtomic(path, table.Text(), reason))
        throw CannotCreateFile(path, reason);
}
