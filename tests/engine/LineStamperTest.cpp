#include "engine/LineStamper.h"

#include "FieldFixture.h"
#include "engine/ConeStamp.h"
#include "engine/FieldDensity.h"
#include "engine/RenderState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vel {
namespace {

// A horizontal line across a 20 × 20 working area (60 × 60 field pixels).
struct StamperFixture : ::testing::Test {
    RenderState State;
    FieldPlane Field;
    StamperInputs Line;

    void SetUp() override
    {
        test::PrepareFieldState(State, 20, 20, 0);
        Field = SelectFieldPlane(State);
        Line.Width = 8;
        Line.StartX = 0;
        Line.StartY = 30;
        Line.EndX = 60;
        Line.EndY = 30;
    }

    uint8_t At(int x, int y) const { return Field.Pixels[size_t(y) * Field.Width + x]; }

    void SetDensity(uint8_t value)
    {
        std::memset(State.DensityPlane.Data(), value, size_t(State.WorkWidth) * State.WorkHeight);
    }

    // The number of values the stamper drew from the random sequence.
    int Draws()
    {
        RandomSequence counter;
        const uint32_t before = State.Random.State;
        LineStamper(State, Field, Line);
        counter.State = before;
        int draws = 0;
        while (counter.State != State.Random.State && draws < 1000) {
            NextRandom(counter);
            ++draws;
        }
        return draws;
    }
};

TEST_F(StamperFixture, ShapesTheWidthFromThresholdContrastAndDensity)
{
    // Far from the line's ends a column of the ridge is the centre column of
    // one stamp of the line's width.
    struct Case {
        float Threshold, ContrastPositive;
        uint8_t Density;
        float WidthFactor; // of the base width 8
    };
    const Case cases[] = {
        {0, 0, 0, 1.0f},       // K = 0.5: (0.5 + 0.5)
        {1, 0, 255, 0.5f},     // K = 1 without contrast: half the base width
        {-1, 0.7f, 255, 1.5f}, // K = 0: 1.5 whatever the density
        {1, 0.5f, 255, 2.5f},  // (4 × 0.5 × 1 + 0.5)
        {0, 1, 255, 3.0f},     // (0.5 + 2 × 1 × 1 + 0.5)
    };
    for (const Case& c : cases) {
        std::memset(Field.Pixels, 0, size_t(Field.Width) * Field.Height);
        SetDensity(c.Density);
        Line.Threshold = c.Threshold;
        Line.ContrastPositive = c.ContrastPositive;
        LineStamper(State, Field, Line);

        std::vector<uint8_t> stamp(size_t(Field.Width) * Field.Height);
        ConeStamp({stamp.data(), Field.Width, Field.Height, 3}, State.Disk, c.WidthFactor * 8, 30, 30);
        for (int y = 0; y < Field.Height; ++y)
            EXPECT_EQ(At(30, y), stamp[size_t(y) * Field.Width + 30])
                << "threshold " << c.Threshold << " row " << y;
    }
}

TEST_F(StamperFixture, ReadsDensityOneHalfOutsideTheImage)
{
    // The line 6 field pixels above the plane lies over working row -1. With
    // density 0 its stamps (width 8) would not reach row 0; density 0.5 gives
    // (0.5 + 2 × 0.5 + 0.5) × 8 = 16, a radius of 8.
    Line.ContrastPositive = 1;
    Line.StartY = Line.EndY = -6;
    LineStamper(State, Field, Line);
    EXPECT_EQ(At(30, 0), 63) << "255 × (1 - 6 / 8)";
    EXPECT_EQ(At(30, 2), 0);
}

TEST_F(StamperFixture, DisplacesAcrossTheLineByTheWave)
{
    // "Waves 1" at phase 0.5 with no frequency: a constant +6, which moves a
    // line running along +x towards -y.
    Line.WaveType = 1;
    Line.Amplitude = 6;
    Line.Phase = 0.5f;
    LineStamper(State, Field, Line);
    EXPECT_EQ(At(30, 24), 255);
    EXPECT_EQ(At(30, 30), 0);
}

TEST_F(StamperFixture, DrawsOneRandomValuePerStepAndOneMoreForReliefOrJitter)
{
    // 60 field pixels: 60 steps, or relief / 15 times as many in the final
    // render once the relief exceeds 15.
    struct Case {
        float Relief, Jitter;
        bool DialogUp;
        int Draws;
    };
    const Case cases[] = {
        {0, 0, false, 60},   {3, 0, false, 120}, {0, 1, true, 120},
        {30, 0, false, 240}, {30, 0, true, 120}, {-30, 0, false, 120},
    };
    for (const Case& c : cases) {
        Line.Relief = c.Relief;
        Line.Jitter = c.Jitter;
        State.DialogUp = c.DialogUp;
        EXPECT_EQ(Draws(), c.Draws) << "relief " << c.Relief << " jitter " << c.Jitter;
    }
}

TEST_F(StamperFixture, PlacesDotsHalfASpacingAlongTheLine)
{
    Line.CircleSpacing = 20;
    Line.Width = 2; // dots of width 2 × 2 = 4
    LineStamper(State, Field, Line);
    for (int x : {10, 30, 50})
        EXPECT_EQ(At(x, 30), 255) << x;
    for (int x : {0, 20, 40})
        EXPECT_EQ(At(x, 30), 0) << x;
    EXPECT_EQ(Draws(), 3);
}

// LineStamperDraws tells how far the walk moves the random sequence, which
// the threaded walk skips by: for unit steps, dots, relief and jitter,
// walks slowed by relief, lines of fractional and whole lengths, and lines
// with no length.
TEST_F(StamperFixture, DrawCountIsWhatTheWalkDraws)
{
    struct Case {
        float EndX, EndY, CircleSpacing, Relief, Jitter;
    };
    const Case cases[] = {
        {60, 30, 0, 0, 0},      {60, 30, 0, 20, 0},   {60, 30, 0, 0, 10},     {47.5f, 41.25f, 0, 0, 0},
        {59.999f, 30, 0, 0, 5}, {60, 30, 3.5f, 0, 0}, {60, 30, 0.25f, 30, 0}, {0, 30, 0, 0, 0},
        {60, 30, 0, 40, 10},    {1e-3f, 30, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Line.EndX = c.EndX;
        Line.EndY = c.EndY;
        Line.CircleSpacing = c.CircleSpacing;
        Line.Relief = c.Relief;
        Line.Jitter = c.Jitter;
        const uint32_t before = State.Random.State;
        LineStamper(State, Field, Line);
        RandomSequence skipped{before};
        SkipRandom(skipped, uint64_t(LineStamperDraws(State, Line)));
        EXPECT_EQ(skipped.State, State.Random.State)
            << c.EndX << ", " << c.EndY << " spacing " << c.CircleSpacing << " relief " << c.Relief;
    }
}

// The density levels come from a table the compiler fills; each must be the
// quotient the processor computes at run time.
TEST(FieldDensity, LevelsAreTheRunTimeQuotients)
{
    for (int level = 0; level < 256; ++level) {
        volatile float numerator = float(level);
        const float quotient = numerator / 255.0f;
        EXPECT_EQ(std::memcmp(&quotient, &DensityLevels.Value[level], sizeof quotient), 0) << level;
    }
}

} // namespace
} // namespace vel
