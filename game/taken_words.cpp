#include "game/taken_words.h"

const TakenWord* TakenWords::Best() const
{
    const TakenWord* best = nullptr;
    for (const TakenWord& w : words_)
        if (!best || w.score > best->score)
            best = &w;
    return best;
}
