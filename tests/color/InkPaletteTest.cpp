#include "color/InkPalette.h"

#include "color/ColorHistogram.h"
#include "color/PrintState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace vel {
namespace {

using ColorAt = std::function<InkColor(int x, int y)>;

void MakeSample(PrintState& state, int w, int h, const ColorAt& color)
{
    ASSERT_TRUE(state.AnalysisSample.Allocate(w, h, 4));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const InkColor c = color(x, y);
            uint8_t* p = state.AnalysisSample.Row(y) + 4 * x;
            p[0] = c.R;
            p[1] = c.G;
            p[2] = c.B;
        }
}

struct PaletteFixture : ::testing::Test {
    PaletteFixture() { std::memset(params.RemovedColors, NoRemovedColor, sizeof params.RemovedColors); }

    // A render or session start: new sample analysed, count from NInks.
    void Derive(uint8_t schema, int nInks)
    {
        params.ColorSchema = schema;
        params.NInks = nInks;
        InvalidateAnalysis(state);
        state.Inks.InkCount = uint8_t(nInks & 0xFF);
        DerivePalette(state, params);
    }

    ParameterBlock params{};
    PrintState state;
};

constexpr uint8_t Monotone = 0, Custom = 1, Cmyk = 2, Rgb = 3, Initial = 4;
constexpr InkColor Red{255, 0, 0}, Navy{0, 0, 128}, Olive{128, 128, 0}, Teal{0, 128, 128}, Grey{90, 90, 90};

// Four colour bands over a white margin: Navy, Grey, Teal, Olive by area.
// Darkest first they are Navy, Olive, Teal, Grey (Olive and Teal tie and keep
// their order by pixel count).
InkColor FourBands(int x, int y)
{
    if (y < 2)
        return {255, 255, 255};
    if (x < 10)
        return Navy;
    if (x < 18)
        return Grey;
    return x < 24 ? Teal : Olive;
}

TEST_F(PaletteFixture, PureWhiteImageGivesOneInk)
{
    MakeSample(state, 16, 8, [](int, int) { return InkColor{255, 255, 255}; });
    Derive(Custom, 3);
    EXPECT_TRUE(state.Inks.PaletteValid);
    EXPECT_EQ(state.Inks.InkCount, 1);
    EXPECT_EQ(state.Palette.Inks[0], (InkColor{255, 255, 255}));
}

TEST_F(PaletteFixture, TwoColoursGiveTwoInksDarkestFirst)
{
    MakeSample(state, 20, 10, [](int x, int) { return x < 5 ? Red : Navy; });
    Derive(Custom, 4);
    EXPECT_EQ(state.Inks.InkCount, 2);
    EXPECT_EQ(state.Palette.Inks[0], Navy);
    EXPECT_EQ(state.Palette.Inks[1], Red);
    EXPECT_TRUE(state.Inks.PaletteChanged);
    EXPECT_FALSE(state.Inks.HistogramFresh);
}

TEST_F(PaletteFixture, FourBandsGiveFourInksAndAdjustmentsApplyByIndex)
{
    MakeSample(state, 32, 8, FourBands);
    params.PaletteColorADD[3] = 100;  // ink 1 red
    params.PaletteColorADD[11] = 300; // ink 3 blue, clamped
    Derive(Custom, 4);
    ASSERT_EQ(state.Inks.InkCount, 4);
    EXPECT_EQ(state.Palette.ExtractedColors[0], Navy);
    EXPECT_EQ(state.Palette.ExtractedColors[1], Olive);
    EXPECT_EQ(state.Palette.ExtractedColors[2], Teal);
    EXPECT_EQ(state.Palette.ExtractedColors[3], Grey);
    EXPECT_EQ(state.Palette.Inks[1], (InkColor{228, 128, 0}));
    EXPECT_EQ(state.Palette.Inks[3], (InkColor{90, 90, 255}));
}

TEST_F(PaletteFixture, RemovalsAreRecordedAndReplayed)
{
    MakeSample(state, 32, 8, FourBands);
    Derive(Custom, 4);
    ASSERT_EQ(state.Inks.InkCount, 4);

    EXPECT_EQ(RemoveInk(state, params, 1), 3); // Olive
    EXPECT_EQ(state.Palette.Inks[1], Teal);
    EXPECT_TRUE(state.Inks.PaletteValid) << "a removal edits the live palette";
    EXPECT_EQ(RemoveInk(state, params, 0), 2); // Navy
    EXPECT_EQ(RemoveInk(state, params, 1), 1); // Grey
    EXPECT_EQ(state.Palette.Inks[0], Teal);
    const uint8_t recorded[4] = {1, 0, 1, NoRemovedColor};
    EXPECT_EQ(std::memcmp(params.RemovedColors, recorded, 4), 0);

    EXPECT_EQ(RemoveInk(state, params, 0), 1) << "the last ink stays";
    EXPECT_EQ(params.RemovedColors[3], 0);
    EXPECT_EQ(RemoveInk(state, params, 0), 1);
    const uint8_t full[4] = {1, 0, 1, 0};
    EXPECT_EQ(std::memcmp(params.RemovedColors, full, 4), 0) << "nothing recorded once all four are used";

    // A later derivation, even from a cached histogram, replays the removals.
    state.DialogUp = true;
    state.Inks.PaletteValid = false;
    state.Inks.InkCount = 4;
    DerivePalette(state, params);
    EXPECT_EQ(state.Inks.InkCount, 1);
    EXPECT_EQ(state.Palette.Inks[0], Teal);
}

TEST_F(PaletteFixture, RemovalOutsideCustomPaletteOnlyRecords)
{
    Derive(Cmyk, 4);
    EXPECT_EQ(RemoveInk(state, params, 2), 4);
    EXPECT_EQ(params.RemovedColors[0], 2);
    EXPECT_EQ(RemoveInk(state, params, 7), 4);
    EXPECT_EQ(params.RemovedColors[1], NoRemovedColor);
}

TEST_F(PaletteFixture, FixedSchemasUseTheirBasesPlusAdjustments)
{
    struct Case {
        uint8_t Schema;
        int32_t* Adjustments;
        int Entry;
        int32_t Add;
        uint8_t Count;
        int Ink;
        InkColor Expected;
    };
    const Case cases[] = {
        {Monotone, params.PaletteColorADD, 0, 0, 1, 0, {0, 0, 0}},
        {Monotone, params.PaletteColorADD, 0, 255, 1, 0, Red},
        {Cmyk, params.PaletteCMYKADD, 1, -255, 4, 0, {0, 0, 255}}, // cyan turns blue
        {Cmyk, params.PaletteCMYKADD, 0, 0, 4, 1, {255, 0, 255}},
        {Rgb, params.PaletteRGBADD, 8, -2147483647 - 1, 3, 2, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        ClearPaletteAdjustments(params);
        c.Adjustments[c.Entry] = c.Add;
        Derive(c.Schema, 2);
        EXPECT_EQ(state.Inks.InkCount, c.Count) << int(c.Schema);
        EXPECT_EQ(state.Palette.Inks[c.Ink], c.Expected) << int(c.Schema) << " entry " << c.Entry;
    }
    Derive(Initial, 3);
    EXPECT_EQ(state.Inks.InkCount, 1);
    ClearPaletteAdjustments(params);
    Derive(9, 3);
    EXPECT_EQ(state.Inks.InkCount, 1);
    EXPECT_EQ(state.Palette.Inks[0], (InkColor{0, 0, 0})) << "unknown schemas print like Monotone";
}

TEST_F(PaletteFixture, InkCountsOutsideOneToFourAreLimited)
{
    MakeSample(state, 32, 8, FourBands);
    for (int nInks : {0, 5, 255, -3}) {
        Derive(Custom, nInks);
        EXPECT_GE(state.Inks.InkCount, 1) << nInks;
        EXPECT_LE(state.Inks.InkCount, 4) << nInks;
    }
    Derive(Custom, 260); // low byte 4
    EXPECT_EQ(state.Inks.InkCount, 4);
}

TEST_F(PaletteFixture, SetInkColorStoresTheDifferenceFromTheBase)
{
    MakeSample(state, 32, 8, FourBands);
    Derive(Custom, 4);
    state.Inks.PaletteChanged = false;
    SetInkColor(state, params, 2, {100, 80, 60});
    EXPECT_EQ(state.Palette.Inks[2], (InkColor{100, 80, 60}));
    EXPECT_EQ(params.PaletteColorADD[6], 100 - Teal.R);
    EXPECT_EQ(params.PaletteColorADD[8], 60 - Teal.B);
    EXPECT_FALSE(state.Inks.PaletteValid);
    EXPECT_TRUE(state.Inks.PaletteChanged);
    DerivePalette(state, params);
    EXPECT_EQ(state.Palette.Inks[2], (InkColor{100, 80, 60}));

    params.ColorSchema = Rgb;
    SetInkColor(state, params, 1, {0, 255, 0});
    EXPECT_EQ(params.PaletteRGBADD[3], 0);
    EXPECT_EQ(params.PaletteRGBADD[4], 0);
    SetInkColor(state, params, 3, {1, 2, 3}); // RGB has three inks
    EXPECT_NE(state.Palette.Inks[3], (InkColor{1, 2, 3}));

    params.ColorSchema = Initial;
    state.Inks.PaletteValid = true;
    SetInkColor(state, params, 0, {1, 2, 3});
    EXPECT_TRUE(state.Inks.PaletteValid) << "nothing to choose with the source's colours";
}

TEST_F(PaletteFixture, HistogramIsKeptOnlyWhileTheDialogIsUp)
{
    MakeSample(state, 32, 8, FourBands);
    Derive(Custom, 3);
    EXPECT_FALSE(state.Palette.Histogram);

    state.DialogUp = true;
    Derive(Custom, 3);
    ASSERT_TRUE(state.Palette.Histogram);
    // A schema round trip through "Monotone" must bring the custom inks back.
    const InkColor custom = state.Palette.Inks[0];
    params.ColorSchema = Monotone;
    MarkPaletteStale(state);
    DerivePalette(state, params);
    params.ColorSchema = Custom;
    MarkPaletteStale(state);
    state.Inks.InkCount = 3;
    DerivePalette(state, params);
    EXPECT_EQ(state.Palette.Inks[0], custom);
    EXPECT_TRUE(state.Palette.Histogram);
}

TEST_F(PaletteFixture, MissingSampleGivesOneBlackInkUntilASampleArrives)
{
    Derive(Custom, 3);
    EXPECT_EQ(state.Inks.InkCount, 1);
    EXPECT_EQ(state.Palette.Inks[0], (InkColor{0, 0, 0}));
    EXPECT_TRUE(state.Inks.NeedNewHistogram);
}

// A sample of 40000 colours (more than the table holds) over a gradient; the
// recorded palette proves every build extracts the same inks.
InkColor ManyColours(int x, int y)
{
    uint32_t v = uint32_t(y * 200 + x) * 2654435761u;
    return {uint8_t(x + (v >> 29)), uint8_t(y + ((v >> 26) & 7)), uint8_t((x * y) >> 3 ^ (v >> 24))};
}

TEST_F(PaletteFixture, ExtractionOfACoarsenedSampleIsReproducible)
{
    MakeSample(state, 200, 200, ManyColours);
    Derive(Custom, 4);
    EXPECT_EQ(state.Palette.HistogramMax, 63) << "the sample is coarsened twice";
    ASSERT_EQ(state.Inks.InkCount, 4);
    const InkColor first[4] = {state.Palette.Inks[0], state.Palette.Inks[1], state.Palette.Inks[2],
                               state.Palette.Inks[3]};
    Derive(Custom, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(state.Palette.Inks[i], first[i]) << i;
    const InkColor recorded[4] = {{24, 53, 93}, {53, 125, 28}, {154, 125, 28}, {125, 150, 158}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(state.Palette.Inks[i], recorded[i])
            << i << ": " << int(first[i].R) << "," << int(first[i].G) << "," << int(first[i].B);
}

TEST(ColorHistogram, ListsBucketsInOrderAndChainsNewestFirst)
{
    ColorHistogram histogram;
    ASSERT_TRUE(histogram.Allocate());
    // Black and (1, 139, 0) share bucket 3984; (10, 20, 30) is in bucket 2803.
    EXPECT_TRUE(histogram.Add(0, 0, 0));
    EXPECT_TRUE(histogram.Add(10, 20, 30));
    EXPECT_TRUE(histogram.Add(10, 20, 30));
    EXPECT_TRUE(histogram.Add(1, 139, 0));
    const std::vector<HistogramEntry> list = histogram.List();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].R, 10);
    EXPECT_EQ(list[0].Count, 2u);
    EXPECT_EQ(list[1].G, 139);
    EXPECT_EQ(list[2].R, 0);
}

TEST(ColorHistogram, HoldsAtMost32767Colours)
{
    ColorHistogram histogram;
    ASSERT_TRUE(histogram.Allocate());
    for (int i = 0; i < ColorHistogram::Capacity; ++i)
        ASSERT_TRUE(histogram.Add(uint8_t(i), uint8_t(i >> 8), 0)) << i;
    EXPECT_FALSE(histogram.Add(255, 255, 255));
    EXPECT_TRUE(histogram.Add(3, 0, 0)) << "known colours still count";
    EXPECT_EQ(histogram.Size(), ColorHistogram::Capacity);
}

} // namespace
} // namespace vel
