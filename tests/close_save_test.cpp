// The save at close writes a word list only when its file would change, and
// then leaves exactly the bytes a full save leaves.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <sys/stat.h>

#include "app/first_start.h"
#include "game/word_list.h"
#include "game/word_lists.h"
#include "test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

// The file's inode: a crash-safe save puts a new file in place, so a file
// that keeps its inode was not written.
std::optional<ino_t> Inode(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return st.st_ino;
}

// A sorted, clean list of `count` entries in saved form.
std::string CleanList(int count)
{
    std::string text;
    char entry[32];
    for (int i = 0; i < count; ++i)
        text.append(entry, static_cast<std::size_t>(std::snprintf(entry, sizeof entry, "\"w%07d\"\r\n", i)));
    return text;
}

struct Case {
    const char* what;
    std::optional<std::string> words;     // the word list's file, if any
    std::optional<std::string> newWords;  // the new-word list's file, if any
    const char* taught;                   // a word taught in the run, if any
    bool wordsWritten;
    bool newWordsWritten;
};

TEST(SaveAtClose, AListIsWrittenOnlyWhenItsFileWouldChangeAndThenAsAFullSaveWritesIt)
{
    const std::string clean = "\"alma\"\r\n\"k\xF6rte\"\r\n\"szilva\"\r\n";
    const std::string large = CleanList(120000);  // loaded in the worker thread
    const Case cases[] = {
        {"saved form, nothing taught", clean, "\"k\xF6rte\"\r\n\r\n\"k\xF6rte\"\r\n", nullptr, false, false},
        {"empty files, nothing taught", "", "", nullptr, false, false},
        {"a large list, nothing taught", large, std::nullopt, nullptr, false, true},
        {"a new word taught", clean, "", "SZ\xC9P", true, true},
        {"a known word taught again", clean, "", "ALMA", false, true},
        {"out of order", "\"b\"\r\n\"a\"\r\n", "", nullptr, true, false},
        {"a large list out of order at its end", large + "\"a\"\r\n", "", nullptr, true, false},
        {"a blank line", "\"a\"\r\n\r\n\"b\"\r\n", "", nullptr, true, false},
        {"a blank first line", "\r\n\"a\"\r\n", "", nullptr, true, false},
        {"lines ended by LF", "\"a\"\n\"b\"\n", "", nullptr, true, false},
        {"a lone CR", "\"a\"\r\"b\"\r\n", "", nullptr, true, false},
        {"no line end after the last line", "\"a\"\r\n\"b\"", "", nullptr, true, false},
        {"a repeat in another case", "\"a\"\r\n\"A\"\r\n", "", nullptr, true, false},
        {"missing files", std::nullopt, std::nullopt, nullptr, true, true},
        {"a new-word list ended by LF", clean, "\"x\"\n", nullptr, false, true},
        {"a new-word list without its last line end", clean, "\"x\"\r\n\"y\"", nullptr, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The same run twice: once closing as the game does, once saving all.
        TempFolder atClose, full;
        for (const TempFolder* folder : {&atClose, &full}) {
            if (c.words)
                WriteFile(folder->File("SzavakLista.txt"), *c.words);
            if (c.newWords)
                WriteFile(folder->File("UjSzavakLista.txt"), *c.newWords);
        }
        const auto wordsBefore = Inode(atClose.File("SzavakLista.txt"));
        const auto newBefore = Inode(atClose.File("UjSzavakLista.txt"));
        WordLists closing, saving;
        closing.Load(atClose.Path());
        saving.Load(full.Path());
        if (c.taught) {
            closing.AddWord(c.taught);
            saving.AddWord(c.taught);
        }
        EXPECT_EQ(closing.SaveChanged(), int(c.wordsWritten) + int(c.newWordsWritten));
        saving.Save();

        const std::string words = closing.WordListPath();
        const std::string newWords = closing.NewWordListPath();
        EXPECT_EQ(Inode(words) != wordsBefore, c.wordsWritten);
        EXPECT_EQ(Inode(newWords) != newBefore, c.newWordsWritten);
        EXPECT_TRUE(ReadFile(words) == ReadFile(saving.WordListPath())) << "the word list's bytes";
        EXPECT_EQ(ReadFile(newWords), ReadFile(saving.NewWordListPath()));
    }
}

TEST(SaveAtClose, AListIsInSavedFormExactlyWhenItsTextIsWhatSavingWrites)
{
    // Random small files, half of them written as a save writes them.
    std::mt19937 random(22);
    const std::string alphabet = "aAbB\xE1\xC1 \"";
    const char* endings[] = {"\r\n", "\r\n", "\n", "\r"};
    for (int round = 0; round < 600; ++round) {
        std::string text;
        const int lines = std::uniform_int_distribution<int>(0, 8)(random);
        for (int i = 0; i < lines; ++i) {
            const int length = std::uniform_int_distribution<int>(0, 3)(random);
            for (int k = 0; k < length; ++k)
                text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
            if (i + 1 < lines || random() % 4)
                text += endings[random() % 4];
        }
        WordList list;
        list.Load(text);
        if (round % 2)
            list.Load(text = list.Text());
        SCOPED_TRACE(text);
        EXPECT_EQ(list.LoadedInSavedForm(), list.Text() == text);
    }
}

TEST(SaveAtClose, AFirstStartsCopyOfTheShippedListIsNotWrittenAgain)
{
    testing_support::GameFolders folders;
    const std::string shipped = CleanList(150000);
    std::filesystem::create_directories(folders.locations.programDir + "/dictionary");
    WriteFile(ShippedWordListPath(folders.locations.programDir), shipped);
    WordLists lists;
    lists.Load(folders.locations.dataDir, WordListCopy::Start(folders.locations));
    EXPECT_EQ(lists.SaveChanged(), 1) << "only the new-word list, which did not exist";
    const std::string copy = folders.locations.dataDir + "/SzavakLista.txt";
    EXPECT_TRUE(ReadFile(copy) == shipped);
    EXPECT_EQ(ReadFile(folders.locations.dataDir + "/ujszavaklista.txt"), "");
}

}  // namespace
