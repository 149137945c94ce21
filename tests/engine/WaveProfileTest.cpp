#include "engine/WaveProfile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vel {
namespace {

// The profile at phase ph (in half periods) with q = 0, amplitude 6 and no
// jitter, together with the number of values it drew.
float Profile(int type, float phase, int& draws)
{
    RandomSequence random, reference;
    const float value = WaveProfile(0.0f, type, 6.0f, 0.0f, phase, 0.0f, random);
    draws = 0;
    while (reference.State != random.State && draws < 10) {
        NextRandom(reference);
        ++draws;
    }
    return value;
}

TEST(WaveProfile, FollowsEveryWaveTypeThroughItsPeriod)
{
    // Phases 0.25, 0.5, ... hit h = 0.25, 0.5, ... exactly in single precision,
    // so the zigzags give exact values, boundaries included (h = 0.5 rising
    // edge, h = 1 the divided or zero branch, h = 1.5 the closing edge).
    struct Case {
        int Type;
        float Phase;
        float Expected;
    };
    const Case cases[] = {
        {0, 0.5f, 0.0f},        {8, 0.5f, 0.0f},  {255, 0.5f, 0.0f}, {1, 0.5f, 6.0f},  {1, -0.5f, -6.0f},
        {1, 1.0f / 6.0f, 3.0f}, {2, 0.5f, 3.0f},  {2, -0.5f, 3.0f},  {2, 0.0f, -3.0f}, {3, 0.5f, 6.0f},
        {3, -0.5f, -2.0f},      {4, 0.5f, 6.0f},  {4, -0.5f, 0.0f},  {5, 0.25f, 3.0f}, {5, 0.5f, 6.0f},
        {5, 0.75f, 3.0f},       {5, 1.0f, 0.0f},  {5, 1.25f, -3.0f}, {5, 1.5f, -6.0f}, {5, 1.75f, -3.0f},
        {5, -0.5f, -6.0f},      {5, 2.5f, 6.0f},  {6, 0.25f, 3.0f},  {6, 0.75f, 3.0f}, {6, 1.0f, 0.0f},
        {6, 1.25f, -1.0f},      {6, 1.5f, -2.0f}, {6, 1.75f, -1.0f}, {7, 0.5f, 6.0f},  {7, 0.75f, 3.0f},
        {7, 1.0f, 0.0f},        {7, 1.25f, 0.0f}, {7, 1.75f, 0.0f},
    };
    for (const Case& c : cases) {
        int draws = 0;
        EXPECT_NEAR(Profile(c.Type, c.Phase, draws), c.Expected, 2e-6f)
            << "type " << c.Type << " phase " << c.Phase;
        EXPECT_EQ(draws, 1) << "type " << c.Type;
    }
}

TEST(WaveProfile, MeasuresThePhaseFromPositionTimesFrequency)
{
    RandomSequence a, b;
    // q f = pi / 2 in the unit of 3.141592 gives the crest of the sine.
    EXPECT_FLOAT_EQ(WaveProfile(2.0f, 1, 4.0f, 0.785398f, 0.0f, 0.0f, a), 4.0f);
    EXPECT_FLOAT_EQ(WaveProfile(2.0f, 1, 4.0f, 0.785398f, 1.0f, 0.0f, b), -4.0f);
}

TEST(WaveProfile, AddsTheJitterOfOneDrawForEveryType)
{
    // The first value from state 0 is 38: jitter (38 - 500) / 2000 = -0.231.
    for (int type = 0; type <= 7; ++type) {
        RandomSequence random;
        EXPECT_FLOAT_EQ(WaveProfile(1.0f, type, 0.0f, 1.0f, 0.0f, 2.0f, random), -0.462f) << type;
        RandomSequence again;
        NextRandom(again);
        EXPECT_EQ(random.State, again.State);
    }
    RandomSequence random;
    EXPECT_EQ(WaveProfile(1.0f, 5, 6.0f, 0.0f, 0.25f, 0.0f, random), 3.0f) << "no jitter: exactly the wave";
}

TEST(WaveProfile, BlocksOfPositionsGiveTheWavesOneByOne)
{
    // More positions than one block of sines, with a count that leaves
    // some over beside the vectors.
    std::vector<float> q;
    for (float v = -40.0f; v < 900.0f; v += 0.731f)
        q.push_back(v);
    std::vector<float> out(q.size());
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 12})
        for (float frequency : {0.0f, 0.37f, 5.9f}) {
            WaveShapes(q.data(), out.data(), int(q.size()), type, 6.0f, frequency, 0.3f);
            int differing = 0;
            for (size_t i = 0; i < q.size(); ++i) {
                const float expected = WaveShape(q[i], type, 6.0f, frequency, 0.3f);
                differing += std::memcmp(&out[i], &expected, sizeof expected) != 0;
            }
            EXPECT_EQ(differing, 0) << "type " << type << " frequency " << frequency;
        }
}

} // namespace
} // namespace vel
