// Reading and cleaning the word lists.
//
// WordList::Load must give exactly what the loading steps give when taken
// literally on a string list (every line in, sorted ignoring case, CleanList,
// the cleaned text added back line by line); small inputs only, since the
// literal steps are quadratic. Whatever was loaded survives its own text
// (the file written at close) and a second load, and is known to be in that
// form exactly when its text is that file; lookups find every entry
// in any letter case; adding works like the sorted list. Now and then both
// word list files make the round trip through WordLists on real files.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "game/word_list.h"
#include "game/word_lists.h"
#include "platform/cp1250.h"
#include "platform/file_io.h"
#include "platform/string_list.h"
#include "platform/text_helpers.h"

namespace {

constexpr std::size_t kLiteralLimit = 4096;

std::vector<std::string> LiteralLoad(const std::string& text)
{
    StringList list;
    for (auto& line : SplitLines(text))
        list.Add(line);
    list.SetComparison(StringList::Compare::CaseInsensitive);
    list.SetSorted(true);
    const std::string cleaned = CleanList(list);
    list.Clear();
    for (auto& line : SplitLines(cleaned))
        list.Add(line);
    return list.Lines();
}

std::vector<std::string> Entries(const WordList& list)
{
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < list.Count(); ++i)
        entries.emplace_back(list[i]);
    return entries;
}

std::string FlipCase(std::string_view text, std::uint64_t pattern)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        out[i] = static_cast<char>(((pattern >> (i % 64)) & 1) ? cp1250::toUpper(c) : cp1250::toLower(c));
    }
    return out;
}

void CheckListShape(const WordList& list)
{
    for (std::size_t i = 0; i < list.Count(); ++i) {
        FUZZ_CHECK(!IsBlankLine(list[i]), "a blank entry stayed: " + fuzzing::Show(list[i]));
        FUZZ_CHECK(list[i].find_first_of("\r\n") == std::string_view::npos, "an entry holds a line end");
        if (i > 0)
            FUZZ_CHECK(cp1250::compareNoCase(list[i - 1], list[i]) < 0,
                       "entries not strictly ascending: " + fuzzing::Show(list[i - 1]) + " then " +
                           fuzzing::Show(list[i]));
    }
}

// Both files of a data folder through WordLists: load, teach a word, save,
// load again.
void FilesRoundTrip(const std::string& words, const std::string& newWords, const std::string& taught)
{
    static fuzzing::ScratchFolder folder;
    folder.Empty();
    std::string reason;
    FUZZ_CHECK(fileio::WriteWholeFileAtomic(folder.File("SzavakLista.txt"), words, reason), reason);
    FUZZ_CHECK(fileio::WriteWholeFileAtomic(folder.File("UjSzavakLista.txt"), newWords, reason), reason);

    WordLists lists;
    lists.Load(folder.Path());
    const std::vector<std::string> newBefore = lists.NewWords();
    FUZZ_CHECK(newBefore == SplitLines(newWords), "the new-word list is not the file's lines unchanged");
    lists.AddWord(taught);
    FUZZ_CHECK(lists.IsKnown(taught), "a taught word is not known at once");
    FUZZ_CHECK(lists.Save() == 2, "saving both lists failed");
    FUZZ_CHECK(folder.Count() == 2, "saving left a temporary file or wrote under another name");

    WordLists again;
    again.Load(folder.Path());
    FUZZ_CHECK(Entries(again.Words()) == Entries(lists.Words()), "the word list did not survive its file");
    std::vector<std::string> expectedNew = newBefore;
    expectedNew.push_back(WordLists::KeyOf(taught));
    FUZZ_CHECK(again.NewWords() == expectedNew, "the new-word list did not survive its file");
    FUZZ_CHECK(again.IsKnown(taught), "a taught word was lost at the next start");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const bool throughFiles = data.ConsumeIntegralInRange<int>(0, 15) == 0;
    const std::uint64_t casePattern = data.ConsumeIntegral<std::uint64_t>();
    const std::string extra = data.ConsumeRandomLengthString(24);
    const std::string text = data.ConsumeRemainingBytesAsString();

    WordList list;
    list.Load(text);
    CheckListShape(list);
    if (text.size() <= kLiteralLimit)
        FUZZ_CHECK(Entries(list) == LiteralLoad(text), "Load differs from the literal loading steps");

    // Every non-blank line of the file is known, in any letter case.
    for (const std::string& line : SplitLines(text)) {
        if (IsBlankLine(line))
            continue;
        FUZZ_CHECK(list.Contains(line), "a line of the file is not found: " + fuzzing::Show(line));
        FUZZ_CHECK(list.Contains(FlipCase(line, casePattern)), "a line is not found in another letter case");
    }

    // The text written at close loads to the same list and is written the
    // same again.
    const std::string saved = list.Text();
    WordList reloaded;
    reloaded.Load(saved);
    FUZZ_CHECK(Entries(reloaded) == Entries(list), "the saved list loads differently");
    FUZZ_CHECK(reloaded.Text() == saved, "the saved list is saved differently the second time");
    // The close skips the write exactly when it would write the file again.
    FUZZ_CHECK(list.LoadedInSavedForm() == (saved == text), "the file is wrongly taken to be in saved form");
    FUZZ_CHECK(reloaded.LoadedInSavedForm(), "a saved list is not taken to be in saved form");

    // Adding: a held entry changes nothing; a new one is found and keeps
    // the order.
    const std::size_t count = list.Count();
    const bool held = list.Contains(extra);
    list.Add(extra);
    FUZZ_CHECK(list.Count() == count + (held ? 0 : 1), "Add changed the count wrongly");
    FUZZ_CHECK(list.Contains(extra), "an added entry is not found");
    for (std::size_t i = 1; i < list.Count(); ++i)
        FUZZ_CHECK(cp1250::compareNoCase(list[i - 1], list[i]) < 0, "Add broke the order");

    if (throughFiles) {
        const std::size_t half = text.size() / 2;
        std::string taught;
        for (char c : extra)
            if (c != '\r' && c != '\n')
                taught += c;
        FilesRoundTrip(text.substr(0, half), text.substr(half), taught);
    }
    return 0;
}
