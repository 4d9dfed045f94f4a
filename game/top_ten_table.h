// The high-score table kept in "Top10.txt": its lines, their order, and the
// file they live in. The window that shows the table is ui/frm_top10.h; this
// part holds everything that does not need a window.
//
// One line per entry, three fields separated by a tab: the key (99999 minus
// the score, only there to sort by), the score text (right-aligned in ten
// bytes, groups of three digits split by a blank) and the name. Every entry
// ever added stays in the file; only the first ten after sorting are shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kTopTenFileName[] = "Top10.txt";
// The name of the made-up lines.
inline constexpr char kTopTenDefaultName[] = "Gurdala";
inline constexpr int kTopTenRows = 10;

// Decimal text of 99999 - score in 32-bit arithmetic, wrapping like two's
// complement (a score below INT32_MIN + 99999 gives a negative key).
std::string ScoreKey(std::int32_t score);

// The score's digits in groups of three from the right, a plain blank between
// groups (digits past the ninth stay in the leftmost group), then padded with
// blanks in front to ten bytes; never cut. A negative score gets a '-' in
// front of its digits.
std::string ScoreText(std::int32_t score);

// Key, tab, score text, tab, name.
std::string TopTenLine(std::int32_t score, std::string_view name);
// Default line `digit` (0..9), written when there is no file: it shows the
// score "1 000" followed by the digit.
std::string TopTenDefaultLine(int digit);
// The line that fills a short table up to ten lines.
std::string TopTenFillerLine();
// The line of a game that has just ended: its name is one blank.
std::string TopTenNewLine(std::int32_t score);

// A typed name as it may stand in a line: tab, CR, LF and NUL would split the
// line or end the file's text early, so each becomes a blank.
std::string MendTopTenName(std::string name);

// The lines of the table in memory. All their bytes live in one buffer (the
// file's content, with lines made here appended), so that a table of many
// thousand lines is read, sorted and written without a memory allocation per
// line.
class TopTenTable {
public:
    // The lines of a file's content: a NUL byte ends the text; a line ends at
    // CR LF, a lone CR or a lone LF; an empty line is an entry of its own.
    void SetText(std::string text);
    // The ten default lines, default line 0 first.
    void SetDefaults();
    // Appends filler lines until there are at least ten lines.
    void FillUp();
    void Append(std::string_view line);

    // Sorts whole lines ascending, ignoring letter case (code page 1250
    // folding, bytes compared unsigned). Equal lines keep their order.
    void Sort();

    int Count() const { return static_cast<int>(lines_.size()); }
    std::string_view Line(int index) const;
    std::vector<std::string> Lines() const;

    // Field 2 and field 3 of a line; empty when the line lacks them.
    std::string ScoreTextAt(int index) const;
    std::string NameAt(int index) const;

    // The first of the shown lines (0..9) whose score text equals that of
    // `score` byte for byte, or -1 when the score did not reach the top ten.
    int FindScoreRow(std::int32_t score) const;

    // Replaces line `index` by the entry of `score` with `name` (mended as
    // MendTopTenName does). The table is not sorted again.
    void SetEntry(int index, std::int32_t score, std::string name);

    // Every line followed by CR LF.
    std::string Text() const;

private:
    struct Span {
        std::size_t offset;
        std::size_t size;
    };

    std::string bytes_;        // every line's bytes, in no particular order
    std::vector<Span> lines_;  // the lines, in table order, as parts of bytes_
};

// The table of the file at `path`: its lines, or the default lines when no
// file stands at `path` (nothing, or a folder). Throws AppError "Cannot open
// file ..." when a file stands there but cannot be read (a pipe, no access).
TopTenTable ReadTopTenFile(const std::string& path);

// Replaces the file by the table's text. Throws AppError "Cannot create
// file ..." when it cannot be written; the old file then stays as it was.
void WriteTopTenFile(const std::string& path, const TopTenTable& table);
