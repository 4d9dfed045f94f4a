// Points of letters and words: a fixed table of letter values, and a word's
// score is the sum of its letter values times its length.
#pragma once

#include <cstdint>
#include <string_view>

// 0 to 5; every byte outside the table (lower case, Í Ó Ő Ú Ű, blank,
// digits...) is worth 0.
int LetterValue(char letter);

std::int32_t WordScore(std::string_view word);
