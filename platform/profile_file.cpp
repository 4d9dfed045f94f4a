#include "platform/profile_file.h"

#include <charconv>

#include "platform/cp1250.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsBlankLine(std::string_view text)
{
    return Trim(text).empty();
}

// What one line of the file is.
struct LineKind {
    enum Kind { Other, Section, Key } kind = Other;
    std::string_view name;        // section or key name, trimmed
    std::size_t valueStart = 0;   // Key: first byte of the value (blanks after "=" skipped)
};

LineKind Classify(std::string_view line)
{
    LineKind result;
    const std::string_view body = Trim(line);
    if (body.empty() || body.front() == ';')
        return result;
    if (body.front() == '[') {
        const std::size_t close = body.find(']');
        if (close == std::string_view::npos)
            return result;
        result.kind = LineKind::Section;
        result.name = Trim(body.substr(1, close - 1));
        return result;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return result;
    result.kind = LineKind::Key;
    result.name = Trim(line.substr(0, equals));
    std::size_t start = equals + 1;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    result.valueStart = start;
    return result;
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// Unsigned digits in `base`, at least one, nothing else; the magnitude is
// capped just above what any 32-bit value needs so that it cannot overflow.
std::optional<std::int64_t> ParseMagnitude(std::string_view digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    constexpr std::int64_t kCap = std::int64_t{1} << 40;
    std::int64_t value = 0;
    for (char c : digits) {
        const int d = DigitValue(c);
        if (d >= base)
            return std::nullopt;
        value = value * base + d;
        if (value > kCap)
            value = kCap;
    }
    return value;
}

std::optional<std::int32_t> ToInt32(std::int64_t value)
{
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const auto magnitude = ParseMagnitude(text.substr(2), 16);
        return magnitude ? ToInt32(*magnitude) : std::nullopt;
    }
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    const auto magnitude = ParseMagnitude(text.substr(i), base);
    if (!magnitude)
        return std::nullopt;
    return ToInt32(negative ? -*magnitude : *magnitude);
}

ProfileFile::ProfileFile(std::string_view text)
{
    if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        byteOrderMark_ = kUtf8ByteOrderMark;
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        const std::size_t endLength = (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        lines_.push_back({std::string(text.substr(start, i - start)), std::string(text.substr(i, endLength))});
        i += endLength;
        start = i;
    }
    if (start < text.size())
        lines_.push_back({std::string(text.substr(start)), std::string()});
}

std::optional<std::size_t> ProfileFile::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineKind kind = Classify(lines_[i].text);
        if (kind.kind == LineKind::Section && cp1250::equalNoCase(kind.name, section))
            return i;
    }
    return std::nullopt;
}

std::size_t ProfileFile::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && Classify(lines_[i].text).kind != LineKind::Section)
        ++i;
    return i;
}

std::optional<std::size_t> ProfileFile::FindKey(std::size_t header, std::string_view key) const
{
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const LineKind kind = Classify(lines_[i].text);
        if (kind.kind == LineKind::Key && cp1250::equalNoCase(kind.name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::ReadString(std::string_view section, std::string_view key) const
{
    const auto header = FindSection(section);
    if (!header)
        return std::nullopt;
    const auto index = FindKey(*header, key);
    if (!index)
        return std::nullopt;
    const std::string& line = lines_[*index].text;
    std::string_view value = Trim(std::string_view(line).substr(Classify(line).valueStart));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value.remove_prefix(1);
        value.remove_suffix(1);
    }
    return std::string(value.substr(0, kMaxValueLength));
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) const
{
    const auto text = ReadString(section, key);
    if (!text)
        return defaultValue;
    return ParseProfileInteger(*text).value_or(defaultValue);
}

void ProfileFile::InsertLine(std::size_t at, std::string text)
{
    // The line before the new one may be the file's last line without a
    // line end; it needs one now.
    if (at > 0 && lines_[at - 1].end.empty())
        lines_[at - 1].end = kLineEnd;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), std::string(kLineEnd)});
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    const auto header = FindSection(section);
    if (!header) {
        if (!lines_.empty() && !IsBlankLine(lines_.back().text))
            InsertLine(lines_.size(), std::string());
        InsertLine(lines_.size(), "[" + std::string(section) + "]");
        InsertLine(lines_.size(), keyLine);
        return;
    }
    if (const auto index = FindKey(*header, key)) {
        std::string& line = lines_[*index].text;
        line.replace(Classify(line).valueStart, std::string::npos, value);
        return;
    }
    // After the section's last non-blank line, so that the blank lines that
    // part it from the next section stay where they are.
    std::size_t at = SectionEnd(*header);
    while (at > *header + 1 && IsBlankLine(lines_[at - 1].text))
        --at;
    InsertLine(at, keyLine);
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    WriteString(section, key, std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

std::string ProfileFile::Text() const
{
    std::string text = byteOrderMark_;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.end;
    }
    return text;
}
