#include <gtest/gtest.h>

#include "platform/string_list.h"
#include "platform/text_helpers.h"

namespace {

struct FieldCase {
    const char* delimiters;
    const char* source;
    int index;
    const char* expected;
};

TEST(TextHelpers, GetFieldCutsFieldsAtEveryDelimiterByte)
{
    const FieldCase cases[] = {
        {";", "A;B", 1, "A"},
        {";", "A;B", 2, "B"},
        {";", "A;B", 3, ""},
        {";", "A;;B", 2, ""},
        {";", "A;;B", 3, "B"},
        {";", ";A", 1, ""},
        {";", ";A", 2, "A"},
        {";", "A;", 2, ""},
        {" ,", "A, B", 2, ""},
        {" ,", "A, B", 3, "B"},
        {";", "", 1, ""},
        {";", "", 2, ""},
        {";", "A;B", 0, ""},
        {";", "A;B", -1, ""},
        {"", "A;B", 1, "A;B"},
        {"i", "i10i33", 1, ""},
        {"i", "i10i33", 2, "10"},
        {"i", "i10i33", 3, "33"},
        {"i", "I10I33", 2, ""},  // a letter delimiter does not match its other case
        {"\t", "99499\t       500\t ", 3, " "},
        {" ", "ALMA (24)", 1, "ALMA"},
        {" ", " (0)", 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetField(c.delimiters, c.source, c.index), c.expected)
            << "delimiters '" << c.delimiters << "' source '" << c.source << "' index " << c.index;
}

TEST(TextHelpers, GetFieldCountsFieldsBeyondAnyInt)
{
    EXPECT_EQ(GetField(";", "A;B", INT32_MAX), "");
    EXPECT_EQ(GetField(";", "A;B", INT32_MIN), "");
}

TEST(TextHelpers, PadLeftFillsWithBlanksAndNeverCuts)
{
    EXPECT_EQ(PadLeft("1 000", 10), "     1 000");
    EXPECT_EQ(PadLeft("12345678901", 10), "12345678901");
    EXPECT_EQ(PadLeft("", 3), "   ");
    EXPECT_EQ(PadLeft("abc", 0), "abc");
    EXPECT_EQ(PadLeft("", 255).size(), 255u);
}

TEST(TextHelpers, SplitLinesEndsLinesAtCrLfLoneLfAndLoneCr)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitLines(""), V{});
    EXPECT_EQ(SplitLines("a"), V{"a"});
    EXPECT_EQ(SplitLines("a\r\n"), V{"a"});
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\r"), (V{"a", ""}));  // LF then a lone CR
    EXPECT_EQ(SplitLines("\r\n\r\n"), (V{"", ""}));
    EXPECT_EQ(SplitLines(std::string("a\0b\n", 4)), V{std::string("a\0b", 3)});
}

TEST(CleanList, EmptiesAListOfBlankAndControlLines)
{
    StringList list;
    list.SetText(" \r\n\t\t\r\n \t \r\n\x01\x1f\r\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(CleanList(list), "");
    EXPECT_EQ(list.Count(), 0);
}

TEST(CleanList, ComparesLinesUntrimmedAndKeepsTheFirstOfEqualLines)
{
    StringList list(StringList::Compare::CaseInsensitive);
    for (const char* line : {"alma", " alma", "ALMA", "", "K\xD6R", "k\xF6r", " alma"})
        list.Add(line);
    EXPECT_EQ(CleanList(list), "alma\r\n alma\r\nK\xD6R\r\n");
}

TEST(CleanList, CaseSensitiveListKeepsLinesThatDifferInCase)
{
    StringList list(StringList::Compare::CaseSensitive);
    for (const char* line : {"alma", "ALMA", "alma"})
        list.Add(line);
    EXPECT_EQ(CleanList(list), "alma\r\nALMA\r\n");
}

TEST(CleanList, LeavesACleanListAsItIs)
{
    StringList list;
    for (const char* line : {"b", "a", "c"})
        list.Add(line);
    EXPECT_EQ(CleanList(list), "b\r\na\r\nc\r\n");
    EXPECT_EQ(list.Count(), 3);
}

TEST(CleanList, SortedListDeletesWhatItsBinarySearchFindsElsewhere)
{
    // Sorted: a1 a2 b. The search for the second "a" meets itself in the
    // middle and keeps it; the search for the first meets the second and
    // deletes the first. One "a" stays: the one that was second.
    StringList list(StringList::Compare::CaseInsensitive);
    list.Add("a");
    list.Add("A");
    list.Add("b");
    list.SetSorted(true);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(CleanList(list), "A\r\nb\r\n");
}

TEST(StringList, SortedAddSkipsEqualLinesAndIndexOfFindsThem)
{
    StringList list(StringList::Compare::CaseInsensitive);
    list.SetSorted(true);
    for (const char* line : {"\"k\xF6r\"", "\"alma\"", "\"ALMA\"", "\"K\xD6R\"", "\"b\""})
        list.Add(line);
    EXPECT_EQ(list.Text(), "\"alma\"\r\n\"b\"\r\n\"k\xF6r\"\r\n");
    EXPECT_EQ(list.IndexOf("\"K\xD6R\""), 2);
    EXPECT_EQ(list.IndexOf("\"KOR\""), -1);
}

TEST(StringList, UnsortedIndexOfFindsTheFirstEqualLine)
{
    StringList list(StringList::Compare::CaseInsensitive);
    for (const char* line : {"x", "Y", "y"})
        list.Add(line);
    EXPECT_EQ(list.IndexOf("y"), 1);
    list.SetComparison(StringList::Compare::CaseSensitive);
    EXPECT_EQ(list.IndexOf("y"), 2);
}

}  // namespace
