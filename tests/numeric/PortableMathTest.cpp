#include "numeric/PortableMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
