#include "numeric/SimplexNoise.h"

#include <array>
#include <cstdint>

namespace vel {
namespace {

// Ken Perlin's reference permutation of 0..255, stored twice so that an index
// plus a table value never needs wrapping.
constexpr uint8_t Reference[256] = {
    151, 160, 137, 91,  90,  15,  131, 13,  201, 95,  96,  53,  194, 233, 7,   225, 140, 36,  103, 30,
    69,  142, 8,   99,  37,  240, 21,  10,  23,  190, 6,   148, 247, 120, 234, 75,  0,   26,  197, 62,
    94,  252, 219, 203, 117, 35,  11,  32,  57,  177, 33,  88,  237, 149, 56,  87,  174, 20,  125, 136,
    171, 168, 68,  175, 74,  165, 71,  134, 139, 48,  27,  166, 77,  146, 158, 231, 83,  111, 229, 122,
    60,  211, 133, 230, 220, 105, 92,  41,  55,  46,  245, 40,  244, 102, 143, 54,  65,  25,  63,  161,
    1,   216, 80,  73,  209, 76,  132, 187, 208, 89,  18,  169, 200, 196, 135, 130, 116, 188, 159, 86,
    164, 100, 109, 198, 173, 186, 3,   64,  52,  217, 226, 250, 124, 123, 5,   202, 38,  147, 118, 126,
    255, 82,  85,  212, 207, 206, 59,  227, 47,  16,  58,  17,  182, 189, 28,  42,  223, 183, 170, 213,
    119, 248, 152, 2,   44,  154, 163, 70,  221, 153, 101, 155, 167, 43,  172, 9,   129, 22,  39,  253,
    19,  98,  108, 110, 79,  113, 224, 232, 178, 185, 112, 104, 218, 246, 97,  228, 251, 34,  242, 193,
    238, 210, 144, 12,  191, 179, 162, 241, 81,  51,  145, 235, 249, 14,  239, 107, 49,  192, 214, 31,
    181, 199, 106, 157, 184, 84,  204, 176, 115, 121, 50,  45,  127, 4,   150, 254, 138, 236, 205, 93,
    222, 114, 67,  29,  24,  72,  243, 141, 128, 195, 78,  66,  215, 61,  156, 180,
};

constexpr std::array<uint8_t, 512> Permutation = [] {
    std::array<uint8_t, 512> table{};
    for (int i = 0; i < 512; ++i)
        table[i] = Reference[i & 255];
    return table;
}();

constexpr float Skew = 0.366025403f;   // (sqrt(3) - 1) / 2
constexpr float Unskew = 0.211324865f; // (3 - sqrt(3)) / 6
constexpr float TwoUnskew = 0.42264973f;

// trunc(v) for v > 0, else trunc(v) - 1. Coordinates beyond 2^24 (where a
// float has no fraction left) and NaN are held to a bounded cell so that the
// integer arithmetic cannot overflow.
int LatticeFloor(float v)
{
    constexpr float Limit = 16777216.0f;
    if (!(v > -Limit))
        v = -Limit;
    else if (v > Limit)
        v = Limit;
    const int t = int(v);
    return v > 0 ? t : t - 1;
}

float Gradient(int hash, float du, float dv)
{
    const int k = hash & 7;
    const float a = k < 4 ? du : dv;
    const float b = k < 4 ? dv : du;
    return ((k & 1) ? -a : a) + ((k & 2) ? -2.0f * b : 2.0f * b);
}

float CornerContribution(int hash, float du, float dv)
{
    const float s = 0.5f - du * du - dv * dv;
    if (s < 0)
        return 0;
    const float s2 = s * s;
    return s2 * s2 * Gradient(hash, du, dv);
}

} // namespace

float SimplexNoise(float x, float y)
{
    const float t = (x + y) * Skew;
    const int i = LatticeFloor(x + t);
    const int j = LatticeFloor(y + t);
    const float t2 = float(i + j) * Unskew;
    const float x0 = x - (float(i) - t2);
    const float y0 = y - (float(j) - t2);

    const int i1 = x0 > y0 ? 1 : 0;
    const int j1 = 1 - i1;
    const float x1 = x0 - float(i1) + Unskew;
    const float y1 = y0 - float(j1) + Unskew;
    const float x2 = x0 - 1.0f + TwoUnskew;
    const float y2 = y0 - 1.0f + TwoUnskew;

    const int ii = i & 255;
    const int jj = j & 255;
    const int h0 = Permutation[ii + Permutation[jj]];
    const int h1 = Permutation[ii + i1 + Permutation[jj + j1]];
    const int h2 = Permutation[ii + 1 + Permutation[jj + 1]];

    const float sum =
        CornerContribution(h0, x0, y0) + CornerContribution(h1, x1, y1) + CornerContribution(h2, x2, y2);
    return 40.0f * sum;
}

float FractalNoise(float x, float y)
{
    double sum = SimplexNoise(x, y);
    double weight = 0.5;
    float scale = 2.0f;
    for (int octave = 1; octave < 5; ++octave) {
        sum += weight * SimplexNoise(scale * x, scale * y);
        weight *= 0.5;
        scale *= 2.0f;
    }
    return float(sum / 1.5);
}

} // namespace vel
