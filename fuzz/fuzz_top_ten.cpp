// The top-ten table: reading any "Top10.txt", filling, adding, sorting,
// formatting and writing it back.
//
// The lines read are the file's lines up to its first NUL byte; they survive
// the table's text; filling keeps them and adds filler lines up to ten; the
// sort is a stable, case-blind ascending order of whole lines that keeps
// every line; the score texts and keys follow their format for any score;
// the opened row is the first shown row of the score; a typed name cannot
// break the line; and now and then the table makes the trip through a real
// file.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "game/top_ten_table.h"
#include "platform/cp1250.h"
#include "platform/text_helpers.h"

namespace {

void CheckScoreText(std::int32_t score)
{
    const std::string text = ScoreText(score);
    FUZZ_CHECK(text.size() >= 10, "score text shorter than ten bytes");
    std::string trimmed = text.substr(text.find_first_not_of(' '));
    FUZZ_CHECK(text.size() == 10 || trimmed.size() == text.size(), "a long score text has blanks in front");

    std::string digits;
    std::vector<std::string> groups(1);
    for (char c : trimmed) {
        if (c == ' ') {
            groups.emplace_back();
            continue;
        }
        groups.back() += c;
        if (c != '-')
            digits += c;
    }
    const std::string expected = std::to_string(score);
    FUZZ_CHECK((score < 0 ? "-" : "") + digits == expected, "score text digits: " + fuzzing::Show(text));
    const std::size_t n = digits.size();
    FUZZ_CHECK(groups.size() == std::min<std::size_t>(3, (n + 2) / 3), "score text group count: " + fuzzing::Show(text));
    for (std::size_t g = 1; g < groups.size(); ++g)
        FUZZ_CHECK(groups[g].size() == 3, "a group other than the first is not three digits: " + fuzzing::Show(text));

    const std::int64_t wide = 99999 - static_cast<std::int64_t>(score);
    const auto wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(wide & 0xFFFFFFFF));
    FUZZ_CHECK(ScoreKey(score) == std::to_string(wrapped), "key of a score");

    const std::string line = TopTenNewLine(score);
    FUZZ_CHECK(GetField("\t", line, 1) == ScoreKey(score) && GetField("\t", line, 2) == text &&
                   GetField("\t", line, 3) == " " && GetField("\t", line, 4).empty(),
               "the new line of a score");
}

std::vector<std::string> ReferenceSort(std::vector<std::string> lines)
{
    std::stable_sort(lines.begin(), lines.end(),
                     [](const std::string& a, const std::string& b) { return cp1250::compareNoCase(a, b) < 0; });
    return lines;
}

void FileRoundTrip(const TopTenTable& table)
{
    static fuzzing::ScratchFolder folder;
    folder.Empty();
    const std::string path = folder.File("Top10.txt");
    WriteTopTenFile(path, table);
    FUZZ_CHECK(ReadTopTenFile(path).Lines() == table.Lines(), "the table did not survive its file");
    FUZZ_CHECK(folder.Count() == 1, "writing left a temporary file behind");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const bool throughFile = data.ConsumeIntegralInRange<int>(0, 7) == 0;
    const bool endOfGame = data.ConsumeBool();
    const std::int32_t score = data.ConsumeBool() ? data.ConsumeIntegralInRange<std::int32_t>(0, 120000)
                                                  : data.ConsumeIntegral<std::int32_t>();
    const std::string name = data.ConsumeRandomLengthString(40);
    std::string text = data.ConsumeRemainingBytesAsString();

    CheckScoreText(score);

    TopTenTable table;
    table.SetText(text);
    const std::string untilNul = text.substr(0, text.find('\0'));
    const std::vector<std::string> read = table.Lines();
    FUZZ_CHECK(read == SplitLines(untilNul), "lines read differ from the file's lines up to its first NUL");

    TopTenTable again;
    again.SetText(table.Text());
    FUZZ_CHECK(again.Lines() == read, "lines did not survive the table's own text");

    table.FillUp();
    FUZZ_CHECK(table.Count() == std::max<int>(10, static_cast<int>(read.size())), "filling to ten lines");
    std::vector<std::string> filled = table.Lines();
    FUZZ_CHECK(std::equal(read.begin(), read.end(), filled.begin()), "filling changed a line read");
    for (std::size_t i = read.size(); i < filled.size(); ++i)
        FUZZ_CHECK(filled[i] == TopTenFillerLine(), "a filler line is not the filler line");

    if (endOfGame) {
        table.Append(TopTenNewLine(score));
        filled.push_back(TopTenNewLine(score));
    }
    table.Sort();
    const std::vector<std::string> sorted = table.Lines();
    FUZZ_CHECK(sorted == ReferenceSort(filled), "the sort is not a stable case-blind ascending order");

    for (int row = 0; row < std::min(table.Count(), kTopTenRows); ++row) {
        FUZZ_CHECK(table.ScoreTextAt(row) == GetField("\t", sorted[row], 2), "score text of a row");
        FUZZ_CHECK(table.NameAt(row) == GetField("\t", sorted[row], 3), "name of a row");
    }

    if (endOfGame) {
        const int row = table.FindScoreRow(score);
        const std::string scoreText = ScoreText(score);
        const int shown = std::min(table.Count(), kTopTenRows);
        int first = -1;
        for (int r = 0; r < shown && first < 0; ++r)
            if (GetField("\t", sorted[r], 2) == scoreText)
                first = r;
        FUZZ_CHECK(row == first, "the opened row is not the first shown row of the score");
        if (row >= 0) {
            table.SetEntry(row, score, name);
            const std::string line(table.Line(row));
            FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos, "a name broke the line");
            FUZZ_CHECK(GetField("\t", line, 1) == ScoreKey(score) && GetField("\t", line, 2) == scoreText &&
                           GetField("\t", line, 3) == MendTopTenName(name) && GetField("\t", line, 4).empty(),
                       "the named line is not key, score text and name");
            FUZZ_CHECK(MendTopTenName(name).size() == name.size(), "mending changed the name's length");
        }
    }

    // What is written is read back line for line.
    TopTenTable written;
    written.SetText(table.Text());
    FUZZ_CHECK(written.Lines() == table.Lines(), "the written table reads back differently");

    if (throughFile)
        FileRoundTrip(table);
    return 0;
}
