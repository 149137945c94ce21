#include "engine/PixelTransfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vel {
namespace {

// A host image over vectors held by the test.
struct FakeDocument {
    FakeDocument(int mode, int depth, int planes, int width, int height)
        : input(size_t(width) * height * planes * (depth / 8)), output(input.size(), 0xEE)
    {
        image.Mode = mode;
        image.Depth = depth;
        image.Planes = planes;
        image.FilterWidth = image.OutWidth = width;
        image.FilterHeight = image.OutHeight = height;
        image.Input = {input.data(), int32_t(width * planes * (depth / 8))};
        image.Output = {output.data(), image.Input.RowBytes};
    }
    void SetWide(size_t index, uint16_t v) { std::memcpy(&input[2 * index], &v, 2); }
    uint16_t OutWide(size_t index) const
    {
        uint16_t v;
        std::memcpy(&v, &output[2 * index], 2);
        return v;
    }

    std::vector<uint8_t> input;
    std::vector<uint8_t> output;
    HostImage image;
};

// Records how it was called; converts CMYK by plain inversion of the black.
struct CountingConverter : ColorConverter {
    std::vector<int> Counts;
    bool CmykToRgb8(uint8_t* r, int16_t count) override
    {
        Counts.push_back(count);
        for (int i = 0; i < count; ++i) {
            const uint8_t k = r[4 * i + 3];
            r[4 * i + 1] = r[4 * i + 2] = r[4 * i + 3] = uint8_t(255 - k);
        }
        return true;
    }
    bool CmykToRgb16(uint16_t* r, int16_t count) override
    {
        Counts.push_back(count);
        for (int i = 0; i < count; ++i)
            r[4 * i + 1] = r[4 * i + 2] = r[4 * i + 3] = uint16_t(32768 - r[4 * i + 3]);
        return true;
    }
    bool RgbToCmyk8(uint8_t* r, int16_t count) override
    {
        Counts.push_back(count);
        for (int i = 0; i < count; ++i) {
            const uint8_t red = r[4 * i + 1];
            r[4 * i + 0] = r[4 * i + 1] = r[4 * i + 2] = 0;
            r[4 * i + 3] = uint8_t(255 - red);
        }
        return true;
    }
};

RenderState StateFor(int width, int height)
{
    RenderState state;
    state.WorkWidth = width;
    state.WorkHeight = height;
    EXPECT_TRUE(state.FullSource.Allocate(width, height, 4));
    EXPECT_TRUE(state.SourcePlane.Allocate(width, height, 4));
    EXPECT_TRUE(state.OutputPlane.Allocate(width, height, 4));
    return state;
}

TEST(PixelTransfer, SixteenBitSamplesReduceToEightBits)
{
    struct Case {
        uint16_t Sample;
        uint8_t Expected;
    };
    const Case cases[] = {{32768, 255}, {32767, 255}, {128, 1}, {127, 0}, {0, 0}, {65535, 255}};
    FakeDocument doc(int(ImageMode::Rgb48), 16, 4, int(std::size(cases)), 1);
    for (size_t i = 0; i < std::size(cases); ++i)
        for (int c = 0; c < 4; ++c)
            doc.SetWide(i * 4 + size_t(c), cases[i].Sample);
    RenderState state = StateFor(doc.image.OutWidth, 1);
    ReadFullSource(state, doc.image, nullptr);
    for (size_t i = 0; i < std::size(cases); ++i)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(state.FullSource.Row(0)[4 * i + size_t(c)], cases[i].Expected) << cases[i].Sample;
}

TEST(PixelTransfer, FlatRgbReadsOpaqueAndTransparencyFromTheFourthPlane)
{
    FakeDocument flat(int(ImageMode::Rgb), 8, 3, 2, 1);
    flat.input = {10, 20, 30, 40, 50, 60};
    RenderState state = StateFor(2, 1);
    FillSourcePlane(state, flat.image, nullptr);
    const uint8_t* p = state.SourcePlane.Row(0);
    EXPECT_EQ(std::vector<uint8_t>(p, p + 8), (std::vector<uint8_t>{10, 20, 30, 255, 40, 50, 60, 255}));

    FakeDocument layered(int(ImageMode::Rgb), 8, 4, 1, 1);
    layered.input = {1, 2, 3, 77};
    FillSourcePlane(state, layered.image, nullptr);
    EXPECT_EQ(state.SourcePlane.Row(0)[3], 77);
}

TEST(PixelTransfer, DialogSamplesTheTargetLayerAtThePreviewScaleAndScroll)
{
    // A 40 × 3 planar layer: red = column, green = row, blue = 9, alpha = 200.
    const int width = 40, height = 3;
    std::vector<uint8_t> planes(size_t(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = size_t(y) * width + size_t(x);
            planes[at] = uint8_t(x);
            planes[size_t(width) * height + at] = uint8_t(y);
            planes[2 * size_t(width) * height + at] = 9;
            planes[3 * size_t(width) * height + at] = 200;
        }
    FakeDocument doc(int(ImageMode::Rgb), 8, 4, 4, 2); // the host's reduced area
    doc.image.TargetLayer = {planes.data(), width, height, 8, 4, width, size_t(width) * height};
    RenderState state = StateFor(4, 2);
    state.DialogUp = true;
    state.PreviewScale = 2;
    state.WorkOffsetX = 10;
    FillSourcePlane(state, doc.image, nullptr);
    const uint8_t* row0 = state.SourcePlane.Row(0);
    EXPECT_EQ(row0[0], 20); // working column 0 reads layer column (0 + 10) × 2
    EXPECT_EQ(row0[4], 22);
    EXPECT_EQ(row0[3], 200);
    EXPECT_EQ(state.SourcePlane.Row(1)[1], 2); // row 1 × 2 = 2
    EXPECT_EQ(row0[2], 9);

    // Past the layer's end: the last column.
    state.WorkOffsetX = 30;
    FillSourcePlane(state, doc.image, nullptr);
    EXPECT_EQ(state.SourcePlane.Row(0)[4 * 3], 39);

    // Without the dialog the host's buffer is read, as for the final render.
    state.DialogUp = false;
    FillSourcePlane(state, doc.image, nullptr);
    EXPECT_EQ(state.SourcePlane.Row(0)[0], 0);

    // A CMYK layer goes through the host's converter.
    std::vector<uint8_t> cmyk(size_t(width) * height * 4, 0);
    std::fill(cmyk.begin() + 3 * ptrdiff_t(width) * height, cmyk.end(), 55);
    FakeDocument print(int(ImageMode::Cmyk), 8, 4, 4, 2);
    print.image.TargetLayer = {cmyk.data(), width, height, 8, 4, width, size_t(width) * height};
    CountingConverter converter;
    state.DialogUp = true;
    FillSourcePlane(state, print.image, &converter);
    EXPECT_FALSE(converter.Counts.empty());
    EXPECT_EQ(state.SourcePlane.Row(0)[0], 200);
    EXPECT_EQ(state.SourcePlane.Row(0)[3], 255);
}

TEST(PixelTransfer, WriteBackDarkensByAlphaOnlyWithoutATransparencyPlane)
{
    RenderState state = StateFor(2, 1);
    const uint8_t pixels[8] = {200, 100, 50, 128, 200, 100, 50, 255};
    std::memcpy(state.OutputPlane.Row(0), pixels, 8);

    FakeDocument flat(int(ImageMode::Rgb), 8, 3, 2, 1);
    WriteBackOutput(state, flat.image, nullptr);
    EXPECT_EQ(flat.output, (std::vector<uint8_t>{100, 50, 25, 200, 100, 50}));

    FakeDocument layered(int(ImageMode::Rgb), 8, 4, 2, 1);
    WriteBackOutput(state, layered.image, nullptr);
    EXPECT_EQ(layered.output, std::vector<uint8_t>(pixels, pixels + 8));

    FakeDocument wide(int(ImageMode::Rgb48), 16, 3, 2, 1);
    WriteBackOutput(state, wide.image, nullptr);
    EXPECT_EQ(wide.OutWide(0), 12850); // 100 in the 0..32768 range
    EXPECT_EQ(wide.OutWide(3), 25700);
}

TEST(PixelTransfer, CmykWithoutConverterUsesTheFormula)
{
    // Host CMYK samples count ink inversely: 255 is no ink.
    struct Case {
        uint8_t C, M, Y, K;
        uint8_t R, G, B;
    };
    const Case cases[] = {
        {255, 255, 255, 255, 255, 255, 255}, // paper white
        {255, 255, 255, 0, 155, 155, 155},   // full black: Kp = 100
        {0, 0, 0, 0, 0, 0, 0},               // every ink: clamped at 0
        {0, 255, 127, 255, 85, 255, 170},    // Cp = 170; Yp = trunc(128 / 1.5) = 85
    };
    FakeDocument doc(int(ImageMode::Cmyk), 8, 5, int(std::size(cases)), 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const uint8_t px[5] = {c.C, c.M, c.Y, c.K, 200};
        std::memcpy(&doc.input[i * 5], px, 5);
    }
    RenderState state = StateFor(doc.image.OutWidth, 1);
    ReadFullSource(state, doc.image, nullptr);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const uint8_t* p = state.FullSource.Row(0) + 4 * i;
        EXPECT_EQ(std::vector<uint8_t>(p, p + 4), (std::vector<uint8_t>{cases[i].R, cases[i].G, cases[i].B, 200}))
            << i;
    }
}

TEST(PixelTransfer, LongCmykRowsConvertInChunksOfAtMost32767)
{
    const int width = 40000;
    FakeDocument doc(int(ImageMode::Cmyk), 8, 4, width, 1);
    for (int x = 0; x < width; ++x)
        doc.input[size_t(x) * 4 + 3] = uint8_t(x);
    RenderState state = StateFor(width, 1);
    CountingConverter converter;
    FillSourcePlane(state, doc.image, &converter);
    EXPECT_EQ(converter.Counts, (std::vector<int>{32767, 7233}));
    EXPECT_EQ(state.SourcePlane.Row(0)[4 * 39999], uint8_t(255 - uint8_t(39999)));

    converter.Counts.clear();
    std::memcpy(state.OutputPlane.Data(), state.SourcePlane.Data(), state.SourcePlane.Bytes());
    WriteBackOutput(state, doc.image, &converter);
    EXPECT_EQ(converter.Counts, (std::vector<int>{32767, 7233}));
    EXPECT_EQ(doc.output[size_t(39999) * 4 + 3], uint8_t(39999));
}

// A CMYK document in a host without a colour-space conversion gets the
// engraving back through the inverse of the formula that read its source:
// every colour the formula reaches reads back exactly, and the host's image
// changes (it used to keep the source while success was reported).
TEST(PixelTransfer, CmykOutputWithoutConverterInvertsTheReadingFormula)
{
    int reachable = 0;
    for (int value = 0; value < (1 << 24); value += 4099) {
        const uint8_t rgb[3] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16)};
        uint8_t cmyk[4];
        RgbToCmykFormula(rgb, cmyk);
        uint8_t back[3];
        CmykToRgbFormula(cmyk, back);
        // The formula's gamut: no channel more than 170 below the lightest.
        const int lightest = std::max({rgb[0], rgb[1], rgb[2]});
        if (std::min({rgb[0], rgb[1], rgb[2]}) + 170 >= lightest || lightest <= 155) {
            ++reachable;
            EXPECT_EQ(std::vector<uint8_t>(back, back + 3), std::vector<uint8_t>(rgb, rgb + 3)) << value;
        }
    }
    EXPECT_GT(reachable, 3000);

    RenderState state = StateFor(2, 1);
    const uint8_t engraved[8] = {200, 120, 40, 255, 10, 10, 10, 255};
    std::memcpy(state.OutputPlane.Data(), engraved, sizeof engraved);
    state.WorkWidth = 2;
    FakeDocument doc(int(ImageMode::Cmyk), 8, 4, 2, 1);
    WriteBackOutput(state, doc.image, nullptr);
    for (int x = 0; x < 2; ++x) {
        uint8_t rgb[3];
        CmykToRgbFormula(&doc.output[size_t(x) * 4], rgb);
        EXPECT_EQ(std::vector<uint8_t>(rgb, rgb + 3),
                  std::vector<uint8_t>(engraved + 4 * x, engraved + 4 * x + 3));
    }
}

TEST(PixelTransfer, PassThroughCopiesOrShowsCmykAsRgbInTheDialog)
{
    FakeDocument doc(int(ImageMode::Cmyk), 8, 5, 2, 2);
    for (size_t i = 0; i < doc.input.size(); ++i)
        doc.input[i] = uint8_t(i * 7);
    RenderState state;
    PassThrough(state, doc.image, nullptr);
    EXPECT_EQ(doc.output, doc.input);

    state.DialogUp = true;
    CountingConverter converter;
    PassThrough(state, doc.image, &converter);
    EXPECT_EQ(doc.output[0], uint8_t(255 - doc.input[3]));
    EXPECT_EQ(doc.output[4], doc.input[4]); // the fifth plane is copied
}

} // namespace
} // namespace vel
