#include "engine/LineField.h"
#include "engine/PatternQuantities.h"
#include "engine/PolygonPatterns.h"
#include "engine/RadialStamper.h"

#include "FieldFixture.h"
#include "engine/FieldPlane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vel {
namespace {

// How many values were drawn from the sequence between two of its states.
int DrawsBetween(RandomSequence before, const RandomSequence& after)
{
    for (int count = 0; count < 10000000; ++count) {
        if (before.State == after.State)
            return count;
        NextRandom(before);
    }
    return -1;
}

struct RadialFixture : ::testing::Test {
    RenderState State;
    LayerParameters Layer = test::DefaultLayer();

    void Prepare(int w, int h)
    {
        test::PrepareFieldState(State, w, h, 128);
        Layer.Angle = 0;
        Layer.Offset = 0;
        Layer.Noise = 0;
        Layer.BRelief = 0;
        Layer.Big = 0;
        Layer.CenterX = 0;
        Layer.CenterY = 0;
    }

    uint8_t Fine(int x, int y) const { return State.FinePlane.Data()[size_t(y) * State.FineWidth + x]; }
};

// The first radius that reports progress, for ink 0 of one ink.
int FirstReportedRadius(RenderState& state, const LayerParameters& layer)
{
    std::vector<float> done;
    state.Progress.Context = &done;
    state.Progress.Report = [](void* context, float d, float) {
        static_cast<std::vector<float>*>(context)->push_back(d);
    };
    LineField(state, layer, 0);
    state.Progress = {};
    return done.empty() ? -1 : int(done.front());
}

TEST_F(RadialFixture, RingsStartAtTheNearestPointOfThePlane)
{
    Prepare(60, 40);
    Layer.Geometry = uint8_t(PatternGeometry::Rings);
    const float step = DerivePatternQuantities(State, Layer, 3).Step;
    // The centre inside: rings start at the centre.
    EXPECT_LT(FirstReportedRadius(State, Layer), 5 + step);
    // The centre 200 % of the width to the right: cx = 3 × 1.5 × 60 = 270,
    // 90 fine pixels beyond the plane's right edge.
    Layer.CenterX = 200;
    const int first = FirstReportedRadius(State, Layer);
    EXPECT_GE(first, 90);
    EXPECT_LT(first, 90 + 5 + step);
    // The rings that reach the plane still draw it.
    bool inked = false;
    for (int y = 0; y < State.FineHeight; ++y)
        inked = inked || Fine(State.FineWidth - 1, y) != 0;
    EXPECT_TRUE(inked);
}

TEST_F(RadialFixture, SpiralTurnStopsAtTheCentre)
{
    Prepare(60, 40);
    const FieldPlane field = SelectFieldPlane(State);
    RadialInputs ring;
    ring.CenterX = 90;
    ring.CenterY = 60;
    ring.Width = 3;
    ring.Pitch = 40;
    ring.Radius = 20; // half the pitch: the turn reaches the centre half way round
    const RandomSequence start = State.Random;
    RadialStamper(State, field, ring);
    const int full = DrawsBetween(start, State.Random);
    ring.Spiral = true;
    const RandomSequence middle = State.Random;
    RadialStamper(State, field, ring);
    const int half = DrawsBetween(middle, State.Random);
    EXPECT_NEAR(full, 126, 1); // 2π × 20 steps of one pixel of arc
    EXPECT_NEAR(half, full / 2, 1);
}

TEST_F(RadialFixture, StarEightHasSixteenVerticesApart22AndAHalfDegrees)
{
    Prepare(200, 200);
    Layer.Geometry = uint8_t(PatternGeometry::Star8);
    Layer.Width = 1;
    Layer.Amplitude = -100; // inner radius = outer: a regular polygon of 16 vertices
    const PatternQuantities pattern = DerivePatternQuantities(State, Layer, 3);
    ASSERT_FLOAT_EQ(pattern.CenterX, 300);
    const FieldPlane field = SelectFieldPlane(State);
    constexpr float R = 240;
    DrawStar(State, field, pattern, Layer, 8, R);
    const auto at = [&](double degrees, float radius) {
        const double a = degrees * 3.14159265358979 / 180.0;
        return Fine(int(std::lround(300 + radius * std::cos(a))),
                    int(std::lround(300 + radius * std::sin(a))));
    };
    for (int k = 0; k < 16; ++k) {
        EXPECT_GT(at(22.5 * k, R), 0) << "vertex " << k;
        // Half way between two vertices the edge runs 4.7 pixels inside.
        EXPECT_EQ(at(22.5 * k + 11.25, R), 0) << "edge " << k;
        EXPECT_GT(at(22.5 * k + 11.25, R * float(std::cos(11.25 * 3.14159265358979 / 180.0))), 0)
            << "edge " << k;
    }
}

TEST_F(RadialFixture, BoxSidesOutsideTheGrownRectangleAreNeverWalked)
{
    Prepare(40, 40);     // 120 × 120 fine pixels, centre (60, 60)
    Layer.Amplitude = 4; // amp 12
    const PatternQuantities pattern = DerivePatternQuantities(State, Layer, 3);
    const FieldPlane field = SelectFieldPlane(State);
    // Half side h = r / √2 = 66: every side lies 6 pixels outside the plane.
    const float r = 66.0f * std::sqrt(2.0f);
    struct Case {
        int Index;
        bool Walked;
    };
    for (const Case c : {Case{0, false}, Case{1, true}, Case{8, true}}) {
        const RandomSequence start = State.Random;
        DrawBox(State, field, pattern, Layer, c.Index, r);
        EXPECT_EQ(DrawsBetween(start, State.Random) > 0, c.Walked) << c.Index;
    }
}

TEST_F(RadialFixture, EveryRadialPatternDrawsWithTheCentreInsideAndOutside)
{
    Prepare(30, 20);
    for (const float centerX : {0.0f, 150.0f}) {
        Layer.CenterX = centerX;
        for (int g = int(PatternGeometry::Rings); g <= int(PatternGeometry::Star8); ++g) {
            Layer.Geometry = uint8_t(g);
            ASSERT_TRUE(LineField(State, Layer, 0));
            size_t inked = 0;
            for (size_t i = 0; i < State.FinePlane.Count(); ++i)
                inked += State.FinePlane.Data()[i] != 0;
            EXPECT_GT(inked, State.FinePlane.Count() / 10) << PatternGeometryNames[g] << " at " << centerX;
        }
    }
}

} // namespace
} // namespace vel
