// A small INI ("profile") file held in memory as its lines: the reader and
// writer behind the settings file, with the rules players know from Windows
// INI files.
//
// Text is code page 1250 bytes. The layout understood:
//
//   [Section]        a section header; blanks inside the brackets are ignored
//   Key=Value        a value; blanks around key and value are ignored
//   ; anything       a comment
//
// Section and key names are matched without regard to letter case (code page
// 1250 folding, so accented letters count too). When a section name occurs
// more than once, only its first occurrence is searched and written, and
// within it the first line with the key wins. Lines before the first section
// header, comments, lines without "=" and unreadable headers belong to no key
// and are never changed.
//
// Writing touches only the line it must: an existing value is replaced in
// place (the key's spelling and the blanks up to the value stay), a missing
// key is added after the last non-blank line of its section, a missing
// section is appended to the end of the file after one blank line. Every
// other line, and the line end of every line read, is kept byte for byte;
// lines this class adds end in CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ProfileFile {
public:
    // The longest value text handed out; longer values are cut.
    static constexpr std::size_t kMaxValueLength = 2047;

    ProfileFile() = default;
    // Lines end at CR LF, at a lone LF or at a lone CR. A UTF-8 byte order
    // mark in front of the first line is skipped for reading and kept.
    explicit ProfileFile(std::string_view text);

    // The value of `key` in `section`, without the blanks around it and
    // without one pair of matching quotes ('...' or "...") around it, cut to
    // kMaxValueLength bytes. An existing key with nothing after "=" gives the
    // empty text; a missing section or key gives nothing.
    std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;

    // The value read as a 32-bit signed integer (see ParseProfileInteger), or
    // `defaultValue` when the key is missing or its text is not an integer.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;

    // Sets `key` in `section` to `value`, adding the key or the whole section
    // when missing. `value` is one line: it must hold no CR or LF.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Writes the decimal text of `value`, with "-" in front when negative.
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);

    // The whole file as it is to be written.
    std::string Text() const;

private:
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\r\n", "\n", "\r", or empty for a last line without one
    };

    // Index of the first header line of `section`, if there is one.
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // Index of the line after the last line of the section that starts at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    // Index of the first line of `key` in the section that starts at `header`.
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
    // Puts a new line (ending in CR LF) before index `at`.
    void InsertLine(std::size_t at, std::string text);

    std::string byteOrderMark_;
    std::vector<Line> lines_;
};

// Integer text as the settings file holds it, after the blanks around the
// value are gone:
//   - longer than 2 characters and starting with "0x" or "0X": the rest is a
//     hexadecimal number (hex digits only, no sign);
//   - otherwise optional leading blanks, an optional sign "+" or "-", then
//     either decimal digits or "$" followed by hexadecimal digits.
// Nothing may follow the digits ("12abc" and "1 2" are not integers), and the
// value must fit a 32-bit signed integer ("0xFFFFFFFF" and "2147483648" do
// not). Anything else, the empty text included, gives nothing.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);
