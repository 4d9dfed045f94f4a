// The small text helpers and the code page they work in.
//
// GetField: the fields, put back together with the delimiter bytes between
// them, give the source again; no field holds a delimiter; out-of-range
// indexes give empty text. PadLeft: blanks in front, never cut. SplitLines:
// lines hold no line end and joined with CR LF split into themselves again.
// CleanList: no blank lines left, the rest untouched and in order, one of
// each group of equal lines (unsorted lists) or at least one (sorted lists),
// the returned text is the list's. Code page 1250 text survives the trip to
// UTF-8 and back, and the case-blind comparison is a consistent order.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/cp1250.h"
#include "platform/string_list.h"
#include "platform/text_helpers.h"

namespace {

void CheckGetField(const std::string& delimiters, const std::string& source, std::int32_t index)
{
    const auto isDelimiter = [&](char c) { return delimiters.find(c) != std::string::npos; };
    std::size_t delimiterCount = 0;
    for (char c : source)
        delimiterCount += isDelimiter(c);
    const std::size_t fieldCount = delimiterCount + 1;

    std::string rebuilt;
    std::size_t at = 0;
    for (std::size_t n = 1; n <= fieldCount; ++n) {
        const std::string field = GetField(delimiters, source, static_cast<std::int32_t>(n));
        for (char c : field)
            FUZZ_CHECK(!isDelimiter(c), "a field holds a delimiter byte");
        rebuilt += field;
        at += field.size();
        if (n < fieldCount) {
            FUZZ_CHECK(at < source.size(), "fields run past the source");
            rebuilt += source[at];
            ++at;
        }
        if (fieldCount > 64 && n == 64)
            return;  // long sources: the first fields are enough
    }
    FUZZ_CHECK(rebuilt == source, "fields and delimiters do not give the source back");
    FUZZ_CHECK(GetField(delimiters, source, static_cast<std::int32_t>(fieldCount + 1)).empty(),
               "a field past the last one is not empty");
    if (index <= 0)
        FUZZ_CHECK(GetField(delimiters, source, index).empty(), "index 0 or less gives text");
    if (delimiters.empty())
        FUZZ_CHECK(GetField(delimiters, source, 1) == source, "without delimiters field 1 is not the source");
}

void CheckPadLeft(const std::string& text, std::uint8_t width)
{
    const std::string padded = PadLeft(text, width);
    FUZZ_CHECK(padded.size() == std::max<std::size_t>(text.size(), width), "PadLeft length");
    const std::size_t added = padded.size() - text.size();
    FUZZ_CHECK(padded.compare(added, std::string::npos, text) == 0, "PadLeft changed the text");
    FUZZ_CHECK(std::all_of(padded.begin(), padded.begin() + static_cast<std::ptrdiff_t>(added),
                           [](char c) { return c == ' '; }),
               "PadLeft put something other than blanks");
}

void CheckSplitLines(const std::string& text)
{
    const std::vector<std::string> lines = SplitLines(text);
    std::size_t bytes = 0;
    for (const auto& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, "a line holds a line end");
        bytes += line.size();
    }
    // A line ends at every LF and at every CR that no LF follows.
    std::size_t ends = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        ends += text[i] == '\n' || (text[i] == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n'));
    std::size_t lineEndBytes = 0;
    for (char c : text)
        lineEndBytes += c == '\r' || c == '\n';
    FUZZ_CHECK(bytes + lineEndBytes == text.size(), "SplitLines lost or added bytes");
    FUZZ_CHECK(lines.size() == ends + (text.empty() || text.back() == '\r' || text.back() == '\n' ? 0 : 1),
               "SplitLines gives the wrong number of lines");

    std::string joined;
    for (const auto& line : lines)
        joined += line + "\r\n";
    FUZZ_CHECK(SplitLines(joined) == lines, "lines joined with CR LF do not split into themselves");
    StringList list;
    list.SetText(text);
    FUZZ_CHECK(list.Lines() == lines && list.Text() == joined, "StringList text form");
}

void CheckCleanList(const std::vector<std::string>& lines, StringList::Compare compare, bool sorted)
{
    StringList list(compare);
    for (const auto& line : lines)
        list.Add(line);
    list.SetSorted(sorted);
    const std::vector<std::string> before = list.Lines();
    const std::string text = CleanList(list);
    const std::vector<std::string>& after = list.Lines();

    FUZZ_CHECK(text == list.Text(), "CleanList returned another text than the list's");
    std::size_t k = 0;
    for (const auto& line : after) {
        FUZZ_CHECK(!IsBlankLine(line), "a blank line stayed");
        while (k < before.size() && before[k] != line)
            ++k;
        FUZZ_CHECK(k < before.size(), "a kept line was changed or reordered: " + fuzzing::Show(line));
        ++k;
    }
    for (const auto& line : before) {
        if (IsBlankLine(line))
            continue;
        const bool kept = std::any_of(after.begin(), after.end(),
                                      [&](const std::string& a) { return list.CompareLines(a, line) == 0; });
        FUZZ_CHECK(kept, "every copy of a line went: " + fuzzing::Show(line));
    }
    if (!sorted) {
        for (std::size_t i = 0; i < after.size(); ++i)
            for (std::size_t j = i + 1; j < after.size(); ++j)
                FUZZ_CHECK(list.CompareLines(after[i], after[j]) != 0, "two equal lines stayed in an unsorted list");
        // The first of each group stays.
        std::vector<std::string> firsts;
        for (const auto& line : before) {
            if (IsBlankLine(line))
                continue;
            const bool seen = std::any_of(firsts.begin(), firsts.end(),
                                          [&](const std::string& f) { return list.CompareLines(f, line) == 0; });
            if (!seen)
                firsts.push_back(line);
        }
        FUZZ_CHECK(after == firsts, "an unsorted list did not keep the first line of each group");
    } else {
        for (std::size_t i = 1; i < after.size(); ++i)
            FUZZ_CHECK(list.CompareLines(after[i - 1], after[i]) <= 0, "a sorted list lost its order");
    }
}

void CheckCodePage(const std::string& a, const std::string& b)
{
    FUZZ_CHECK(cp1250::fromUtf8(cp1250::toUtf8(a)) == a, "code page text did not survive UTF-8: " + fuzzing::Show(a));
    const int ab = cp1250::compareNoCase(a, b);
    const int ba = cp1250::compareNoCase(b, a);
    FUZZ_CHECK((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0), "compareNoCase is not antisymmetric");
    FUZZ_CHECK(cp1250::compareNoCase(a, cp1250::toUpper(a)) == 0 && cp1250::compareNoCase(a, cp1250::toLower(a)) == 0,
               "a text does not equal its own upper or lower case");
    FUZZ_CHECK(cp1250::equalNoCase(a, b) == (ab == 0), "equalNoCase disagrees with compareNoCase");
    FUZZ_CHECK(cp1250::toLower(cp1250::toUpper(cp1250::toLower(a))) == cp1250::toLower(a), "case folding is not stable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const std::string delimiters = data.ConsumeRandomLengthString(4);
    const std::int32_t index = data.ConsumeIntegral<std::int32_t>();
    const std::uint8_t width = data.ConsumeIntegral<std::uint8_t>();
    const auto compare = data.ConsumeBool() ? StringList::Compare::CaseInsensitive : StringList::Compare::CaseSensitive;
    const bool sorted = data.ConsumeBool();
    const std::string other = data.ConsumeRandomLengthString(32);
    const std::string text = data.ConsumeRemainingBytesAsString();

    CheckGetField(delimiters, text, index);
    CheckPadLeft(text.substr(0, 300), width);
    CheckSplitLines(text);
    std::vector<std::string> lines = SplitLines(text);
    if (lines.size() > 200)
        lines.resize(200);
    CheckCleanList(lines, compare, sorted);
    CheckCodePage(text, other);
    return 0;
}
