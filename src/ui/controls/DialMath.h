#pragma once
// The angle dial's formulas: the direction of the pointer in each mode, whole
// turns counted while dragging, the elevation of the two-angle dial, the
// centre dial's point of the square, and the value-mapped dial's value.
// Angles are in degrees; window y grows downwards.

namespace vel::ui {

enum class DialMode { Angle, TwoAngle, ValueMapped };

// The direction of the pointer offset (dx, dy) from the dial's centre:
//   Angle:       0 right, clockwise on the screen (down 90, left 180, up 270;
//                the upper-right quadrant gives -90..0);
//   TwoAngle:    0 right, counter-clockwise (up 90, left 180 or -180, down -90);
//   ValueMapped: 0 up, clockwise, up to just under 360.
// When dy is 0 the direction keeps `previous`.
float DialDirection(DialMode mode, float dx, float dy, float previous);

// Whole turns after a move from `previous` to `next` direction: above 300 to
// below 90 adds a turn, below 90 to above 300 takes one away.
int CountTurns(int turns, float previous, float next);

// The two-angle dial's elevation at distance d from the centre: 90 at the
// centre, 0 at the rim and beyond.
float ElevationAtDistance(float distance, float radius);

struct DialAngles {
    float Angle;
    float Elevation;
};

// The centre dial: a point of the square -100..100 x -100..100 as azimuth and
// elevation (corners on the rim, the centre straight up), and back.
DialAngles CentreToAngles(float x, float y);
void AnglesToCentre(DialAngles angles, float& x, float& y);

// The value-mapped dial: the value range mapped linearly onto the angle range.
struct DialValueMap {
    float AngleMin = 0, AngleMax = 360;
    float ValueMin = 0, ValueMax = 100;
    bool Integer = false;
};
float DialValueAtAngle(const DialValueMap& map, float angle);
float DialAngleOfValue(const DialValueMap& map, float value);

} // namespace vel::ui
