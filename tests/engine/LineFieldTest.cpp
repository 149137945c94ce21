#include "engine/LineField.h"

#include "FieldFixture.h"
#include "engine/Modulation.h"
#include "engine/RenderState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace vel {
namespace {

// "Lines" on a 40 × 30 working area (120 × 90 fine pixels) at scale 1:
// Space 15 and Width 8 give sp = 6 and a line step of
// 3 × (6 + 10 × sqrt(0.08) / 4) = 20.1213; the square's side N is 120 at
// angles 0 and 90, so lines sit at t = first + k × step, 60 (N / 2) before
// the plane's middle.
struct LineFieldFixture : ::testing::Test {
    RenderState State;
    LayerParameters Layer = test::DefaultLayer();

    void SetUp() override
    {
        test::PrepareFieldState(State, 40, 30, 128);
        Layer.Geometry = uint8_t(PatternGeometry::Lines);
        Layer.Angle = 0;
        Layer.Offset = 0;
    }

    uint8_t Fine(int x, int y) const { return State.FinePlane.Data()[size_t(y) * State.FineWidth + x]; }

    // Rows (or columns) whose every pixel is a line centre.
    std::vector<int> RidgeRows() const
    {
        std::vector<int> rows;
        for (int y = 0; y < State.FineHeight; ++y) {
            bool ridge = true;
            for (int x = 0; x < State.FineWidth; ++x)
                ridge = ridge && Fine(x, y) == 255;
            if (ridge)
                rows.push_back(y);
        }
        return rows;
    }
    std::vector<int> RidgeColumns() const
    {
        std::vector<int> columns;
        for (int x = 0; x < State.FineWidth; ++x) {
            bool ridge = true;
            for (int y = 0; y < State.FineHeight; ++y)
                ridge = ridge && Fine(x, y) == 255;
            if (ridge)
                columns.push_back(x);
        }
        return columns;
    }
};

TEST_F(LineFieldFixture, DrawsLinesAcrossTheAngleStepApart)
{
    // Angle 0: rows at y = t - 15.
    std::memset(State.FinePlane.Data(), 99, State.FinePlane.Bytes());
    ASSERT_TRUE(LineField(State, Layer, 0));
    EXPECT_EQ(RidgeRows(), (std::vector<int>{5, 25, 45, 65, 85}));
    EXPECT_EQ(Fine(60, 15), 0) << "the plane is cleared between the lines";

    // Angle 90 (cos is 3.3e-7 with the constant 3.141592): columns at
    // x = 120 - t. The line at t = 0 runs at x = 120 - 2e-5, whose steps of
    // 3e-7 are lost to rounding, so all its stamps fall on column 119.
    Layer.Angle = 90;
    ASSERT_TRUE(LineField(State, Layer, 0));
    EXPECT_EQ(RidgeColumns(), (std::vector<int>{19, 39, 59, 79, 99, 119}));
    EXPECT_TRUE(RidgeRows().empty());
}

TEST_F(LineFieldFixture, ShiftsInkJByJOffsets)
{
    // Offset 20: off = -step × 0.6 = -12.07 field pixels.
    Layer.Offset = 20;
    struct Case {
        int InkCount, Ink;
        std::vector<int> Rows;
    };
    const Case cases[] = {
        {1, 0, {13, 33, 53, 73}},    // the single ink shifted once
        {3, 0, {5, 25, 45, 65, 85}}, // the first of several unshifted
        {3, 1, {13, 33, 53, 73}},
        {3, 2, {1, 21, 41, 61, 81}},
    };
    for (const Case& c : cases) {
        State.Inks.InkCount = uint8_t(c.InkCount);
        ASSERT_TRUE(LineField(State, Layer, c.Ink));
        EXPECT_EQ(RidgeRows(), c.Rows) << c.InkCount << " inks, ink " << c.Ink;
    }
}

TEST_F(LineFieldFixture, DrawsAtWorkingScaleWithoutTheFinePlane)
{
    // Every length a third: step 6.7071, lines at y = t - 5 on the 40 × 30 plane.
    State.FinePlane.Release();
    ASSERT_TRUE(LineField(State, Layer, 0));
    std::vector<int> rows;
    for (int y = 0; y < 30; ++y) {
        bool ridge = true;
        for (int x = 0; x < 40; ++x)
            ridge = ridge && State.EngravePlane.Data()[size_t(y) * 40 + x] == 255;
        if (ridge)
            rows.push_back(y);
    }
    EXPECT_EQ(rows, (std::vector<int>{1, 8, 15, 21, 28}));
}

TEST_F(LineFieldFixture, RefusesWithoutTheEngravePlane)
{
    State.EngravePlane.Release();
    std::memset(State.FinePlane.Data(), 7, State.FinePlane.Bytes());
    EXPECT_FALSE(LineField(State, Layer, 0));
    EXPECT_EQ(Fine(0, 0), 7);
    EXPECT_EQ(Fine(60, 45), 7);
}

TEST_F(LineFieldFixture, ReportsProgressEveryFifthPosition)
{
    // Circles with Space 2.5: step 3 × 1 = 3, so t = 0, 3, 6, ... and every
    // fifth line (t = 0, 15, 30, ...) reports ink × N + t of InkCount × N.
    struct Report {
        float Done, Total;
    };
    std::vector<Report> reports;
    State.Progress = {[](void* context, float done, float total) {
                          static_cast<std::vector<Report>*>(context)->push_back({done, total});
                      },
                      &reports};
    State.Inks.InkCount = 2;
    Layer.Big = 1;
    Layer.Space = 2.5f;
    ASSERT_TRUE(LineField(State, Layer, 1));
    ASSERT_EQ(reports.size(), 9u);
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].Done, 120 + 15 * float(i));
        EXPECT_EQ(reports[i].Total, 240);
    }
}

TEST_F(LineFieldFixture, KeepsThePatternOnTheImageWhileThePreviewScrolls)
{
    // Two views of the same size, the second scrolled by (4, 5) working pixels
    // (12, 15 fine): where they overlap they show the same wavy lines. Width
    // 100 and Space 8.75 make the step exactly 18. Stamp centres above the
    // scrolled view truncate toward zero, upward, so the rows their cones
    // (radius 15) reach are left out.
    Layer.Geometry = uint8_t(PatternGeometry::Waves1);
    Layer.Width = 100;
    Layer.Space = 8.75f;
    Layer.Frequency = 40;
    ASSERT_TRUE(LineField(State, Layer, 0));
    const std::vector<uint8_t> still(State.FinePlane.Data(),
                                     State.FinePlane.Data() + State.FinePlane.Bytes());

    State.WorkOffsetX = 4;
    State.WorkOffsetY = 5;
    ASSERT_TRUE(LineField(State, Layer, 0));
    int differing = 0;
    for (int y = 16; y + 15 < 90; ++y)
        for (int x = 0; x + 12 < 120; ++x)
            differing += Fine(x, y) != still[size_t(y + 15) * 120 + x + 12];
    EXPECT_EQ(differing, 0);
}

// FNV-1a over the plane's bytes.
uint64_t PlaneHash(const uint8_t* pixels, size_t count)
{
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < count; ++i)
        hash = (hash ^ pixels[i]) * 1099511628211ull;
    return hash;
}

TEST(LineField, GivesTheSamePlaneOnEveryRunAndInEveryBuild)
{
    // Everything that draws random numbers or noise at once: zigzags with
    // jitter, a relief strong enough for the slower walk, lo-frequency bend,
    // roughness, random discontinuity and width contrast, over a density
    // gradient, for the second of two inks.
    RenderState state;
    test::PrepareFieldState(state, 60, 40, 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            state.DensityPlane.Data()[size_t(y) * 60 + x] = uint8_t((x * 255 / 59 + y * 3) % 256);
    state.Inks.InkCount = 2;
    LayerParameters layer = test::DefaultLayer();
    layer.Geometry = uint8_t(PatternGeometry::ZigZag1);
    layer.Angle = 37;
    layer.Amplitude = 15;
    layer.Frequency = 50;
    layer.Noise = 20;
    layer.BRelief = 60;
    layer.Contrast = 30;
    layer.Threshold = 20;
    layer.LoNoiseIntensity = 50;
    layer.RoughnessIntensity = 40;
    layer.Discontinuous = 30;

    uint64_t hashes[2];
    for (uint64_t& hash : hashes) {
        state.Random = {};
        PrepareModulation(state, layer);
        ASSERT_TRUE(LineField(state, layer, 1));
        hash = PlaneHash(state.FinePlane.Data(), state.FinePlane.Bytes());
    }
    EXPECT_EQ(hashes[0], hashes[1]);
    EXPECT_EQ(hashes[0], 6824057005168677383u) << "recorded after looking at the plane";
}

} // namespace
} // namespace vel
