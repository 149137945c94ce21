#include "FakeHost.h"

#include "session/FilterRecordHost.h"
#include "session/ImageRequests.h"

#include <gtest/gtest.h>

#include <vector>

namespace vel::test {
namespace {

TEST(FilterRecordHost, DescribesTheDocumentAndTheDeliveredBuffers)
{
    FakeHost host(plugInModeRGB48, FakeImage::Gradient(10, 8, 4, 16));
    host.Record().depth = 0;
    AnnounceBigDocument(host.Record());
    host.SetFilterRect({1, 2, 7, 9});
    FilterRecordHost render(host.Record());
    ASSERT_EQ(render.RequestWholeImage(), noErr);

    const HostImage image = render.Describe();
    EXPECT_EQ(image.Mode, plugInModeRGB48);
    EXPECT_EQ(image.Depth, 8) << "a host's 0 is taken as 8";
    EXPECT_EQ(image.Planes, 4);
    EXPECT_EQ(image.FilterWidth, 7);
    EXPECT_EQ(image.FilterHeight, 6);
    EXPECT_EQ(image.OutWidth, 7);
    EXPECT_EQ(image.OutHeight, 6);
    EXPECT_EQ(image.Input.Data, host.Record().inData);
    EXPECT_EQ(image.Input.RowBytes, 7 * 4 * 2);
    EXPECT_EQ(image.Output.Data, host.Record().outData);
}

TEST(FilterRecordHost, WholeImageRequestPadsWithWhite)
{
    FakeHost host(plugInModeRGBColor, FakeImage(4, 4, 3));
    FilterRecordHost render(host.Record());
    host.AdvanceResult = userCanceledErr;
    EXPECT_EQ(render.RequestWholeImage(), userCanceledErr);
    const AdvanceCall& call = host.AdvanceCalls().back();
    EXPECT_EQ(call.InputPadding, 255);
    EXPECT_EQ(call.OutputPadding, 255);
    EXPECT_EQ(call.MaskPadding, 255);
    EXPECT_EQ(call.InputRate, 0x10000);
    EXPECT_EQ(call.In.bottom, 4);

    host.Record().advanceState = nullptr;
    EXPECT_EQ(render.RequestWholeImage(), errPlugInHostInsufficient);
}

TEST(FilterRecordHost, PreviewAreaIsSampledAtTheTruncatedScale)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(40, 40, 3));
    AnnounceBigDocument(host.Record());
    ASSERT_EQ(RequestPreviewArea(host.Record(), {0, 5, 10, 15}, 2.7f), noErr);
    const AdvanceCall& call = host.AdvanceCalls().back();
    EXPECT_EQ(call.InputRate, 176947); // trunc(2.7f × 65536)
    EXPECT_EQ(call.MaskRate, 176947);
    EXPECT_EQ(call.InputPadding, 255);
    EXPECT_EQ(call.In.left, 5);
    // The fake host samples whole pixels: a rate rounding to 3 reads column 5 × 3.
    EXPECT_EQ(static_cast<const uint8_t*>(host.Record().inData)[0], host.Source().Get(15, 0, 0));
}

TEST(FilterRecordHost, ContinueStopsEveryPendingRequest)
{
    FakeHost host(plugInModeRGBColor, FakeImage(4, 4, 3));
    FilterRecord& record = host.Record();
    AnnounceBigDocument(record);
    record.inRect = {0, 0, 4, 4};
    SetRequestRects(record, {0, 0, 4, 4});
    EXPECT_TRUE(RequestsPending(record));
    ClearRequestRects(record);
    EXPECT_FALSE(RequestsPending(record));
    EXPECT_EQ(record.inRect.right, 0);
}

TEST(FilterRecordHost, SixteenBitFieldsCannotOverflow)
{
    FakeHost host(plugInModeRGBColor, FakeImage(4, 4, 3), {.BigDocument = false});
    SetRequestRects(host.Record(), {0, 0, 40000, 70000});
    EXPECT_EQ(host.Record().outRect.right, 32767);
    EXPECT_EQ(host.Record().outRect.bottom, 32767);
}

TEST(FilterRecordHost, ConvertsThroughTheColorSpaceSuite)
{
    FakeHost host(plugInModeCMYKColor, FakeImage(2, 2, 4));
    {
        FilterRecordHost render(host.Record());
        ColorConverter* converter = render.Converter();
        ASSERT_NE(converter, nullptr);
        EXPECT_EQ(render.Converter(), converter) << "acquired once";

        uint8_t records[8] = {255, 255, 255, 255, 255, 0, 255, 128};
        ASSERT_TRUE(converter->CmykToRgb8(records, 2));
        EXPECT_EQ(records[1], 255);
        EXPECT_EQ(records[6], 0);
        EXPECT_EQ(records[7], 128);
        ASSERT_TRUE(converter->RgbToCmyk8(records, 2));
        EXPECT_EQ(records[3], 255);

        uint16_t wide[4] = {32768, 32768, 32768, 16384};
        ASSERT_TRUE(converter->CmykToRgb16(wide, 1));
        EXPECT_EQ(wide[1], 16448); // half ink, back on the 0..32768 scale
        EXPECT_FALSE(converter->CmykToRgb8(records, -1));
        EXPECT_EQ(host.ConvertCounts(), (std::vector<int>{2, 2, 1}));
        EXPECT_EQ(host.OutstandingSuites(), 1);
    }
    EXPECT_EQ(host.OutstandingSuites(), 0) << "released with the render host";

    FakeHost plain(plugInModeCMYKColor, FakeImage(2, 2, 4), {.ColorSpaceSuite = false});
    FilterRecordHost render(plain.Record());
    EXPECT_EQ(render.Converter(), nullptr);
    FakeHost noBasic(plugInModeCMYKColor, FakeImage(2, 2, 4), {.BasicSuite = false});
    EXPECT_EQ(FilterRecordHost(noBasic.Record()).Converter(), nullptr);
}

TEST(FilterRecordHost, ProgressGoesToTheHost)
{
    FakeHost host(plugInModeRGBColor, FakeImage(2, 2, 3));
    FilterRecordHost render(host.Record());
    render.Progress(1, 2);
    host.Record().progressProc = nullptr;
    render.Progress(2, 2);
    EXPECT_EQ(host.ProgressCalls(), 1);
}

} // namespace
} // namespace vel::test
