#include "bench_data.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unordered_set>

#include "game/top_ten_table.h"
#include "platform/cp1250.h"

namespace benchdata {
namespace {

// Code page 1250 bytes of the accented vowels.
const char* const kOnsets[] = {"",  "",  "",   "b", "c",  "cs", "d", "f",  "g",  "gy", "h", "j",  "k",
                               "l", "m", "n",  "ny", "p", "r",  "s", "sz", "t",  "ty", "v", "z",  "zs",
                               "k", "t", "l",  "m",  "n", "r",  "s", "b",  "ly", "dzs"};
const char* const kVowels[] = {"a", "a", "a", "\xE1", "e", "e", "e", "\xE9", "i", "\xED", "o", "o",
                               "\xF3", "\xF6", "\xF5", "u", "\xFA", "\xFC", "\xFB", "a", "e", "o"};
const char* const kCodas[] = {"", "", "", "", "k", "l", "n", "r", "s", "t", "sz", "z", "g", "m", "gy", "ny",
                              "tt", "ll", "nn", "ss", "rt", "nt", "lt", "st"};

template <typename T, std::size_t N>
const char* Pick(const T (&items)[N], std::mt19937_64& random)
{
    return items[random() % N];
}

// Upper-cases some or all letters, making a spelling that differs from the
// word's present one whenever the word has a letter.
std::string Recase(const std::string& word, std::mt19937_64& random)
{
    std::string out;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const unsigned style = random() % 10;
        out = word;
        if (style < 5) {  // Capitalised
            out = cp1250::toLower(word);
            out[0] = static_cast<char>(cp1250::toUpper(static_cast<unsigned char>(out[0])));
        } else if (style < 8) {  // all capitals
            out = cp1250::toUpper(word);
        } else {  // a mix
            for (char& c : out)
                c = static_cast<char>(random() % 2 ? cp1250::toUpper(static_cast<unsigned char>(c))
                                                    : cp1250::toLower(static_cast<unsigned char>(c)));
        }
        if (out != word)
            return out;
    }
    return out;
}

}  // namespace

std::string RandomWord(std::mt19937_64& random)
{
    const std::size_t length = 2 + random() % 11;  // 2..12 letters
    std::string word;
    while (word.size() < length) {
        word += Pick(kOnsets, random);
        word += Pick(kVowels, random);
        if (random() % 3 == 0)
            word += Pick(kCodas, random);
    }
    word.resize(length);  // every letter is one byte
    return word;
}

std::vector<std::string> SortedUniqueWords(std::size_t count, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::unordered_set<std::string> seen;
    seen.reserve(count * 2);
    std::vector<std::string> words;
    words.reserve(count);
    while (words.size() < count) {
        std::string w = RandomWord(random);
        if (seen.insert(w).second)
            words.push_back(std::move(w));
    }
    std::sort(words.begin(), words.end(),
              [](const std::string& a, const std::string& b) { return cp1250::compareNoCase(a, b) < 0; });
    return words;
}

std::string MessyWordListText(std::size_t lines, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::vector<std::string> out;
    out.reserve(lines);
    std::vector<std::size_t> wordLines;  // indexes of lines that hold a word
    wordLines.reserve(lines);
    std::unordered_set<std::string> seen;
    seen.reserve(lines * 2);
    while (out.size() < lines) {
        const unsigned roll = random() % 100;
        if (roll < 5) {  // blank: mostly empty, some blanks and tabs
            const unsigned kind = random() % 4;
            out.emplace_back(kind == 0 ? " " : kind == 1 ? "\t " : "");
        } else if (roll < 15 && !wordLines.empty()) {  // an earlier word in another letter case
            const std::string& earlier = out[wordLines[random() % wordLines.size()]];
            const std::string word = earlier.substr(1, earlier.size() - 2);
            out.push_back("\"" + Recase(word, random) + "\"");
        } else {
            std::string word = RandomWord(random);
            if (!seen.insert(word).second)
                continue;  // repeats are made on purpose only
            const unsigned style = random() % 10;
            if (style >= 6)
                word = Recase(word, random);
            wordLines.push_back(out.size());
            out.push_back("\"" + word + "\"");
        }
    }
    std::shuffle(out.begin(), out.end(), random);
    std::string text;
    text.reserve(lines * 14);
    for (const auto& line : out) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string CleanWordListText(const std::vector<std::string>& words)
{
    std::string text;
    std::size_t size = 0;
    for (const auto& w : words)
        size += w.size() + 4;
    text.reserve(size);
    for (const auto& w : words) {
        text += '"';
        text += w;
        text += "\"\r\n";
    }
    return text;
}

std::string TopTenText(std::size_t lines, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::string text;
    text.reserve(lines * 40);
    for (std::size_t i = 0; i < lines; ++i) {
        const auto score = static_cast<std::int32_t>(random() % 20000);
        std::string name = RandomWord(random);
        name[0] = static_cast<char>(cp1250::toUpper(static_cast<unsigned char>(name[0])));
        text += TopTenLine(score, name);
        text += "\r\n";
    }
    return text;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::uint64_t FileSize(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

}  // namespace benchdata
