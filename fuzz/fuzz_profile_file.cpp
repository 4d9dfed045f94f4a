// The INI reader and writer behind the settings file.
//
// Any text is read without harm and written back byte for byte; values
// written are read back, from the same object and from the written text;
// keys not written keep their values; every line that was not a written key
// survives in its place; integers parse as the settings file documents.
// Now and then the same round trip goes through LoadSettings and
// SaveSettings on a real file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/settings.h"
#include "fuzz_support.h"
#include "platform/file_io.h"
#include "platform/profile_file.h"

namespace {

// Names in groups; the spellings of one group are equal ignoring letter case
// (code page 1250: 0xC1 is Á, 0xE1 is á; 0xC9 is É, 0xE9 is é).
const std::vector<std::vector<std::string>> kSections = {
    {"Screen", "screen", "SCREEN"},
    {"Game", "gAME"},
    {"Sound"},
    {"\xC1gy", "\xE1GY"},
};
const std::vector<std::vector<std::string>> kKeys = {
    {"Left", "LEFT", "left"},
    {"Top", "tOP"},
    {"Hard"},
    {"\xC9rt\xE9k", "\xE9RT\xC9K"},
};

struct Line {
    std::string text;
    std::string end;
};

// The lines of a text with their line ends, split the way INI files are.
std::vector<Line> SplitWithEnds(const std::string& text)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\r' && text[i] != '\n') {
            ++i;
            continue;
        }
        const std::size_t endLength = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        lines.push_back({text.substr(start, i - start), text.substr(i, endLength)});
        i += endLength;
        start = i;
    }
    if (start < text.size())
        lines.push_back({text.substr(start), ""});
    return lines;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool IsBlankText(const std::string& text)
{
    for (char c : text)
        if (!IsBlank(c))
            return false;
    return true;
}

// What the settings file documents for integer text, written from the rules
// rather than from the reader: "0x"/"0X" and hex digits; or blanks, a sign,
// and decimal digits or "$" and hex digits; 32-bit signed range.
std::optional<std::optional<std::int32_t>> DocumentedInteger(const std::string& text)
{
    for (char c : text)
        if (c == '\v' || c == '\f')
            return std::nullopt;  // blanks beyond space and tab: not documented, not compared
    const auto digitsValue = [](const std::string& digits, int base) -> std::optional<__int128> {
        if (digits.empty())
            return std::nullopt;
        __int128 value = 0;
        for (char c : digits) {
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return std::nullopt;
            value = value * base + d;
            if (value > (__int128{1} << 40))
                value = __int128{1} << 40;
        }
        return value;
    };
    const auto inRange = [](__int128 v) -> std::optional<std::int32_t> {
        if (v < INT32_MIN || v > INT32_MAX)
            return std::nullopt;
        return static_cast<std::int32_t>(v);
    };
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const auto v = digitsValue(text.substr(2), 16);
        return v ? inRange(*v) : std::optional<std::int32_t>();
    }
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    const auto v = digitsValue(text.substr(i), base);
    if (!v)
        return std::optional<std::int32_t>();
    return inRange(negative ? -*v : *v);
}

using Reads = std::map<std::pair<std::size_t, std::size_t>, std::optional<std::string>>;

// Every name group's value, read through every spelling; the spellings must
// agree.
Reads ReadAll(const ProfileFile& profile)
{
    Reads reads;
    for (std::size_t s = 0; s < kSections.size(); ++s) {
        for (std::size_t k = 0; k < kKeys.size(); ++k) {
            const auto first = profile.ReadString(kSections[s][0], kKeys[k][0]);
            for (const auto& section : kSections[s])
                for (const auto& key : kKeys[k])
                    FUZZ_CHECK(profile.ReadString(section, key) == first,
                               "spellings of one name read different values: " + fuzzing::Show(section) + "/" +
                                   fuzzing::Show(key));
            if (first)
                FUZZ_CHECK(first->size() <= ProfileFile::kMaxValueLength, "value longer than the cut");
            reads[{s, k}] = first;
        }
    }
    return reads;
}

void CheckIntegers(const ProfileFile& profile)
{
    for (const auto& sections : kSections) {
        for (const auto& keys : kKeys) {
            const auto text = profile.ReadString(sections[0], keys[0]);
            const std::int32_t read = profile.ReadInteger(sections[0], keys[0], -77);
            if (!text) {
                FUZZ_CHECK(read == -77, "missing key did not give the default");
                continue;
            }
            const auto parsed = ParseProfileInteger(*text);
            FUZZ_CHECK(read == parsed.value_or(-77), "ReadInteger disagrees with ParseProfileInteger");
            if (const auto documented = DocumentedInteger(*text))
                FUZZ_CHECK(*documented == parsed, "integer text read against the documented rules: " +
                                                      fuzzing::Show(*text));
        }
    }
}

struct Write {
    std::size_t section, sectionSpelling, key, keySpelling;
    std::string value;
};

bool IsInsertable(const Line& line, const std::vector<Write>& writes)
{
    if (line.end != "\r\n")
        return false;
    if (IsBlankText(line.text))
        return true;
    for (const Write& w : writes) {
        if (line.text == "[" + kSections[w.section][w.sectionSpelling] + "]")
            return true;
        // A key line added by one write may get its value from a later one.
        for (const Write& later : writes)
            if (line.text == kKeys[w.key][w.keySpelling] + "=" + later.value)
                return true;
    }
    return false;
}

// The written line stands where `original` stood: the text up to the value
// kept, one of the written values after it.
bool IsReplacement(const Line& original, const Line& now, const std::vector<Write>& writes)
{
    if (original.end != now.end && !(original.end.empty() && now.end == "\r\n"))
        return false;
    const std::size_t equals = original.text.find('=');
    if (equals == std::string::npos)
        return false;
    std::size_t start = equals + 1;
    while (start < original.text.size() && IsBlank(original.text[start]))
        ++start;
    if (now.text.compare(0, start, original.text, 0, start) != 0 || now.text.size() < start)
        return false;
    const std::string value = now.text.substr(start);
    for (const Write& w : writes)
        if (value == w.value)
            return true;
    return false;
}

void CheckOtherLinesSurvive(std::string before, std::string after, const std::vector<Write>& writes)
{
    // A byte order mark in front of the file stays in front of it.
    const std::string mark = "\xEF\xBB\xBF";
    const bool marked = before.compare(0, mark.size(), mark) == 0;
    FUZZ_CHECK(marked == (after.compare(0, mark.size(), mark) == 0), "the byte order mark came or went");
    if (marked) {
        before.erase(0, mark.size());
        after.erase(0, mark.size());
    }
    const std::vector<Line> old = SplitWithEnds(before);
    const std::vector<Line> now = SplitWithEnds(after);
    std::size_t j = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
        for (;; ++j) {
            FUZZ_CHECK(j < now.size(), "line " + std::to_string(i + 1) + " " + fuzzing::Show(old[i].text) +
                                           " was lost");
            const bool same = now[j].text == old[i].text &&
                              (now[j].end == old[i].end || (old[i].end.empty() && now[j].end == "\r\n"));
            if (same || IsReplacement(old[i], now[j], writes))
                break;
            FUZZ_CHECK(IsInsertable(now[j], writes), "line " + fuzzing::Show(now[j].text) +
                                                         " came from nowhere, before old line " +
                                                         fuzzing::Show(old[i].text));
        }
        ++j;
    }
    for (; j < now.size(); ++j)
        FUZZ_CHECK(IsInsertable(now[j], writes), "trailing line " + fuzzing::Show(now[j].text) + " came from nowhere");
}

std::string ValueText(FuzzedDataProvider& data)
{
    if (data.ConsumeBool())
        return std::to_string(data.ConsumeIntegral<std::int32_t>());
    static const char kAlphabet[] = "abcXYZ019_.-+$";
    std::string value;
    const std::size_t length = data.ConsumeIntegralInRange<std::size_t>(1, 12);
    for (std::size_t i = 0; i < length; ++i)
        value += kAlphabet[data.ConsumeIntegralInRange<std::size_t>(0, sizeof kAlphabet - 2)];
    return value;
}

// LoadSettings and SaveSettings on a real file: the three values come back,
// the rest of the file is what the INI writer makes of it, and the save
// leaves no temporary file behind.
void SettingsRoundTrip(const std::string& text, const Settings& saved)
{
    static fuzzing::ScratchFolder folder;
    folder.Empty();
    const std::string file = folder.File("Vorpanta.ini");
    std::string reason;
    FUZZ_CHECK(fileio::WriteWholeFileAtomic(file, text, reason), "cannot prepare the settings file: " + reason);

    const ProfileFile profile(text);
    const Settings loaded = LoadSettings(file);
    FUZZ_CHECK(loaded.left == profile.ReadInteger("Screen", "Left", 10), "LoadSettings Left");
    FUZZ_CHECK(loaded.top == profile.ReadInteger("Screen", "Top", 10), "LoadSettings Top");
    FUZZ_CHECK(loaded.hard >= 3 && loaded.hard <= 5, "Hard outside 3..5 after loading");

    SaveSettings(file, saved);
    const Settings again = LoadSettings(file);
    FUZZ_CHECK(again.left == saved.left && again.top == saved.top, "saved position not read back");
    FUZZ_CHECK(again.hard == (saved.hard >= 3 && saved.hard <= 5 ? saved.hard : 4), "saved Hard not read back");

    ProfileFile expected(text);
    expected.WriteInteger("Screen", "Left", saved.left);
    expected.WriteInteger("Screen", "Top", saved.top);
    expected.WriteInteger("Game", "Hard", saved.hard);
    FUZZ_CHECK(fileio::ReadWholeFile(file) == expected.Text(), "the saved file is not the INI writer's text");
    FUZZ_CHECK(folder.Count() == 1, "a save left a temporary file behind");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    // Parameters come from the end of the input, the file text from its
    // front, so that plain INI files make good seeds.
    const bool throughFiles = data.ConsumeIntegralInRange<int>(0, 7) == 0;
    std::vector<Write> writes(data.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (Write& w : writes) {
        w.section = data.ConsumeIntegralInRange<std::size_t>(0, kSections.size() - 1);
        w.sectionSpelling = data.ConsumeIntegralInRange<std::size_t>(0, kSections[w.section].size() - 1);
        w.key = data.ConsumeIntegralInRange<std::size_t>(0, kKeys.size() - 1);
        w.keySpelling = data.ConsumeIntegralInRange<std::size_t>(0, kKeys[w.key].size() - 1);
        w.value = ValueText(data);
    }
    std::vector<std::int32_t> numbers;
    for (int i = 0; i < 3; ++i)
        numbers.push_back(data.ConsumeIntegral<std::int32_t>());
    Settings saved;
    saved.left = numbers[0];
    saved.top = numbers[1];
    saved.hard = data.ConsumeBool() ? data.ConsumeIntegralInRange<std::int32_t>(3, 5) : numbers[2];
    const std::string text = data.ConsumeRemainingBytesAsString();

    // Reading anything, and writing it back untouched.
    ProfileFile profile(text);
    FUZZ_CHECK(profile.Text() == text, "text read and written back changed");
    const Reads before = ReadAll(profile);
    CheckIntegers(profile);

    // Every 32-bit number survives its own text.
    for (std::int32_t n : numbers)
        FUZZ_CHECK(ParseProfileInteger(std::to_string(n)) == n, "decimal text of a number not read back");

    // Writing keys.
    Reads expected = before;
    for (const Write& w : writes) {
        profile.WriteString(kSections[w.section][w.sectionSpelling], kKeys[w.key][w.keySpelling], w.value);
        expected[{w.section, w.key}] = w.value;
        FUZZ_CHECK(profile.ReadString(kSections[w.section][0], kKeys[w.key][0]) == w.value,
                   "written value not read back at once");
    }
    const std::string written = profile.Text();
    FUZZ_CHECK(ReadAll(profile) == expected, "after writing, a value differs from what was written or kept");

    // The written text read afresh gives the same values and survives itself.
    const ProfileFile reread(written);
    FUZZ_CHECK(reread.Text() == written, "written text does not survive a second reading");
    FUZZ_CHECK(ReadAll(reread) == expected, "written text read afresh gives other values");
    CheckIntegers(reread);

    CheckOtherLinesSurvive(text, written, writes);

    if (throughFiles)
        SettingsRoundTrip(text, saved);
    return 0;
}
