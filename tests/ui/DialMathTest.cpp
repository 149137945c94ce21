// The slider's and the dial's arithmetic.

#include "ui/controls/DialMath.h"
#include "ui/controls/SliderMath.h"

#include <gtest/gtest.h>

namespace vel::ui {
namespace {

TEST(SliderMath, PointerToPositionAndBack)
{
    SliderScale scale;
    scale.Min = -100;
    scale.Max = 100;
    // A 210-pixel track: 5-pixel margins, 200 pixels for 200 units.
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 5, 210), -100);
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 105, 210), 0);
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 155, 210), 50);
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, -40, 210), -100); // beyond the track
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 400, 210), 100);
    EXPECT_EQ(SliderKnobCoord(scale, 50, 210), 155);
    EXPECT_EQ(SliderKnobCoord(scale, 500, 210), 205);
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 3, 8), -100); // too short to move along

    scale.Clamp = true;
    scale.ClampMin = -20;
    scale.ClampMax = 30;
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 155, 210), 30);
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 5, 210), -20);

    scale.Clamp = false;
    scale.Snap = true;
    scale.SnapValue = 0;
    scale.SnapDistance = 3;
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 107, 210), 0);
    EXPECT_FLOAT_EQ(SliderPositionAt(scale, 109, 210), 4);
}

TEST(DialMath, DirectionsOfEachMode)
{
    struct Case {
        DialMode mode;
        float dx, dy;
        float direction;
    };
    const Case cases[] = {
        // "Angle": 0 right, clockwise on the screen.
        {DialMode::Angle, 10, 0.001f, 0},
        {DialMode::Angle, 0, 10, 90},
        {DialMode::Angle, -10, 0.001f, 180},
        {DialMode::Angle, -0.001f, -10, 270},
        {DialMode::Angle, 0, -10, -90}, // exactly up: the same direction as 270
        {DialMode::Angle, 10, -10, -45},
        // Two-angle ("Emboss direction"): 0 right, counter-clockwise.
        {DialMode::TwoAngle, 0, -10, 90},
        {DialMode::TwoAngle, 0, 10, -90},
        {DialMode::TwoAngle, 10, -10, 45},
        {DialMode::TwoAngle, -10, 10, -135},
        // Value-mapped: 0 up, clockwise.
        {DialMode::ValueMapped, 0, -10, 0},
        {DialMode::ValueMapped, 10, -10, 45},
        {DialMode::ValueMapped, 0, 10, 180},
        {DialMode::ValueMapped, -10, -10, 315},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.mode) << " " << c.dx << "," << c.dy);
        EXPECT_NEAR(DialDirection(c.mode, c.dx, c.dy, 999), c.direction, 0.01);
    }
    EXPECT_EQ(DialDirection(DialMode::Angle, 10, 0, 123), 123); // dy 0 keeps the last direction
}

TEST(DialMath, TheAngleDialJumpsFromUpLeftToUpRight)
{
    // Past straight up, clockwise: about 270 becomes about -90, the same direction.
    EXPECT_NEAR(DialDirection(DialMode::Angle, -1, -100, 0), 269.43, 0.01);
    EXPECT_NEAR(DialDirection(DialMode::Angle, 1, -100, 0), -89.43, 0.01);
    EXPECT_EQ(CountTurns(0, 269.43f, -89.43f), 0);
}

TEST(DialMath, TurnsAreCountedWhileDragging)
{
    // A value-mapped dial dragged clockwise twice round and back once.
    int turns = 0;
    float previous = 0;
    const float path[] = {90, 180, 270, 350, 10, 100, 200, 300, 359, 1, 359, 200};
    const int expected[] = {0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 1, 1};
    for (size_t i = 0; i < std::size(path); ++i) {
        turns = CountTurns(turns, previous, path[i]);
        previous = path[i];
        EXPECT_EQ(turns, expected[i]) << "step " << i;
    }
    EXPECT_EQ(turns * 360 + previous, 560);
}

TEST(DialMath, ElevationFromTheDistance)
{
    EXPECT_FLOAT_EQ(ElevationAtDistance(0, 50), 90);
    EXPECT_NEAR(ElevationAtDistance(25, 50), 60, 1e-4);
    EXPECT_FLOAT_EQ(ElevationAtDistance(50, 50), 0);
    EXPECT_FLOAT_EQ(ElevationAtDistance(80, 50), 0);
}

TEST(DialMath, CentreOfTheSquareToAnglesAndBack)
{
    struct Case {
        float x, y;
        float angle, elevation;
    };
    const Case cases[] = {
        {0, 0, 0, 90},     {100, 100, 45, 0}, {-100, -100, -135, 0},  {100, 0, 0, 0},
        {0, -100, -90, 0}, {50, 0, 0, 60},    {-30, 40, 126.87f, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const DialAngles angles = CentreToAngles(c.x, c.y);
        EXPECT_NEAR(angles.Angle, c.angle, 0.01);
        if (c.elevation >= 0) {
            EXPECT_NEAR(angles.Elevation, c.elevation, 0.01);
        }
        float x = 0, y = 0;
        AnglesToCentre(angles, x, y);
        EXPECT_NEAR(x, c.x, 1e-3);
        EXPECT_NEAR(y, c.y, 1e-3);
    }
}

TEST(DialMath, ValueMappedDial)
{
    DialValueMap map;
    map.AngleMin = 0;
    map.AngleMax = 360;
    map.ValueMin = -50;
    map.ValueMax = 50;
    EXPECT_FLOAT_EQ(DialValueAtAngle(map, 90), -25);
    EXPECT_FLOAT_EQ(DialAngleOfValue(map, 25), 270);
    map.Integer = true;
    EXPECT_FLOAT_EQ(DialValueAtAngle(map, 100), -22); // -22.2 truncated
}

} // namespace
} // namespace vel::ui
