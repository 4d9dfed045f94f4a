// Small stateless text operations that every layer above uses: the game, its
// word lists and its top-ten table.
// All of them work on code page 1250 byte strings; positions count bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class StringList;

// Field number `index` (counted from 1) of `source`, where every byte of
// `delimiters` ends a field. Delimiters are exact bytes; an index of 0 or
// less, or past the last field, gives empty text.
std::string GetField(std::string_view delimiters, std::string_view source, std::int32_t index);

// `text` with blanks put in front up to `width` bytes; never cuts.
std::string PadLeft(std::string text, std::uint8_t width);

// Deletes blank lines (nothing left once bytes 0x00..0x20 are stripped from
// both ends; kept lines are not trimmed), then repeated lines as the list's
// own IndexOf finds them, and returns the list's text (CR LF after each line).
std::string CleanList(StringList& list);

// True when nothing is left of `line` once bytes 0x00..0x20 are stripped.
bool IsBlankLine(std::string_view line);

// The lines of a text: a line ends at CR LF, at a lone LF or at a lone CR;
// the last line needs no line end, and a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Decimal text of a 32-bit signed number.
std::string IntToStr(std::int32_t value);
