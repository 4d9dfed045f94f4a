#include "platform/text_helpers.h"

#include <charconv>

#include "platform/string_list.h"

std::string GetField(std::string_view delimiters, std::string_view source, std::int32_t index)
{
    std::string result;
    if (index <= 0)
        return result;
    bool isDelimiter[256] = {};
    for (unsigned char d : delimiters)
        isDelimiter[d] = true;
    std::int64_t field = 1;
    for (unsigned char b : source) {
        if (isDelimiter[b]) {
            if (++field > index)
                break;
        } else if (field == index) {
            result += static_cast<char>(b);
        }
    }
    return result;
}

std::string PadLeft(std::string text, std::uint8_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

bool IsBlankLine(std::string_view line)
{
    for (unsigned char b : line)
        if (b > 0x20)
            return false;
    return true;
}

std::string CleanList(StringList& list)
{
    for (int i = list.Count() - 1; i >= 0; --i)
        if (IsBlankLine(list[i]))
            list.Delete(i);
    for (int i = list.Count() - 1; i >= 0; --i) {
        const int found = list.IndexOf(list[i]);
        if (found != i)
            list.Delete(i);
    }
    return list.Text();
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string IntToStr(std::int32_t value)
{
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, end);
}
