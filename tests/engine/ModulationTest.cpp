#include "engine/Modulation.h"

#include "FieldFixture.h"
#include "engine/RenderState.h"
#include "numeric/SimplexNoise.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

TEST(PrepareModulation, DerivesLoNoiseAndRoughnessFromTheLayer)
{
    RenderState state;
    state.PreviewScale = 2.0f;
    LayerParameters layer = test::DefaultLayer();
    layer.LoNoiseIntensity = 50;
    layer.LoNoiseScale = 100;
    layer.RoughnessIntensity = 40;
    layer.RoughnessScale = 50;
    layer.RoughnessShift = 7;
    layer.RoughnessPositive = 1;
    PrepareModulation(state, layer);
    const ModulationState& m = state.Modulation;
    EXPECT_FLOAT_EQ(m.LoAmp, 3.75f);    // 0.5 × 15 / 2
    EXPECT_FLOAT_EQ(m.LoFreq, 0.0175f); // (0.5 × 1.5 + 0.5 × 0.25) / 100 × 2
    EXPECT_FLOAT_EQ(m.RoughAmp, 0.4f);
    EXPECT_FLOAT_EQ(m.RoughFreq, 2.0f / 100.75f);
    EXPECT_EQ(m.RoughShift, 7.0f);
    EXPECT_FALSE(m.RoughPolar);
    EXPECT_TRUE(m.RoughPositive);

    // Switched off: the amplitudes drop to 0, the rest keeps its values.
    layer.LoNoiseIntensity = 0;
    layer.RoughnessIntensity = 0;
    layer.RoughnessShift = 1;
    PrepareModulation(state, layer);
    EXPECT_EQ(m.LoAmp, 0.0f);
    EXPECT_EQ(m.RoughAmp, 0.0f);
    EXPECT_FLOAT_EQ(m.LoFreq, 0.0175f);
    EXPECT_EQ(m.RoughShift, 7.0f);
}

TEST(PrepareDiscontinuity, DerivesSegmentsFromTheLineSpacing)
{
    RenderState state;
    state.PreviewScale = 2.0f;
    LayerParameters layer = test::DefaultLayer(); // Space 15: sp = 3 at scale 2
    layer.Discontinuous = 30;
    layer.DiscontinuousLenght = 50;
    layer.DiscontinuousRandom = 50;
    layer.DiscontinuousShift = 20;
    PrepareDiscontinuity(state, layer);
    const ModulationState& m = state.Modulation;
    EXPECT_FLOAT_EQ(m.DiscKeep, 0.7f);
    EXPECT_FLOAT_EQ(m.DiscPeriod, 16.5f); // (5 + 0.5) × 3
    EXPECT_FLOAT_EQ(m.DiscOn, 0.7f * 16.5f);
    EXPECT_FLOAT_EQ(m.DiscRand, 50.0f / 3000.0f);
    EXPECT_FLOAT_EQ(m.DiscShift, 10.0f);

    layer.DiscontinuousLenght = 0;
    PrepareDiscontinuity(state, layer);
    EXPECT_FLOAT_EQ(m.DiscPeriod, 1.5f) << "half the line spacing";

    layer.Big = 1;
    PrepareDiscontinuity(state, layer);
    EXPECT_EQ(m.DiscKeep, 1.0f) << "circles are never broken";
}

TEST(Discontinuity, CutsRegularSegmentsAlongTheLine)
{
    RenderState state;
    ModulationState& m = state.Modulation;
    m.DiscKeep = 0.5f;
    m.DiscPeriod = 10;
    m.DiscOn = 5;
    m.DiscRand = 0;
    // At gy = 0 the segments are 1.1 × 12.334 = 13.5674 ahead: the remainder
    // at q is 3.5674 + q (mod 10), drawn up to 5; negative remainders draw.
    struct Case {
        float Q;
        float Drawn;
    };
    const Case cases[] = {{0, 1}, {1.4f, 1}, {1.5f, 0}, {6, 0}, {6.5f, 1}, {8, 1}, {-15, 1}, {-20, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(Discontinuity(state, c.Q, 0, 0), c.Drawn) << c.Q;

    m.DiscShift = 5; // half a period further
    EXPECT_EQ(Discontinuity(state, 2, 0, 0), 1.0f);
    EXPECT_EQ(Discontinuity(state, 0, 0, 0), 0.0f);

    // Fully discontinuous: only remainders of 0 or below are drawn.
    m.DiscShift = 0;
    m.DiscOn = 0;
    EXPECT_EQ(Discontinuity(state, 0, 0, 0), 0.0f);
    EXPECT_EQ(Discontinuity(state, -14, 0, 0), 1.0f);
}

TEST(Discontinuity, StaysOnTheImageWhileThePreviewScrolls)
{
    RenderState scrolled, still;
    for (RenderState* state : {&scrolled, &still}) {
        state->Modulation.DiscKeep = 0.5f;
        state->Modulation.DiscPeriod = 10;
        state->Modulation.DiscOn = 5;
        state->Modulation.DiscRand = 0.02f;
    }
    scrolled.WorkOffsetX = 4;
    scrolled.WorkOffsetY = 3;
    for (float q = 0; q < 40; q += 0.5f) {
        EXPECT_EQ(Discontinuity(scrolled, q, 1, 2), Discontinuity(still, q, 5, 5)) << q;
        scrolled.Modulation.DiscRand = still.Modulation.DiscRand = 0;
        EXPECT_EQ(Discontinuity(scrolled, q, 1, 2), Discontinuity(still, q, 5, 5)) << q;
        scrolled.Modulation.DiscRand = still.Modulation.DiscRand = 0.02f;
    }
}

TEST(Discontinuity, VariesPeriodsWithNoiseWhenRandom)
{
    RenderState regular, random;
    regular.Modulation.DiscKeep = random.Modulation.DiscKeep = 0.5f;
    regular.Modulation.DiscPeriod = random.Modulation.DiscPeriod = 10;
    regular.Modulation.DiscOn = random.Modulation.DiscOn = 5;
    // A vanishing randomness gives the regular segments (away from their ends).
    random.Modulation.DiscRand = 1e-7f;
    for (float q = 0.05f; q < 30; q += 0.7f)
        EXPECT_EQ(Discontinuity(random, q, 2, 0), Discontinuity(regular, q, 2, 0)) << q;

    // Where the noise makes the local period 0 or less, everything is drawn.
    random.Modulation.DiscRand = -1000;
    int cells = 0;
    for (float gx = 0; gx < 40; gx += 1) {
        const float x = 13.456f + gx, y = 12.334f;
        if (SimplexNoise(2 * x, 2 * y) * random.Modulation.DiscRand + 1 > 0)
            continue;
        ++cells;
        EXPECT_EQ(Discontinuity(random, 3, gx, 0), 1.0f) << gx;
    }
    EXPECT_GT(cells, 0);
}

TEST(Roughness, ScalesTheWidthByTheNoiseAndNeverBelowZero)
{
    RenderState state;
    ModulationState& m = state.Modulation;
    m.RoughFreq = 0.3f;
    m.RoughShift = 2;
    m.RoughAmp = 100; // far beyond the slider: many factors fall to 0 or below
    int removed = 0;
    for (int gx = 0; gx < 50; ++gx) {
        const float v = FractalNoise(0.3f * (2 * 13.456f + float(gx)), 0.3f * (2 * 12.334f + 7));
        const float factor = 1 + 100 * v;
        const float width = Roughness(state, 4, float(gx), 7);
        EXPECT_EQ(width, factor > 0 ? 4 * factor : 0.0f) << gx;
        removed += width == 0;
    }
    EXPECT_GT(removed, 5);
    EXPECT_LT(removed, 45);

    m.RoughAmp = 1;
    m.RoughPositive = true; // the factor becomes 2 + v, mostly at or above 1
    const float v = FractalNoise(0.3f * (2 * 13.456f + 3), 0.3f * (2 * 12.334f + 7));
    EXPECT_EQ(Roughness(state, 4, 3, 7), 4 * (1 + (v + 1)));
}

} // namespace
} // namespace vel
