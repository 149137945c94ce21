#include "engine/ConeStamp.h"
#include "engine/StampQueue.h"
#include "platform/Threads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

namespace vel {
namespace {

// A small field plane with its own pixels.
struct Field {
    std::vector<uint8_t> Pixels;
    FieldPlane Plane;

    Field(int w, int h, uint8_t fill = 0) : Pixels(size_t(w) * h, fill), Plane{Pixels.data(), w, h, 3} {}
    uint8_t At(int x, int y) const { return Pixels[size_t(y) * Plane.Width + x]; }
};

DiskTable BuiltTable()
{
    DiskTable table;
    BuildDiskTable(table);
    return table;
}

TEST(DiskTable, HoldsOneQuadrantOfACone)
{
    const DiskTable table = BuiltTable();
    struct Case {
        int I, J, Value;
    };
    const Case cases[] = {
        {0, 0, 255}, {50, 0, 127}, {0, 50, 127}, {30, 40, 127}, {99, 0, 2}, // 255 × 0.01
        {70, 70, 2}, {71, 71, 0},  {60, 80, 0},  {99, 99, 0},   {100, 0, 0}, {0, 100, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table.Values[c.I][c.J], c.Value) << c.I << ", " << c.J;
}

TEST(ConeStamp, MarksNothingOrOnePixelForNarrowStamps)
{
    const DiskTable table = BuiltTable();
    struct Case {
        float Width;
        int Marked;
    };
    const Case cases[] = {
        {0.1f, 0}, {-5, 0}, {std::numeric_limits<float>::quiet_NaN(), 0}, {0.11f, 1}, {1, 1}, {2, 1},
    };
    for (const Case& c : cases) {
        Field field(5, 5);
        ConeStamp(field.Plane, table, c.Width, 2, 2);
        int marked = 0;
        for (uint8_t v : field.Pixels)
            marked += v != 0;
        EXPECT_EQ(marked, c.Marked) << c.Width;
        EXPECT_EQ(field.At(2, 2), c.Marked ? 255 : 0);
    }
    Field field(5, 5);
    ConeStamp(field.Plane, table, 2, 5, 2);
    ConeStamp(field.Plane, table, 2, 2, -1);
    EXPECT_EQ(field.Pixels, std::vector<uint8_t>(25, 0)) << "centres outside the plane";
}

TEST(ConeStamp, ScalesTheTableToTheStampRadius)
{
    const DiskTable table = BuiltTable();
    // Width 2.2: radius 1.1, two offsets; offset 1 reads entry 90 (25).
    Field small(5, 5);
    ConeStamp(small.Plane, table, 2.2f, 2, 2);
    const std::vector<uint8_t> expected = {
        0, 0,  0,   0,  0, //
        0, 0,  25,  0,  0, //
        0, 25, 255, 25, 0, //
        0, 0,  25,  0,  0, //
        0, 0,  0,   0,  0, //
    };
    EXPECT_EQ(small.Pixels, expected);

    // Width 20: radius 10, entry (10 dx, 10 dy); width 400 (wide enough to be
    // composited straight from the table): radius 200, entry (dx / 2, dy / 2).
    struct Case {
        float Width;
        int Dx, Dy, Value;
    };
    const Case cases[] = {
        {20, 0, 0, 255},  {20, 5, 0, 127},    {20, 0, -5, 127},    {20, -3, 4, 127}, {20, 3, -4, 127},
        {20, 9, 0, 25},   {20, -9, 0, 25},    {20, 10, 0, 0},      {20, 7, 7, 2},    {20, -8, -6, 0},
        {400, 0, 0, 255}, {400, 100, 0, 127}, {400, -60, 80, 127}, {400, 199, 0, 2}, {400, 0, -200, 0},
    };
    for (const Case& c : cases) {
        const int centre = int(c.Width / 2) + 2;
        Field field(2 * centre + 1, 2 * centre + 1);
        ConeStamp(field.Plane, table, c.Width, centre, centre);
        EXPECT_EQ(field.At(centre + c.Dx, centre + c.Dy), c.Value) << c.Width << ": " << c.Dx << ", " << c.Dy;
    }
}

TEST(ConeStamp, KeepsTheMaximumOfWhatIsThere)
{
    const DiskTable table = BuiltTable();
    Field field(25, 25, 100);
    ConeStamp(field.Plane, table, 20, 12, 12);
    EXPECT_EQ(field.At(12, 12), 255);
    EXPECT_EQ(field.At(17, 12), 127);
    EXPECT_EQ(field.At(21, 12), 100) << "25 from the cone is below what was there";
    EXPECT_EQ(field.At(0, 0), 100);
}

TEST(ConeStamp, ClipsAtThePlaneEdges)
{
    // Centres inside, on and beyond every edge of a 40 × 9 plane see the
    // matching window of the whole cone, for a narrow and a wide cone.
    const DiskTable table = BuiltTable();
    for (int radius : {10, 150}) {
        const int side = 2 * radius + 1;
        Field whole(side, side);
        ConeStamp(whole.Plane, table, float(2 * radius), radius, radius);
        const int reach = radius - 1;
        const int centres[][2] = {{0, 0},         {39, 8},          {-3, 4},          {14, -reach},
                                  {5, 4},         {-reach, -reach}, {39 + reach, 17}, {-radius, 3},
                                  {6, 8 + reach}, {40 + radius, 4}, {33, 2},          {20, 4}};
        for (const auto& centre : centres) {
            Field clipped(40, 9);
            ConeStamp(clipped.Plane, table, float(2 * radius), centre[0], centre[1]);
            for (int y = 0; y < 9; ++y) {
                for (int x = 0; x < 40; ++x) {
                    const int wx = x - centre[0] + radius, wy = y - centre[1] + radius;
                    const bool inside = wx >= 0 && wy >= 0 && wx < side && wy < side;
                    ASSERT_EQ(clipped.At(x, y), inside ? whole.At(wx, wy) : 0)
                        << "radius " << radius << " centre " << centre[0] << ", " << centre[1] << " pixel "
                        << x << ", " << y;
                }
            }
        }
    }
}

TEST(ConeShape, StampsLikeConeStampWhateverWidthCameBefore)
{
    const DiskTable table = BuiltTable();
    ConeShape shape;
    for (float width : {8.0f, 8.0f, 2.5f, 0.05f, 1.5f, 300.0f, 8.0f, 31.7f}) {
        Field once(40, 30), shaped(40, 30);
        ConeStamp(once.Plane, table, width, 37, 3);
        shape.Prepare(table, width);
        shape.Stamp(shaped.Plane, 37, 3);
        EXPECT_EQ(shaped.Pixels, once.Pixels) << width;
    }
}

// Stamps sorted into bands and stamped band by band give the picture of
// stamping them all into the whole plane: a stamp reaching across a band
// boundary (or from beyond the plane) is kept for every band it reaches.
TEST(StampList, BandsStampWhatTheWholePlaneGets)
{
    const DiskTable table = BuiltTable();
    const float widths[] = {
        0.05f, 1.5f, 2.0f, 3.0f, 7.25f, 20.0f, 61.0f, 300.0f, std::numeric_limits<float>::quiet_NaN()};
    for (const int height : {1, 7, 64, 301})
        for (const int bands : {1, 2, 3, 8, 40}) {
            Field whole(80, height);
            Field banded(80, height);
            StampList list;
            list.SetBands(height, bands);
            // Centres on every row from well above to well below the plane.
            int i = 0;
            for (int y = -40; y < height + 40; ++y)
                for (const float w : widths) {
                    const int x = (i++ * 37) % 120 - 20;
                    ConeStamp(whole.Plane, table, w, x, y);
                    list.Add(w, x, y);
                }
            ASSERT_FALSE(list.Lost);
            const int count = int(list.Stamps.size());
            ConeShape cone;
            for (int band = 0; band < count; ++band) {
                const std::vector<QueuedStamp>& stamps = list.Stamps[size_t(band)];
                const int end = band + 1 < count ? list.BandFirst(band + 1) : height;
                StampRows(banded.Plane, list.BandFirst(band), end, cone, table, stamps.data(), stamps.size());
            }
            EXPECT_TRUE(whole.Pixels == banded.Pixels) << bands << " bands, height " << height;
        }
}

} // namespace
} // namespace vel

namespace vel {
namespace {

// Stamps from a walk through the queue to band threads give the plane that
// stamping them one by one gives: enough stamps to cycle through every
// batch buffer several times, widths from nothing through single pixels,
// squares and cones wider than the plane, centres inside, on and beyond the
// edges, at thread counts that give one band, bands of uneven heights and
// planes too small to split.
TEST(StampQueue, BandThreadsStampWhatOneThreadStamps)
{
    const DiskTable table = BuiltTable();
    struct Walk {
        const DiskTable* Table;
        std::vector<QueuedStamp> Stamps;
    } walk{&table, {}};
    uint32_t seed = 12345;
    const auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) & 0xffff);
    };
    const float widths[] = {
        0.05f, 1.5f, 3.0f, 7.25f, 20.0f, 61.0f, 300.0f, 600.0f, std::numeric_limits<float>::quiet_NaN()};
    const size_t total = size_t(StampQueue::Batches) * StampQueue::BatchStamps * 2 + 777;
    for (size_t i = 0; i < total; ++i) {
        const float w =
            i % 50 == 0 ? widths[size_t(next()) % std::size(widths)] : float(next() % 500) / 100.0f;
        walk.Stamps.push_back({w, next() % 1560 - 30, next() % 360 - 30});
    }

    for (const int height : {7, 33, 300}) {
        Field serial(1500, height);
        for (const QueuedStamp& s : walk.Stamps)
            ConeStamp(serial.Plane, table, s.Width, s.X, s.Y);
        for (const int threads : {1, 2, 3, 5}) {
            SetRenderThreads(threads);
            Field banded(1500, height);
            DrawWithStampThreads(
                banded.Plane, table,
                [](void* context, const FieldPlane& plane) {
                    const Walk& w = *static_cast<const Walk*>(context);
                    ConeShape cone;
                    for (const QueuedStamp& s : w.Stamps)
                        StampCone(plane, cone, *w.Table, s.Width, s.X, s.Y);
                },
                &walk);
            SetRenderThreads(0);
            EXPECT_TRUE(serial.Pixels == banded.Pixels) << threads << " threads, height " << height;
        }
    }
}

} // namespace
} // namespace vel
