#pragma once
// The engine's one pseudo-random sequence: a 32-bit linear congruential
// state. The render driver resets it to 0 at the start of every render, and
// every user draws in a fixed order, so a render is reproducible.

#include <cstdint>

namespace vel {

struct RandomSequence {
    uint32_t State = 0;
};

// Advances the sequence and returns its next value, 0..32767.
inline int NextRandom(RandomSequence& sequence)
{
    sequence.State = sequence.State * 214013u + 2531011u;
    return int((sequence.State >> 16) & 32767u);
}

// Moves the sequence on by `draws` values at once, to where that many
// NextRandom calls would leave it: the composition of the affine steps,
// squared up bit by bit of the count (all arithmetic modulo 2^32).
inline void SkipRandom(RandomSequence& sequence, uint64_t draws)
{
    uint32_t multiplier = 1, increment = 0;
    uint32_t stepMultiplier = 214013u, stepIncrement = 2531011u;
    for (; draws != 0; draws >>= 1) {
        if (draws & 1) {
            multiplier *= stepMultiplier;
            increment = increment * stepMultiplier + stepIncrement;
        }
        stepIncrement = (stepMultiplier + 1) * stepIncrement;
        stepMultiplier *= stepMultiplier;
    }
    sequence.State = sequence.State * multiplier + increment;
}

// The jitter units (v - 500) / 2000 for v in 0..999, each the single
// precision quotient (computed once, at compile time, correctly rounded as
// the processor rounds it).
struct JitterUnitTable {
    float Value[1000];
    constexpr JitterUnitTable() : Value()
    {
        for (int v = 0; v < 1000; ++v)
            Value[v] = float(v - 500) / 2000.0f;
    }
};
inline constexpr JitterUnitTable JitterUnits{};

// A value in -0.25..0.2495 from one draw: the jitter unit of the stampers,
// float(NextRandom % 1000 - 500) / 2000.
inline float NextJitter(RandomSequence& sequence)
{
    return JitterUnits.Value[NextRandom(sequence) % 1000];
}

} // namespace vel
