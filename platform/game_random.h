// The process's random generator for dealing letters.
//
// One 32-bit state. Every draw advances it as a linear congruential
// generator (state * 134775813 + 1, modulo 2^32) and scales it to the range
// with the high 32 bits of the 64-bit product state * range.
#pragma once

#include <cstdint>
#include <optional>

class GameRandom {
public:
    explicit GameRandom(std::uint32_t seed = 0) : state_(seed) {}

    // Seeds from the low 32 bits of the high-resolution clock, or from the
    // fixed seed when one is set (so a test can replay a deal).
    void Reseed();
    void SetFixedSeed(std::optional<std::uint32_t> seed) { fixedSeed_ = seed; }
    void Seed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t State() const { return state_; }

    // A whole number from 0 to range - 1.
    std::uint32_t Draw(std::uint32_t range)
    {
        state_ = state_ * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * range) >> 32);
    }

private:
    std::uint32_t state_;
    std::optional<std::uint32_t> fixedSeed_;
};
