#include "platform/game_random.h"

#include <chrono>

void GameRandom::Reseed()
{
    if (fixedSeed_) {
        state_ = *fixedSeed_;
        return;
    }
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    state_ = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}
