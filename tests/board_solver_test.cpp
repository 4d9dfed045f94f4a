// The words left on the board: the prefix-index search and the search of the
// sorted list against a brute force that looks for every entry on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "game/board_solver.h"
#include "game/prefix_index.h"
#include "game/scoring.h"
#include "game/word_list.h"
#include "platform/cp1250.h"

namespace {

// Every letter a tile can show, the accented ones and Z last of all included.
const std::string kLetters = cp1250::fromUtf8("ABCDEFGHIJKLMNOPQRSTUVWXYZÁÉÖÜ");

bool SameLetter(char a, char b)
{
    return cp1250::toLower(static_cast<unsigned char>(a)) == cp1250::toLower(static_cast<unsigned char>(b));
}

// Whether `word` lies on the visible board from `column`, `row` on, every
// cell once; the tiles' letters are appended to `spelled`.
bool Spell(const Board& board, const std::string& word, std::size_t at, int column, int row, std::set<int>& used,
           std::string& spelled)
{
    if (column < 1 || column > kColumns || row < kFirstVisibleRow || row > kRows || used.count(column * 100 + row))
        return false;
    const char tile = board.At(column, row).letter;
    if (tile == kBlank || !SameLetter(tile, word[at]))
        return false;
    used.insert(column * 100 + row);
    spelled += tile;
    if (at + 1 == word.size())
        return true;
    for (const auto& [dc, dr] : {std::pair{0, -1}, {0, 1}, {-1, 0}, {1, 0}})
        if (Spell(board, word, at + 1, column + dc, row + dr, used, spelled))
            return true;
    used.erase(column * 100 + row);
    spelled.pop_back();
    return false;
}

// Every entry of the list, one by one: the words the tiles spell for it.
std::set<std::string> BruteForce(const Board& board, const WordList& list)
{
    std::set<std::string> found;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const std::string entry(list[i]);
        if (entry.size() < 4 || entry.front() != '"' || entry.back() != '"')
            continue;
        const std::string word = entry.substr(1, entry.size() - 2);
        for (int c = 1; c <= kColumns; ++c) {
            for (int r = kFirstVisibleRow; r <= kRows; ++r) {
                std::set<int> used;
                std::string spelled;
                if (Spell(board, word, 0, c, r, used, spelled)) {
                    found.insert(spelled);
                    c = kColumns + 1;
                    break;
                }
            }
        }
    }
    return found;
}

std::set<std::string> Words(const std::vector<FoundWord>& found)
{
    std::set<std::string> words;
    for (const FoundWord& f : found)
        words.insert(f.word);
    return words;
}

// A letter in either case, as lists hold them.
char AnyCase(std::mt19937& rng, char letter)
{
    return rng() % 3 == 0 ? static_cast<char>(cp1250::toLower(static_cast<unsigned char>(letter))) : letter;
}

std::string RandomWord(std::mt19937& rng, std::size_t minLength, std::size_t maxLength)
{
    std::string word;
    const std::size_t length = std::uniform_int_distribution<std::size_t>(minLength, maxLength)(rng);
    for (std::size_t i = 0; i < length; ++i)
        word += AnyCase(rng, kLetters[rng() % kLetters.size()]);
    return word;
}

// A quoted word that a random walk over the visible board spells (it may
// cross itself, and then the board may not hold it).
std::string WalkedEntry(std::mt19937& rng, const Board& board, std::size_t maxLength)
{
    int column = 1 + static_cast<int>(rng() % kColumns);
    int row = kFirstVisibleRow + static_cast<int>(rng() % (kRows - kFirstVisibleRow + 1));
    std::string word;
    const std::size_t length = 2 + rng() % (maxLength - 1);
    while (word.size() < length && board.At(column, row).letter != kBlank) {
        word += AnyCase(rng, board.At(column, row).letter);
        static constexpr std::array<std::pair<int, int>, 4> kSteps{{{0, -1}, {0, 1}, {-1, 0}, {1, 0}}};
        const auto [dc, dr] = kSteps[rng() % 4];
        column = std::clamp(column + dc, 1, kColumns);
        row = std::clamp(row + dr, kFirstVisibleRow, kRows);
    }
    return "\"" + word + "\"\r\n";
}

// A list file: random quoted words in mixed case, and lines that can never
// match (no quotes, blanks inside or after, letters no tile shows).
std::string RandomListText(std::mt19937& rng, std::size_t words, std::size_t maxLength)
{
    std::string text;
    for (std::size_t i = 0; i < words; ++i)
        text += "\"" + RandomWord(rng, 1, maxLength) + "\"\r\n";
    text += "ALMA\r\n\"AL MA\"\r\n\"KAL\" \r\n\"" + cp1250::fromUtf8("ÍRÓ") + "\"\r\n\r\n";
    return text;
}

void RandomBoard(std::mt19937& rng, Board& board, int blankPercent)
{
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            board.At(c, r).letter =
                static_cast<int>(rng() % 100) < blankPercent ? kBlank : kLetters[rng() % kLetters.size()];
}

bool BestFirst(const FoundWord& a, const FoundWord& b)
{
    return a.score != b.score ? a.score > b.score : cp1250::compareNoCase(a.word, b.word) < 0;
}

TEST(BoardSolver, BothSearchesFindExactlyTheWordsABruteForceFinds)
{
    std::mt19937 rng(20261208);
    std::set<char> found;  // the letters the found words begin with
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        // Random words, and words walked on the boards, so that every letter
        // begins and continues words found deep in the index.
        std::vector<Board> boards(12);
        std::string text = RandomListText(rng, 400 + 600 * static_cast<std::size_t>(round), 8);
        for (std::size_t b = 0; b < boards.size(); ++b) {
            RandomBoard(rng, boards[b], b % 3 == 0 ? 40 : 10);
            for (int w = 0; w < 150; ++w)
                text += WalkedEntry(rng, boards[b], 8);
        }
        WordList list;
        list.Load(text);
        // Taught words are not in the index and must be found all the same.
        for (int k = 0; k < 20; ++k)
            list.Add("\"" + RandomWord(rng, 2, 5) + "\"");
        ASSERT_NE(list.Prefixes(), nullptr);
        for (const Board& board : boards) {
            const std::set<std::string> expected = BruteForce(board, list);
            const std::vector<FoundWord> indexed = FindBoardWords(board, list);
            const std::vector<FoundWord> searched = FindBoardWordsBySearch(board, list);
            EXPECT_EQ(Words(indexed), expected);
            EXPECT_EQ(Words(searched), expected);
            EXPECT_EQ(indexed.size(), expected.size()) << "a word twice";
            EXPECT_TRUE(std::is_sorted(indexed.begin(), indexed.end(), BestFirst));
            for (const FoundWord& f : indexed) {
                EXPECT_EQ(f.score, WordScore(f.word));
                EXPECT_GE(f.word.size(), 2u);
                found.insert(f.word[0]);
            }
        }
    }
    EXPECT_EQ(found.size(), kLetters.size()) << "a letter began no word found";
}

TEST(BoardSolver, RanksByPointsThenByTheWordAndIgnoresTheHiddenRows)
{
    WordList list;
    // KÖR 18, MÉZ 15... the tiles spell them in capitals whatever the case.
    list.Load(cp1250::fromUtf8("\"kör\"\r\n\"ÉK\"\r\n\"KE\"\r\n\"ek\"\r\n\"TOLL\"\r\n\"a\"\r\n"));
    Board board;
    const std::string row33 = cp1250::fromUtf8("KÖR");
    for (int c = 1; c <= 3; ++c)
        board.At(c, 33).letter = row33[static_cast<std::size_t>(c - 1)];
    board.At(1, 32).letter = 'E';
    board.At(2, 32).letter = 'A';
    // TOLL stands in the reserve above the visible board only.
    for (int r = 21; r <= 24; ++r)
        board.At(5, r).letter = "TOLL"[r - 21];
    const std::vector<FoundWord> found = FindBoardWords(board, list);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(cp1250::toUtf8(found[0].word), "KÖR");
    EXPECT_EQ(found[0].score, 18);
    // EK and KE both score 6: in the list's order.
    EXPECT_EQ(found[1].word, "EK");
    EXPECT_EQ(found[2].word, "KE");
}

TEST(BoardSolver, TheIndexBuiltInTheBackgroundFindsWhatTheListFinds)
{
    // Large enough to be read and indexed in the worker thread.
    std::mt19937 rng(7);
    std::string text = RandomListText(rng, 200000, 9);
    ASSERT_GE(text.size(), std::size_t(1) << 20);
    WordList list;
    list.Load(std::move(text));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!list.Prefixes() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_NE(list.Prefixes(), nullptr);
    for (int b = 0; b < 5; ++b) {
        Board board;
        RandomBoard(rng, board, 5);
        const std::vector<FoundWord> indexed = FindBoardWords(board, list);
        EXPECT_FALSE(indexed.empty());
        EXPECT_EQ(Words(indexed), Words(FindBoardWordsBySearch(board, list)));
    }
    // A copy keeps an index of its own text.
    const WordList copy = list;
    ASSERT_NE(copy.Prefixes(), nullptr);
    Board board;
    RandomBoard(rng, board, 5);
    EXPECT_EQ(Words(FindBoardWords(board, copy)), Words(FindBoardWords(board, list)));
}

}  // namespace
