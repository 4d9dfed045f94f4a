// The data the benchmarks run on, made up on the spot: Hungarian-like words
// built from syllables, word list files in the game's format (quoted entries,
// code page 1250, CR LF) and a long top-ten file.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace benchdata {

// A random lower-case word of 2 to 12 letters (code page 1250), built from
// Hungarian-like syllables with accented vowels and double consonants.
std::string RandomWord(std::mt19937_64& random);

// `count` different lower-case words, sorted by the game's case-insensitive
// comparison.
std::vector<std::string> SortedUniqueWords(std::size_t count, std::uint64_t seed);

// A word list file's text of `lines` lines: quoted words in mixed letter case,
// about 5 % blank lines, about 10 % lines that repeat an earlier word in
// another letter case, in random order, CR LF line ends.
std::string MessyWordListText(std::size_t lines, std::uint64_t seed);

// The text of a clean word list: every word quoted, CR LF after each.
std::string CleanWordListText(const std::vector<std::string>& words);

// A "Top10.txt" of `lines` entries of random scores and names, in file order
// (not sorted), CR LF line ends.
std::string TopTenText(std::size_t lines, std::uint64_t seed);

// Writes bytes to a file; throws std::runtime_error on failure.
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
std::uint64_t FileSize(const std::string& path);

}  // namespace benchdata
