#include "game/letter_pool.h"

// Code page 1250 bytes; the accented capitals are escaped.
static constexpr char kPool[] =
    "AAAAAAAAAAAAAA"  // A x14
    "\xC1\xC1\xC1\xC1\xC1\xC1\xC1\xC1\xC1"  // Á x9
    "BBB"  // B x3
    "CC"  // C x2
    "DDD"  // D x3
    "EEEEEEEEEEEEEEEEEEEEEE"  // E x22
    "\xC9\xC9\xC9\xC9\xC9\xC9\xC9"  // É x7
    "FFF"  // F x3
    "GGGGG"  // G x5
    "HHHH"  // H x4
    "IIIIIIIIII"  // I x10
    "JJJ"  // J x3
    "KKKKKKKKKK"  // K x10
    "LLLLLLLLLLLLLL"  // L x14
    "MMMMMM"  // M x6
    "NNNNNNNNNN"  // N x10
    "OOOOOOOOOOO"  // O x11
    "\xD6\xD6\xD6\xD6"  // Ö x4
    "PPP"  // P x3
    "RRRRRRRR"  // R x8
    "SSSSSSSSSSSS"  // S x12
    "TTTTTTTTTTTTTTTTTT"  // T x18
    "UU"  // U x2
    "\xDC"  // Ü x1
    "VVVV"  // V x4
    "YYY"  // Y x3
    "ZZZZZZZZZ"  // Z x9
    ;

static_assert(sizeof kPool - 1 == 200, "the pool holds exactly 200 letters");

const std::string_view kLetterPool(kPool, 200);

char DrawLetter(GameRandom& random)
{
    return kLetterPool[random.Draw(200)];
}
