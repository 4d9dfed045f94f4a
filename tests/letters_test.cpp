#include <gtest/gtest.h>

#include <map>
#include <set>

#include "game/board.h"
#include "game/game.h"
#include "game/letter_pool.h"
#include "game/scoring.h"
#include "platform/cp1250.h"
#include "platform/game_random.h"
#include "test_support.h"

namespace {

using testing_support::RecordingView;

TEST(GameRandom, DrawsTheLinearCongruentialSequenceScaledByTheHighBits)
{
    // Worked out by hand: state = state * 134775813 + 1 mod 2^32, draw =
    // (state * 200) >> 32.
    GameRandom random(12345);
    const std::uint32_t expected[] = {77, 57, 15, 110, 126, 68, 87, 15, 6, 184};
    for (std::uint32_t e : expected)
        EXPECT_EQ(random.Draw(200), e);
    EXPECT_EQ(random.State(), 3964786223u);

    GameRandom wrapping(0xFFFFFFFFu);
    for (std::uint32_t e : {193u, 40u, 103u, 26u, 174u})
        EXPECT_EQ(wrapping.Draw(200), e);
}

TEST(LetterPool, HoldsTwoHundredLettersInTheirRuns)
{
    ASSERT_EQ(kLetterPool.size(), 200u);
    std::map<unsigned char, int> counts;
    for (char c : kLetterPool)
        ++counts[static_cast<unsigned char>(c)];
    const std::map<unsigned char, int> expected = {
        {'A', 14}, {0xC1, 9}, {'B', 3}, {'C', 2}, {'D', 3}, {'E', 22}, {0xC9, 7}, {'F', 3}, {'G', 5},
        {'H', 4},  {'I', 10}, {'J', 3}, {'K', 10}, {'L', 14}, {'M', 6}, {'N', 10}, {'O', 11}, {0xD6, 4},
        {'P', 3},  {'R', 8},  {'S', 12}, {'T', 18}, {'U', 2}, {0xDC, 1}, {'V', 4}, {'Y', 3}, {'Z', 9}};
    EXPECT_EQ(counts, expected);
    EXPECT_EQ(kLetterPool.substr(0, 15), "AAAAAAAAAAAAAA\xC1");
    EXPECT_EQ(kLetterPool.substr(190), "YZZZZZZZZZ");
    EXPECT_EQ(kLetterPool.back(), 'Z');
    for (char c : kLetterPool)
        EXPECT_GE(LetterValue(c), 1) << "every dealt letter is worth something";
}

TEST(CreateBoard, DealsColumnByColumnTopToBottomIncludingTheReserve)
{
    RecordingView view;
    Game game(view, "/prog");
    game.Random().SetFixedSeed(777);
    game.CreateBoard();

    // Worked out by hand from seed 777: the first 33 draws fill column 1.
    std::string column1;
    for (int row = 1; row <= kRows; ++row)
        column1 += game.GetBoard().At(1, row).letter;
    EXPECT_EQ(cp1250::toUtf8(column1), "IÖETÁJJOTIÉINTMCAJONLSÁITIADÁSANR");
    std::string column10Visible;
    for (int row = kFirstVisibleRow; row <= kRows; ++row)
        column10Visible += game.GetBoard().At(10, row).letter;
    EXPECT_EQ(cp1250::toUtf8(column10Visible), "SKPÁTAÉOB");

    // Every visible cell is drawn once, with its normal picture, in deal order.
    ASSERT_EQ(view.calls.size(), 90u);
    EXPECT_EQ(view.calls[0], "show 1 25 nT");
    EXPECT_EQ(view.calls[8], "show 1 33 nR");
    EXPECT_EQ(view.calls[9], "show 2 25 nE");
    EXPECT_EQ(view.calls[89], "show 10 33 nB");
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r) {
            EXPECT_NE(game.GetBoard().At(c, r).letter, kBlank);
            EXPECT_FALSE(game.GetBoard().At(c, r).selected);
        }
    EXPECT_EQ(game.TileImagePath(1, 27), "/prog/Ico/nA.bmp");
    EXPECT_EQ(game.TileImagePath(1, 29), "/prog/Ico/n\xC3\x81.bmp");  // Á in UTF-8
}

TEST(CreateBoard, LetterFrequenciesFollowThePool)
{
    RecordingView view;
    Game game(view, "/prog");
    std::map<unsigned char, long> counts;
    long total = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        game.Random().SetFixedSeed(seed * 2654435761u);
        game.CreateBoard();
        view.calls.clear();
        for (int c = 1; c <= kColumns; ++c)
            for (int r = 1; r <= kRows; ++r) {
                ++counts[static_cast<unsigned char>(game.GetBoard().At(c, r).letter)];
                ++total;
            }
    }
    const std::set<unsigned char> never = {0xCD, 0xD3, 0xD5, 0xDA, 0xDB, 'Q', 'W', 'X', ' '};
    for (unsigned char c : never)
        EXPECT_EQ(counts.count(c), 0u) << int(c);
    EXPECT_EQ(counts.size(), 27u);
    const double e = counts['E'], cAndU = (counts['C'] + counts['U']) / 2.0;
    EXPECT_NEAR(e / cAndU, 11.0, 1.5);
    EXPECT_NEAR(double(counts['E']) / total, 22.0 / 200, 0.006);
    for (const auto& [letter, n] : counts)
        if (letter != 0xDC) {
            EXPECT_GT(n, counts[0xDC]) << "Ü is the rarest letter";
        }
}

TEST(WordScore, SumsLetterValuesTimesLength)
{
    struct Case {
        const char* word;
        std::int32_t score;
    } cases[] = {
        {"ALMA", 24},       {"K\xD6R", 18}, {"D\xC9L", 21}, {"SZ\xC9P", 24}, {"A B", 12}, {"alma", 0},
        {"", 0},            {"\xCD", 0},    {"\xD3", 0},    {"\xD5", 0},     {"\xDA", 0}, {"\xDB", 0},
        {"\xC1", 1},        {"\xC9", 1},    {"\xD6", 1},    {"\xDC", 1},     {"Q", 5},    {"W", 5},
        {"X", 5},           {"D", 4},       {"\xE1", 0},    {"BCGRVY", 108},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WordScore(c.word), c.score) << cp1250::toUtf8(c.word);
}

TEST(WordScore, LongWordsStayInRange)
{
    EXPECT_EQ(WordScore(std::string(90, 'D')), 4 * 90 * 90);
    EXPECT_EQ(WordScore(std::string(90, 'X')), 5 * 90 * 90);
    // Far past anything the board can hold, the arithmetic wraps instead of
    // being undefined.
    const std::string huge(100000, 'X');
    EXPECT_EQ(WordScore(huge), static_cast<std::int32_t>(500000u * 100000u));
}

}  // namespace
