#include "game/scoring.h"

#include <array>

namespace {

constexpr std::array<std::uint8_t, 256> MakeLetterValues()
{
    std::array<std::uint8_t, 256> v{};
    const char* ones = "AEIOPU";
    for (const char* p = ones; *p; ++p)
        v[static_cast<unsigned char>(*p)] = 1;
    v[0xC1] = v[0xC9] = v[0xD6] = v[0xDC] = 1;  // Á É Ö Ü
    for (const char* p = "FHJKLMNSTZ"; *p; ++p)
        v[static_cast<unsigned char>(*p)] = 2;
    for (const char* p = "BCGRVY"; *p; ++p)
        v[static_cast<unsigned char>(*p)] = 3;
    v['D'] = 4;
    v['Q'] = v['W'] = v['X'] = 5;
    return v;
}

constexpr auto kLetterValues = MakeLetterValues();

}  // namespace

int LetterValue(char letter)
{
    return kLetterValues[static_cast<unsigned char>(letter)];
}

std::int32_t WordScore(std::string_view word)
{
    // Wrapping arithmetic: a word long enough to leave the 32-bit range
    // cannot be built on the board, but no input may be undefined.
    std::uint32_t sum = 0;
    for (char c : word)
        sum += static_cast<std::uint32_t>(LetterValue(c));
    return static_cast<std::int32_t>(sum * static_cast<std::uint32_t>(word.size()));
}
