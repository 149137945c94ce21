#include "ui/controls/DialMath.h"

#include <algorithm>
#include <cmath>

namespace vel::ui {

namespace {
constexpr double Degrees = 180.0 / 3.14159265358979323846;
}

float DialDirection(DialMode mode, float dx, float dy, float previous)
{
    if (dy == 0)
        return previous;
    const double t = std::atan(double(dx) / double(dy)) * Degrees;
    double direction = 0;
    switch (mode) {
    case DialMode::Angle:
        direction = -90 - t;
        if (dy > 0)
            direction += 180;
        else if (dx < 0)
            direction += 360;
        break;
    case DialMode::TwoAngle:
        direction = t - 90;
        if (dy < 0)
            direction += 180;
        break;
    case DialMode::ValueMapped:
        direction = -t;
        if (dy > 0)
            direction += 180;
        else if (dx < 0)
            direction += 360;
        break;
    }
    return float(direction);
}

int CountTurns(int turns, float previous, float next)
{
    if (previous > 300 && next < 90)
        return turns + 1;
    if (previous < 90 && next > 300)
        return turns - 1;
    return turns;
}

float ElevationAtDistance(float distance, float radius)
{
    if (radius <= 0)
        return 0;
    return float(std::acos(std::min(double(distance) / double(radius), 1.0)) * Degrees);
}

namespace {
// How far the point is pulled in so that the square's edge meets the rim:
// cos of the azimuth's distance from the nearest axis.
double SquareToDisc(double azimuth)
{
    const double delta = std::fmod(std::fabs(azimuth), 90.0);
    return std::cos((delta <= 45 ? delta : 90 - delta) / Degrees);
}
} // namespace

DialAngles CentreToAngles(float x, float y)
{
    const double azimuth = std::atan2(double(y), double(x)) * Degrees;
    const double k = SquareToDisc(azimuth);
    const double px = x * k, py = y * k;
    const double rho2 = px * px + py * py;
    const double elevation = std::atan2(std::sqrt(std::max(0.0, 10000 - rho2)), std::sqrt(rho2)) * Degrees;
    return {float(azimuth), float(elevation)};
}

void AnglesToCentre(DialAngles angles, float& x, float& y)
{
    const double rho = 100 * std::cos(angles.Elevation / Degrees);
    const double k = SquareToDisc(angles.Angle);
    const double a = angles.Angle / Degrees;
    x = float(rho * std::cos(a) / k);
    y = float(rho * std::sin(a) / k);
}

float DialValueAtAngle(const DialValueMap& map, float angle)
{
    if (map.AngleMax == map.AngleMin)
        return map.ValueMin;
    const float value =
        map.ValueMin + (angle - map.AngleMin) * (map.ValueMax - map.ValueMin) / (map.AngleMax - map.AngleMin);
    return map.Integer ? std::trunc(value) : value;
}

float DialAngleOfValue(const DialValueMap& map, float value)
{
    if (map.ValueMax == map.ValueMin)
        return map.AngleMin;
    return map.AngleMin +
           (value - map.ValueMin) * (map.AngleMax - map.AngleMin) / (map.ValueMax - map.ValueMin);
}

} // namespace vel::ui
