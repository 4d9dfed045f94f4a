// The word list the program ships with: one quoted lower-case word per line,
// code page 1250, CR LF, already sorted and clean, so loading it keeps every
// line as it is.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/word_list.h"
#include "platform/cp1250.h"
#include "platform/file_io.h"

namespace {

TEST(ShippedWordList, IsQuotedSortedCleanAndMadeOfBoardLetters)
{
    const std::string path = VORPANTA_SHIPPED_WORD_LIST;
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no shipped word list in this build";
    const std::string text = fileio::ReadWholeFile(path);
    ASSERT_GT(text.size(), 1000000u);
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");

    // Letters that can stand on a tile, in lower case.
    bool allowed[256] = {};
    for (unsigned char c : std::string("abcdefghijklmnoprstuvyz\xE1\xE9\xF6\xFC"))
        allowed[c] = true;

    std::size_t lines = 0;
    std::string_view previous;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string_view line(text.data() + start, end - start);
        ASSERT_GE(line.size(), 4u) << line;  // 2 to 20 letters
        ASSERT_LE(line.size(), 22u) << cp1250::toUtf8(line);
        ASSERT_EQ(line.front(), '"') << line;
        ASSERT_EQ(line.back(), '"') << line;
        for (unsigned char c : line.substr(1, line.size() - 2))
            ASSERT_TRUE(allowed[c]) << cp1250::toUtf8(line);
        ASSERT_EQ(line.find_first_of("\r\n"), std::string_view::npos);
        if (lines > 0) {
            ASSERT_LT(cp1250::compareNoCase(previous, line), 0)
                << cp1250::toUtf8(previous) << " / " << cp1250::toUtf8(line);
        }
        previous = line;
        ++lines;
        start = end + 2;
    }

    WordList list;
    list.Load(text);
    EXPECT_EQ(list.Count(), lines);
    EXPECT_TRUE(list.Contains("\"ALMA\""));
    EXPECT_TRUE(list.Contains("\"k\xF6nyvet\""));
    EXPECT_FALSE(list.Contains("\"qwx\""));
}

}  // namespace
