// The 200 letters every board letter is drawn from, in runs of equal letters,
// so that a letter's chance in one draw is its count in 200.
#pragma once

#include <string_view>

#include "platform/game_random.h"

extern const std::string_view kLetterPool;

// LetterPool[i] for a uniformly drawn i from 0 to 199.
char DrawLetter(GameRandom& random);
