#include "numeric/Random.h"
#include "numeric/SimplexNoise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace vel {
namespace {

TEST(NextRandom, StartsFromStateZeroWithTheKnownSequence)
{
    RandomSequence random;
    for (int expected : {38, 7719, 21238, 2437, 8855, 11797})
        EXPECT_EQ(NextRandom(random), expected);
    RandomSequence fresh;
    EXPECT_FLOAT_EQ(NextJitter(fresh), -0.231f); // (38 - 500) / 2000
    EXPECT_FLOAT_EQ(NextJitter(fresh), 0.1095f); // (719 - 500) / 2000
}

// Skipping lands where drawing one value at a time lands, from any state and
// for counts that exercise every bit of the skip (0, 1, powers of two and
// their neighbours, more than 2^32 draws).
TEST(NextRandom, SkippingEqualsDrawingOneByOne)
{
    for (const uint32_t start : {0u, 1u, 0xdeadbeefu}) {
        RandomSequence drawn{start};
        uint64_t done = 0;
        for (const uint64_t count :
             {0ull, 1ull, 2ull, 3ull, 7ull, 8ull, 1000ull, 65535ull, 65536ull, 1234567ull}) {
            for (; done < count; ++done)
                NextRandom(drawn);
            RandomSequence skipped{start};
            SkipRandom(skipped, count);
            EXPECT_EQ(skipped.State, drawn.State) << start << " skipped by " << count;
        }
    }
    // The period is 2^32: skipping it (or twice it) comes back.
    RandomSequence around{12345u};
    SkipRandom(around, 1ull << 32);
    EXPECT_EQ(around.State, 12345u);
    SkipRandom(around, (1ull << 33) + 5);
    RandomSequence five{12345u};
    for (int i = 0; i < 5; ++i)
        NextRandom(five);
    EXPECT_EQ(around.State, five.State);
}

// The jitter units come from a table the compiler fills; each must be the
// quotient the processor computes at run time.
TEST(NextRandom, JitterUnitsAreTheRunTimeQuotients)
{
    for (int v = 0; v < 1000; ++v) {
        volatile float numerator = float(v - 500);
        const float quotient = numerator / 2000.0f;
        EXPECT_EQ(std::memcmp(&quotient, &JitterUnits.Value[v], sizeof quotient), 0) << v;
    }
}

TEST(SimplexNoise, MatchesHandComputedValues)
{
    struct Case {
        float X, Y, Expected;
    };
    // Worked through the lattice steps in single precision; (0, 0) lies on a
    // lattice point of the cell below and left of it (floor'(0) is -1).
    const Case cases[] = {
        {0.0f, 0.0f, 0.0f},
        {0.3f, 0.7f, -0x1.21c494p-3f},
        {1.25f, -2.5f, -0x1.fc10ep-2f},
        {-3.7f, -0.45f, 0x1.300a8p-1f},
        {-0.2f, 0.1f, 0x1.568268p-1f},
        {100.5f, 37.25f, 0x1.6baa16p-1f},
        {12.75f, -300.5f, -0x1.154d42p-1f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SimplexNoise(c.X, c.Y), c.Expected) << c.X << ", " << c.Y;
}

TEST(SimplexNoise, RepeatsAfter256LatticeCellsInEitherDirection)
{
    // One lattice step along i moves the point by (1 - G2, -G2), one along
    // both i and j by (1 - 2 G2) on each axis, with G2 = (3 - sqrt(3)) / 6.
    const double g2 = 0.21132486540518713;
    const float alongI[2] = {float(256 * (1 - g2)), float(-256 * g2)};
    const float diagonal = float(256 * (1 - 2 * g2));
    for (float x = -3.0f; x < 3.0f; x += 0.37f) {
        for (float y = -2.0f; y < 2.0f; y += 0.53f) {
            EXPECT_NEAR(SimplexNoise(x - alongI[0], y - alongI[1]), SimplexNoise(x, y), 1e-4)
                << x << ", " << y;
            EXPECT_NEAR(SimplexNoise(x - diagonal, y - diagonal), SimplexNoise(x, y), 1e-4) << x << ", " << y;
            EXPECT_NEAR(SimplexNoise(x + 5 * diagonal, y + 5 * diagonal), SimplexNoise(x, y), 1e-3);
        }
    }
}

TEST(SimplexNoise, StaysBoundedForAnyInput)
{
    for (float v : {1e9f, -1e9f, 3.4e38f, -3.4e38f})
        EXPECT_LE(std::fabs(SimplexNoise(v, 0.5f)), 1.0f) << v;
}

TEST(FractalNoise, SumsFiveOctaves)
{
    EXPECT_EQ(FractalNoise(0.3f, 0.7f), -0x1.ff096cp-3f);
    EXPECT_EQ(FractalNoise(-5.5f, 2.25f), 0x1.538008p-4f);
    // The octave sum is divided by 1.5.
    const float x = 1.7f, y = -0.3f;
    double sum = 0, weight = 1;
    for (float scale : {1.0f, 2.0f, 4.0f, 8.0f, 16.0f}) {
        sum += weight * SimplexNoise(scale * x, scale * y);
        weight /= 2;
    }
    EXPECT_EQ(FractalNoise(x, y), float(sum / 1.5));
}

} // namespace
} // namespace vel
