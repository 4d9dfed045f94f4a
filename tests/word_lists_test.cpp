#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "game/word_list.h"
#include "game/word_lists.h"
#include "platform/app_error.h"
#include "platform/string_list.h"
#include "platform/text_helpers.h"
#include "test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

// The loading steps taken literally: every line into a case-insensitive
// list, sorted (equal lines keep their order), cleaned with CleanList, and
// the cleaned text added back line by line into a sorted list.
std::vector<std::string> LiteralLoad(const std::string& text)
{
    StringList list(StringList::Compare::CaseInsensitive);
    for (auto& line : SplitLines(text))
        list.Add(line);
    list.SetSorted(true);
    const std::string cleaned = CleanList(list);
    list.Clear();
    for (auto& line : SplitLines(cleaned))
        list.Add(line);
    return list.Lines();
}

std::vector<std::string> Entries(const WordList& list)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i)
        out.emplace_back(list[i]);
    return out;
}

TEST(WordList, LoadGivesWhatTheLiteralStepsGiveOnRandomFiles)
{
    std::mt19937 random(20261208);
    const std::string alphabet = "aAbB\xE1\xC1 \t\"";
    const char* endings[] = {"\r\n", "\n", "\r"};
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int lines = std::uniform_int_distribution<int>(0, 60)(random);
        for (int i = 0; i < lines; ++i) {
            const int length = std::uniform_int_distribution<int>(0, 3)(random);
            for (int k = 0; k < length; ++k)
                text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
            if (i + 1 < lines || random() % 2)
                text += endings[random() % 3];
        }
        WordList list;
        list.Load(text);
        ASSERT_EQ(Entries(list), LiteralLoad(text)) << "round " << round;
    }
}

TEST(WordList, KeepsOneOfEachCaseGroupAndDropsBlankLines)
{
    WordList list;
    list.Load("\"ALMA\"\r\n\r\n\"alma\"\r\n \"alma\"\r\n\"K\xD6R\"\n\"k\xF6r\"\r\t\r\n\"b\"");
    // Of a group, the line that the cleaning's binary search keeps first stays.
    EXPECT_EQ(Entries(list), (std::vector<std::string>{" \"alma\"", "\"alma\"", "\"b\"", "\"K\xD6R\""}));
    EXPECT_TRUE(list.Contains("\"Alma\""));
    EXPECT_TRUE(list.Contains("\"K\xD6R\""));
    EXPECT_FALSE(list.Contains("\"KOR\""));
    EXPECT_FALSE(list.Contains("ALMA"));
    EXPECT_EQ(list.Text(), " \"alma\"\r\n\"alma\"\r\n\"b\"\r\n\"K\xD6R\"\r\n");
}

TEST(WordList, AddInsertsInOrderAndSkipsEqualEntries)
{
    WordList list;
    list.Load("\"c\"\r\n\"a\"\r\n");
    list.Add("\"B\"");
    list.Add("\"b\"");
    list.Add("\"\"");
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"\"\"", "\"a\"", "\"B\"", "\"c\""}));
    EXPECT_TRUE(list.Contains("\"b\""));
}

TEST(WordList, TakesAListThatIsAlreadyCleanAsItIs)
{
    std::string text;
    for (char c = 'a'; c <= 'z'; ++c)
        text += std::string("\"") + c + "\"\r\n";
    WordList list;
    list.Load(text);
    EXPECT_EQ(list.Count(), 26u);
    EXPECT_EQ(list.Text(), text);
}

// Reads the lists as an ordinary user, as root reads any file.
void LoadAsOrdinaryUser(WordLists& lists, const std::string& folder, std::string& message)
{
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
    try {
        lists.Load(folder);
    } catch (const AppError& error) {
        message = error.what();
    }
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
    }
}

class WordListFiles : public ::testing::Test {
protected:
    TempFolder data;
    WordLists lists;
};

TEST_F(WordListFiles, MissingFilesGiveEmptyListsAndAreCreatedUnderLowerCaseNames)
{
    lists.Load(data.Path());
    EXPECT_FALSE(lists.IsKnown(""));
    lists.AddWord("ALMA");
    EXPECT_TRUE(lists.IsKnown("alma"));
    EXPECT_EQ(lists.Save(), 2);
    EXPECT_EQ(ReadFile(data.File("szavaklista.txt")), "\"ALMA\"\r\n");
    EXPECT_EQ(ReadFile(data.File("ujszavaklista.txt")), "\"ALMA\"\r\n");

    // The next start finds them under the mixed-case names and writes back
    // into the same files.
    WordLists again;
    again.Load(data.Path());
    EXPECT_TRUE(again.IsKnown("ALMA"));
    EXPECT_EQ(again.WordListPath(), data.File("szavaklista.txt"));
    EXPECT_EQ(again.NewWordListPath(), data.File("ujszavaklista.txt"));
}

TEST_F(WordListFiles, FileNamesMatchInAnyLetterCase)
{
    WriteFile(data.File("SZAVAKLISTA.TXT"), "\"k\xF6r\"\r\n");
    WriteFile(data.File("UjSzavakLista.txt"), "\"x\"\r\n");
    lists.Load(data.Path());
    EXPECT_TRUE(lists.IsKnown("K\xD6R"));
    lists.AddWord("SZ\xC9P");
    lists.Save();
    EXPECT_EQ(ReadFile(data.File("SZAVAKLISTA.TXT")), "\"k\xF6r\"\r\n\"SZ\xC9P\"\r\n");
    EXPECT_EQ(ReadFile(data.File("UjSzavakLista.txt")), "\"x\"\r\n\"SZ\xC9P\"\r\n");
    EXPECT_FALSE(testing_support::ReadFile(data.File("szavaklista.txt")).size());
}

TEST_F(WordListFiles, TheNewWordListKeepsBlankAndRepeatedLinesTheWordListLosesThem)
{
    WriteFile(data.File("SzavakLista.txt"), "\"alma\"\r\n\r\n\"ALMA\"\r\n\"b\"");
    WriteFile(data.File("UjSzavakLista.txt"), "\"alma\"\r\n\r\n\"alma\"\n\"b\"");
    lists.Load(data.Path());
    lists.AddWord("ALMA");
    lists.AddWord("ALMA");
    EXPECT_EQ(lists.Words().Count(), 2u);
    lists.Save();
    EXPECT_EQ(ReadFile(data.File("SzavakLista.txt")), "\"ALMA\"\r\n\"b\"\r\n");
    EXPECT_EQ(ReadFile(data.File("UjSzavakLista.txt")),
              "\"alma\"\r\n\r\n\"alma\"\r\n\"b\"\r\n\"ALMA\"\r\n\"ALMA\"\r\n");
}

TEST_F(WordListFiles, AFileThatExistsButCannotBeReadIsAnError)
{
    WriteFile(data.File("SzavakLista.txt"), "\"alma\"\r\n");
    ASSERT_EQ(::chmod(data.File("SzavakLista.txt").c_str(), 0), 0);
    ASSERT_EQ(::chmod(data.Path().c_str(), 0755), 0);
    std::string message;
    LoadAsOrdinaryUser(lists, data.Path(), message);
    EXPECT_EQ(message, "Cannot open file \"" + data.File("SzavakLista.txt") + "\". Permission denied");
}

TEST_F(WordListFiles, AFolderInPlaceOfAListCountsAsAMissingFile)
{
    ASSERT_EQ(::mkdir(data.File("SzavakLista.txt").c_str(), 0755), 0);
    lists.Load(data.Path());
    EXPECT_EQ(lists.Words().Count(), 0u);
    lists.AddWord("A");
    EXPECT_EQ(lists.Save(), 2);
    EXPECT_EQ(ReadFile(data.File("szavaklista.txt")), "\"A\"\r\n");
}

TEST_F(WordListFiles, AFailedWriteOfTheFirstListStillWritesTheSecond)
{
    WriteFile(data.File("UjSzavakLista.txt"), "");
    lists.Load(data.Path());
    // A folder now stands where the word list would be written.
    ASSERT_EQ(::mkdir(data.File("szavaklista.txt").c_str(), 0755), 0);
    lists.AddWord("A");
    EXPECT_EQ(lists.Save(), 1);
    EXPECT_EQ(ReadFile(data.File("UjSzavakLista.txt")), "\"A\"\r\n");
}

TEST(WordList, LongEntriesWithSharedBeginningsLoadAsTheLiteralStepsGive)
{
    // Entries that agree in their first eight bytes and lists long enough
    // for the sort's recursion, once small and once large enough for the
    // worker thread.
    std::mt19937 random(7);
    const std::string alphabet = "aAbB\xE1\xC1";
    for (int lines : {300, 70000}) {
        std::string text;
        for (int i = 0; i < lines; ++i) {
            std::string line = "\"abababa";
            const int length = std::uniform_int_distribution<int>(0, 8)(random);
            for (int k = 0; k < length; ++k)
                line += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
            text += line + "\"\r\n";
            if (i % 17 == 0)
                text += "\r\n";
        }
        ASSERT_EQ(lines > 1000, text.size() >= (1u << 20)) << "the large list goes through the worker thread";
        WordList list;
        list.Load(text);
        EXPECT_EQ(Entries(list), LiteralLoad(text)) << lines << " lines";
    }
}

TEST(WordList, AFailureInTheWorkerComesOutOnceAndMarksTheListAsNotLoaded)
{
    WordList list;
    list.Load([]() -> std::string { throw AppError("Cannot open file \"x\". Input/output error"); }, 2u << 20);
    EXPECT_THROW(list.Contains("\"alma\""), AppError);
    EXPECT_TRUE(list.LoadFailed());
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_FALSE(list.Contains("\"alma\""));
    list.Load(std::string("\"alma\"\r\n"));
    EXPECT_FALSE(list.LoadFailed());
    EXPECT_TRUE(list.Contains("\"ALMA\""));
}

TEST_F(WordListFiles, AnUnreadableWordListIsNeverSavedOver)
{
    WriteFile(data.File("SzavakLista.txt"), "\"alma\"\r\n");
    WriteFile(data.File("UjSzavakLista.txt"), "\"alma\"\r\n");
    ASSERT_EQ(::chmod(data.File("SzavakLista.txt").c_str(), 0), 0);
    ASSERT_EQ(::chmod(data.Path().c_str(), 0777), 0);
    std::string message;
    LoadAsOrdinaryUser(lists, data.Path(), message);
    EXPECT_FALSE(message.empty());
    // Writable again by the time the game closes: it still must not be
    // replaced by a list that never held its words.
    ASSERT_EQ(::chmod(data.File("SzavakLista.txt").c_str(), 0644), 0);
    lists.AddWord("K\xD6R");
    EXPECT_EQ(lists.Save(), 0) << "the new-word list was never read either";
    EXPECT_EQ(ReadFile(data.File("SzavakLista.txt")), "\"alma\"\r\n");
    EXPECT_EQ(ReadFile(data.File("UjSzavakLista.txt")), "\"alma\"\r\n");
}

TEST_F(WordListFiles, AnUnreadableNewWordListKeepsTheDictionaryInUseAndIsNotSavedOver)
{
    WriteFile(data.File("SzavakLista.txt"), "\"alma\"\r\n");
    WriteFile(data.File("UjSzavakLista.txt"), "\"k\xF6rte\"\r\n");
    ASSERT_EQ(::chmod(data.File("UjSzavakLista.txt").c_str(), 0), 0);
    ASSERT_EQ(::chmod(data.Path().c_str(), 0777), 0);
    std::string message;
    LoadAsOrdinaryUser(lists, data.Path(), message);
    EXPECT_EQ(message, "Cannot open file \"" + data.File("UjSzavakLista.txt") + "\". Permission denied");
    EXPECT_TRUE(lists.IsKnown("ALMA"));
    ASSERT_EQ(::chmod(data.File("UjSzavakLista.txt").c_str(), 0644), 0);
    lists.AddWord("szilva");
    EXPECT_EQ(lists.Save(), 1);
    EXPECT_EQ(ReadFile(data.File("SzavakLista.txt")), "\"alma\"\r\n\"szilva\"\r\n");
    EXPECT_EQ(ReadFile(data.File("UjSzavakLista.txt")), "\"k\xF6rte\"\r\n");
}

TEST_F(WordListFiles, AWriteProtectedListKeepsItsContentEvenForRoot)
{
    WriteFile(data.File("SzavakLista.txt"), "\"alma\"\r\n");
    WriteFile(data.File("UjSzavakLista.txt"), "");
    ASSERT_EQ(::chmod(data.File("SzavakLista.txt").c_str(), 0444), 0);
    lists.Load(data.Path());
    lists.AddWord("szilva");
    EXPECT_EQ(lists.Save(), 1);
    EXPECT_EQ(ReadFile(data.File("SzavakLista.txt")), "\"alma\"\r\n");
    EXPECT_EQ(ReadFile(data.File("UjSzavakLista.txt")), "\"szilva\"\r\n");
    ::chmod(data.File("SzavakLista.txt").c_str(), 0644);
}

TEST_F(WordListFiles, AListThatFailsWhileBeingReadIsNeverSavedOver)
{
    // Opening works but reading fails: the process's own memory at offset 0.
    ASSERT_EQ(::symlink("/proc/self/mem", data.File("SzavakLista.txt").c_str()), 0);
    EXPECT_THROW(lists.Load(data.Path()), AppError);
    EXPECT_TRUE(lists.WordListPath().empty());
    // Whatever stands there by the time the game closes is left alone.
    ASSERT_EQ(::unlink(data.File("SzavakLista.txt").c_str()), 0);
    WriteFile(data.File("SzavakLista.txt"), "\"alma\"\r\n");
    lists.AddWord("X");
    lists.Save();
    EXPECT_EQ(ReadFile(data.File("SzavakLista.txt")), "\"alma\"\r\n");
}

TEST(WordList, AFailureWhileLoadingAtOnceMarksTheListAsNotLoaded)
{
    WordList list;
    EXPECT_THROW(list.Load([]() -> std::string { throw AppError("Cannot open file \"x\". Input/output error"); }, 10),
                 AppError);
    EXPECT_TRUE(list.LoadFailed());
    EXPECT_EQ(list.Count(), 0u);
}

}  // namespace
