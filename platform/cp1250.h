// Code page 1250 (Central European) text: the game's own 8-bit text.
//
// Every word, tile letter, list line and label text inside the game is a
// std::string of code page 1250 bytes. This header converts such text to and
// from Unicode where it meets the outside world, and gives the case folding
// and the case-insensitive comparison that the word lists and the top-ten
// table sort and search with. The comparison is our own collation: bytes are
// folded to lower case and then compared as unsigned numbers, so the order
// never depends on the machine's locale (tab < blank < digits < letters).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cp1250 {

// The Unicode character of a byte. The five bytes the code page leaves
// undefined (0x81 0x83 0x88 0x90 0x98) map to the C1 control of the same
// number, so every byte survives a round trip.
char32_t toUnicode(unsigned char byte);

// The byte of a Unicode character, or -1 when the code page cannot hold it.
int fromUnicode(char32_t ch);

// Whole strings: code page 1250 to UTF-8, and UTF-8 to code page 1250 with
// '?' for every character the code page cannot hold (and for broken UTF-8).
std::string toUtf8(std::string_view text);
std::string fromUtf8(std::string_view utf8);

// Lower- and upper-case partners of every letter of the code page
// (A..Z, the accented capitals, Š Ś Ť Ž Ź Ł Ą Ş Ż Ľ); other bytes unchanged.
unsigned char toLower(unsigned char byte);
unsigned char toUpper(unsigned char byte);
std::string toLower(std::string_view text);
std::string toUpper(std::string_view text);

// Case-insensitive three-way comparison: <0, 0 or >0.
int compareNoCase(std::string_view a, std::string_view b);

inline bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

// The fold table itself, for hot loops that compare byte by byte.
extern const unsigned char kLowerTable[256];

}  // namespace cp1250
