#include "engine/SegmentClip.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

TEST(SegmentClip, KeepsExactlyThePartInsideTheClosedRectangle)
{
    const ClipRectangle rect{0, 0, 10, 20};
    struct Case {
        const char* Name;
        Segment In;
        bool Visible;
        Segment Out;
    };
    const Case cases[] = {
        {"inside", {1, 2, 3, 4}, true, {1, 2, 3, 4}},
        {"along the left edge", {0, -5, 0, 25}, true, {0, 0, 0, 20}},
        {"along the bottom edge, reversed", {15, 20, -3, 20}, true, {10, 20, 0, 20}},
        {"across", {-5, 10, 15, 10}, true, {0, 10, 10, 10}},
        {"through two corners", {-2, -4, 12, 24}, true, {0, 0, 10, 20}},
        {"touching one corner", {-1, 1, 1, -1}, true, {0, 0, 0, 0}},
        {"from inside out", {5, 5, 5, -5}, true, {5, 5, 5, 0}},
        {"both ends beyond one side", {-3, 1, -1, 30}, false, {}},
        {"beyond the corner", {-5, 1, 1, -5}, false, {}},
        {"parallel outside", {11, -1, 11, 21}, false, {}},
    };
    for (const Case& c : cases) {
        Segment s = c.In;
        ASSERT_EQ(ClipSegment(s, rect), c.Visible) << c.Name;
        if (!c.Visible)
            continue;
        EXPECT_FLOAT_EQ(s.X0, c.Out.X0) << c.Name;
        EXPECT_FLOAT_EQ(s.Y0, c.Out.Y0) << c.Name;
        EXPECT_FLOAT_EQ(s.X1, c.Out.X1) << c.Name;
        EXPECT_FLOAT_EQ(s.Y1, c.Out.Y1) << c.Name;
    }
}

} // namespace
} // namespace vel
