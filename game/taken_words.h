// The words of the running game, in the order they were taken off the board,
// each with the points it scored. A new game empties it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TakenWord {
    std::string word;  // as the word line showed it (code page 1250)
    std::int32_t score = 0;
};

class TakenWords {
public:
    void Add(std::string word, std::int32_t score) { words_.push_back(TakenWord{std::move(word), score}); }
    void Clear() { words_.clear(); }

    const std::vector<TakenWord>& All() const { return words_; }
    // The best-scoring word, the earliest of equals; null when there is none.
    const TakenWord* Best() const;

private:
    std::vector<TakenWord> words_;
};
