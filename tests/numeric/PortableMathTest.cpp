#include "numeric/PortableMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace vel {
namespace {

// Distance in units of the last place between two finite doubles of the same sign.
double UlpDistance(double a, double b)
{
    if (a == b)
        return 0;
    return std::fabs(a - b) / (std::nextafter(std::fabs(b), HUGE_VAL) - std::fabs(b));
}

TEST(PortableMath, FollowsTheLibraryFunctionsToTheLastPlaces)
{
    for (double x = -200.0; x <= 200.0; x += 0.0137) {
        const double sine = std::sin(x);
        const double cosine = std::cos(x);
        // Near a zero crossing the absolute error is what matters.
        EXPECT_TRUE(UlpDistance(PortableSin(x), sine) <= 2 || std::fabs(PortableSin(x) - sine) < 1e-16) << x;
        EXPECT_TRUE(UlpDistance(PortableCos(x), cosine) <= 2 || std::fabs(PortableCos(x) - cosine) < 1e-16)
            << x;
    }
    for (double x = -745.0; x <= 709.0; x += 0.731)
        EXPECT_LE(UlpDistance(PortableExp(x), std::exp(x)), 2) << x;
    for (double x = -4.5; x <= 0; x += 0.001)
        EXPECT_LE(UlpDistance(PortableExp(x), std::exp(x)), 1) << x;
}

TEST(PortableMath, HandlesSpecialValues)
{
    EXPECT_EQ(PortableSin(0.0), 0.0);
    EXPECT_EQ(PortableCos(0.0), 1.0);
    EXPECT_EQ(PortableExp(0.0), 1.0);
    EXPECT_EQ(PortableExp(-1000.0), 0.0);
    EXPECT_EQ(PortableExp(1000.0), HUGE_VAL);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(PortableSin(HUGE_VAL)));
    EXPECT_TRUE(std::isnan(PortableCos(nan)));
    EXPECT_TRUE(std::isnan(PortableExp(nan)));
}

TEST(PortableMath, SinesSideBySideMatchOneAtATime)
{
    // Quarter-turn boundaries and their neighbours, where the rounding of
    // the turn count decides the quadrant; the ends of the side-by-side
    // range (2^30 quarter turns) and beyond; signed zeros and non-finite
    // values; then a sweep over the angles the waves use.
    std::vector<double> x = {0.0,
                             -0.0,
                             1e-300,
                             -1e-300,
                             0x1.921fb54442d18p-1,
                             0x1.921fb54442d18p+0,
                             3.141592653589793,
                             -3.141592653589793,
                             1686629712.0,
                             1686629713.0,
                             -1686629713.0,
                             1e15,
                             -1e300,
                             HUGE_VAL,
                             -HUGE_VAL,
                             std::numeric_limits<double>::quiet_NaN()};
    for (double quarter : {1.0, 2.0, 3.0, 7.0, -5.0, 1e6 + 1})
        for (double offset : {-1e-9, 0.0, 1e-9})
            x.push_back(quarter * 0x1.921fb54442d18p-1 + offset);
    for (double v = -700.0; v <= 700.0; v += 0.0371)
        x.push_back(v);
    // Every start and count, so that each lane position meets each value
    // and the leftovers beside the vectors are covered too.
    for (size_t start = 0; start < 4; ++start)
        for (size_t count : {size_t(1), size_t(3), x.size() - start}) {
            std::vector<double> out(count, 42.0);
            PortableSins(x.data() + start, out.data(), int(count));
            for (size_t i = 0; i < count; ++i) {
                const double expected = PortableSin(x[start + i]);
                EXPECT_EQ(std::memcmp(&out[i], &expected, sizeof expected), 0)
                    << x[start + i] << ": " << out[i] << " vs " << expected;
            }
        }
}

TEST(PortableMath, TruncatesTowardZeroWithoutOverflow)
{
    struct Case {
        double Value;
        int Expected;
    };
    const Case cases[] = {
        {2.99, 2},        {-2.99, -2},          {-0.5, 0},
        {1e300, 1 << 30}, {-1e300, -(1 << 30)}, {std::numeric_limits<double>::quiet_NaN(), -(1 << 30)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TruncateToInt(c.Value), c.Expected) << c.Value;
}

} // namespace
} // namespace vel
