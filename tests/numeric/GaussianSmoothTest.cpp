#include "numeric/GaussianSmooth.h"

#include "numeric/PortableMath.h"
#include "platform/Threads.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace vel {
namespace {

using Bytes = std::vector<uint8_t>;

// The smoothing exactly as defined, one multiply-add at a time in double
// precision: the fast routine must give the same bytes.
Bytes ReferenceSmooth(Bytes plane, unsigned w, unsigned h, unsigned n)
{
    const unsigned r = n / 2;
    std::vector<double> kernel(n);
    kernel[r] = 1.0;
    for (unsigned j = 1; j <= r; ++j) {
        const double z = 3.0 * double(j) / double(r);
        kernel[r - j] = kernel[r + j] = PortableExp(-0.5 * (z * z));
    }
    double sum = 0;
    for (double k : kernel)
        sum += k;
    for (double& k : kernel)
        k /= sum;

    Bytes line(std::max(w, h) + 2 * r);
    const auto convolve = [&](size_t start, size_t stride, unsigned len) {
        for (unsigned i = 0; i < len; ++i)
            line[r + i] = plane[start + i * stride];
        for (unsigned m = 0; m < r; ++m) {
            line[r - 1 - m] = line[r + 1 + m];
            line[r + len + m] = line[r + len - 2 - m];
        }
        for (unsigned x = 0; x < len; ++x) {
            double s = 0;
            for (unsigned i = 0; i < n; ++i)
                s += kernel[i] * line[x + i];
            plane[start + x * stride] = uint8_t(s + 0.5);
        }
    };
    for (unsigned y = 0; y < h; ++y)
        convolve(size_t(y) * w, 1, w);
    for (unsigned x = 0; x < w; ++x)
        convolve(x, w, h);
    return plane;
}

Bytes RandomPlane(unsigned w, unsigned h, uint32_t seed)
{
    std::mt19937 generator(seed);
    Bytes plane(size_t(w) * h);
    for (uint8_t& v : plane)
        v = uint8_t(generator() >> 24);
    return plane;
}

TEST(GaussianSmooth, RefusesPlanesItCannotSmoothAndTouchesNothing)
{
    struct Case {
        unsigned W, H, N;
        bool Null;
    };
    const Case cases[] = {
        {8, 8, 3, true},    {0, 8, 3, false},   {8, 0, 3, false},   {8, 8, 0, false},   {8, 8, 4, false},
        {5, 20, 11, false}, {20, 5, 11, false}, {6, 20, 13, false}, {20, 6, 13, false},
    };
    for (const Case& c : cases) {
        Bytes source = RandomPlane(20, 20, 1);
        Bytes output(400, 77);
        const Bytes sourceBefore = source, outputBefore = output;
        EXPECT_FALSE(GaussianSmooth(c.Null ? nullptr : source.data(), output.data(), c.W, c.H, c.N))
            << c.W << "x" << c.H << " n " << c.N;
        EXPECT_FALSE(GaussianSmooth(c.Null ? nullptr : source.data(), nullptr, c.W, c.H, c.N));
        EXPECT_EQ(source, sourceBefore);
        EXPECT_EQ(output, outputBefore);
    }
}

TEST(GaussianSmooth, KeepsPlanesThatNeedNoSmoothing)
{
    Bytes plane = RandomPlane(9, 7, 2);
    const Bytes before = plane;
    EXPECT_TRUE(GaussianSmooth(plane.data(), nullptr, 9, 7, 1));
    EXPECT_EQ(plane, before) << "n = 1 is the identity";

    for (unsigned n : {3u, 11u, 13u}) {
        for (uint8_t value : {0, 1, 128, 254, 255}) {
            Bytes constant(size_t(7) * 9, value);
            EXPECT_TRUE(GaussianSmooth(constant.data(), nullptr, 7, 9, n));
            EXPECT_EQ(constant, Bytes(size_t(7) * 9, value)) << int(value) << " n " << n;
        }
    }
}

TEST(GaussianSmooth, SpreadsAnImpulseByTheKernel)
{
    // n = 3: weights e^-4.5 / s, 1 / s, e^-4.5 / s with s = 1 + 2 e^-4.5, that is
    // 0.0108675, 0.978265, 0.0108675. Rows: 255 -> 3, 249, 3; columns: 249 ->
    // 3, 244, 3 and 3 -> 0, 3, 0.
    Bytes plane(25, 0);
    plane[12] = 255;
    EXPECT_TRUE(GaussianSmooth(plane.data(), nullptr, 5, 5, 3));
    const Bytes expected = {
        0, 0, 0,   0, 0, //
        0, 0, 3,   0, 0, //
        0, 3, 244, 3, 0, //
        0, 0, 3,   0, 0, //
        0, 0, 0,   0, 0, //
    };
    EXPECT_EQ(plane, expected);
}

TEST(GaussianSmooth, MirrorsBordersWithoutRepeatingTheEdgePixel)
{
    // Left of pixel 0 lies a copy of pixel 1 (255), so pixel 0 sees 255 on
    // both sides: 2 × 0.0108675 × 255 = 5.54 -> 6. Right of the last pixel lies
    // a copy of the one before it (0).
    const Bytes profile = {0, 255, 0, 0};
    const Bytes expected = {6, 249, 3, 0};
    Bytes rows, columns(12);
    for (int y = 0; y < 3; ++y)
        rows.insert(rows.end(), profile.begin(), profile.end());
    for (int i = 0; i < 4; ++i)
        for (int x = 0; x < 3; ++x)
            columns[size_t(i) * 3 + x] = profile[i];
    EXPECT_TRUE(GaussianSmooth(rows.data(), nullptr, 4, 3, 3));
    EXPECT_TRUE(GaussianSmooth(columns.data(), nullptr, 3, 4, 3));
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(rows[size_t(j) * 4 + i], expected[i]) << "row pixel " << i;
            EXPECT_EQ(columns[size_t(i) * 3 + j], expected[i]) << "column pixel " << i;
        }
    }
}

// With any thread count: the rows and the column strips split between the
// threads at awkward sizes (fewer rows than threads, one strip, strips that
// do not divide evenly).
TEST(GaussianSmooth, GivesTheDefinedBytesInPlaceAndIntoAnOutputPlane)
{
    struct Case {
        unsigned W, H, N;
    };
    const Case cases[] = {
        {37, 23, 11}, {6, 6, 11},     {100, 64, 3},  {64, 100, 21}, {257, 13, 25},
        {3, 40, 5},   {1000, 17, 11}, {1500, 9, 11}, {2049, 12, 7}, {1100, 31, 3},
    };
    for (const int threads : {1, 2, 3, 5})
        for (const Case& c : cases) {
            SetRenderThreads(threads);
            uint32_t seed = c.W * 31 + c.H;
            const Bytes source = RandomPlane(c.W, c.H, ++seed);
            const Bytes expected = ReferenceSmooth(source, c.W, c.H, c.N);

            Bytes inPlace = source;
            EXPECT_TRUE(GaussianSmooth(inPlace.data(), nullptr, c.W, c.H, c.N));
            EXPECT_EQ(inPlace, expected)
                << c.W << "x" << c.H << " n " << c.N << ", " << threads << " threads";

            Bytes unchanged = source;
            Bytes output(source.size(), 0);
            EXPECT_TRUE(GaussianSmooth(unchanged.data(), output.data(), c.W, c.H, c.N));
            EXPECT_EQ(output, expected);
            EXPECT_EQ(unchanged, source);
        }
    SetRenderThreads(0);
}

} // namespace
} // namespace vel
