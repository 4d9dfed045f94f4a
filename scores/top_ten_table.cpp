#include "scores/top_ten_table.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include <sys/stat.h>

#include "app/text_helpers.h"
#include "platform/app_error.h"
#include "platform/cp1250.h"
#include "platform/file_io.h"

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
    // Most comparisons are settled by the first eight bytes of the lines
    // (key, tab and the start of the score text), so those are folded to
    // lower case once and packed into a number that compares like them.
    // A line shorter than eight bytes is padded with zero bytes, which keeps
    // it before every longer line it begins. Only lines whose first eight
    // bytes agree are compared in full; the original position settles the
    // rest, so equal lines keep their order.
    struct Key {
        std::uint64_t prefix;
        std::uint32_t index;
    };
    std::vector<Key> keys(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = Line(static_cast<int>(i));
        std::uint64_t prefix = 0;
        for (std::size_t k = 0; k < 8; ++k) {
            const unsigned char byte = k < line.size() ? cp1250::kLowerTable[static_cast<unsigned char>(line[k])] : 0;
            prefix = (prefix << 8) | byte;
        }
        keys[i] = {prefix, static_cast<std::uint32_t>(i)};
    }
    std::sort(keys.begin(), keys.end(), [this](const Key& a, const Key& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int c = cp1250::compareNoCase(Line(static_cast<int>(a.index)), Line(static_cast<int>(b.index)));
        return c != 0 ? c < 0 : a.index < b.index;
    });
    std::vector<Span> sorted;
    sorted.reserve(lines_.size());
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
    if (::stat(path.c_str(), &st) == 0) {
        // A pipe or a device would block or never end. A folder, like any
        // other failure, is left to the reading, which reports the system's
        // own reason.
        if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            throw CannotOpenFile(path, "Not a regular file");
    } else if (errno == ENOENT || errno == ENOTDIR) {
        // No file yet: the first finished game creates it.
        table.SetDefaults();
        return table;
    }
    table.SetText(fileio::ReadWholeFile(path));
    return table;
}

void WriteTopTenFile(const std::string& path, const TopTenTable& table)
{
    std::string reason;
    if (!fileio::WriteWholeFileAtomic(path, table.Text(), reason))
        throw CannotCreateFile(path, reason);
}
