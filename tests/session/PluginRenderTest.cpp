// The session with the real render driver behind Start, as the module runs
// it: what a host sees of a render without the dialog.

#include "SessionFixture.h"
#include "engine/PixelTransfer.h"
#include "engine/RenderDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vel::test {
namespace {

class PluginRender : public testing::Test {
  protected:
    void SetUp() override { plugin.Session.RenderImage = RenderForHost; }

    SessionFixture plugin;
};

TEST_F(PluginRender, ProgressReachesTheHostWithoutTheDialog)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(160, 120, 3));
    host.SetDescriptor(FakeDescriptor{}, plugInDialogDontDisplay);
    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);
    ASSERT_NE(host.Output(), host.Source());

    const auto& calls = host.ProgressValues();
    ASSERT_GT(calls.size(), 3u);
    int rises = 0;
    int32_t highest = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_GE(calls[i].first, 0);
        EXPECT_GT(calls[i].second, 0);
        EXPECT_LE(calls[i].first, calls[i].second);
        if (i > 0 && calls[i].second == calls[i - 1].second && calls[i].first > calls[i - 1].first)
            ++rises;
        highest = std::max(highest, calls[i].first);
    }
    EXPECT_GT(rises, 2);
    EXPECT_GT(highest, 10) << "the pattern steps report beyond the preparation";
    EXPECT_EQ(calls.back(), std::make_pair(int32_t(0), int32_t(100)));
}

// Without the colour-space suite the source is read with the built-in
// formula; the engraving comes back through its inverse. (It used to be
// thrown away while the host was told that all went well.)
TEST_F(PluginRender, CmykDocumentWithoutSuitesComesBackEngraved)
{
    HostOptions bare;
    bare.BasicSuite = false;
    bare.ColorSpaceSuite = false;
    bare.ChannelPortsSuite = false;
    bare.ActionSuites = false;
    bare.DescriptorRegistry = false;
    FakeHost host(plugInModeCMYKColor, FakeImage::Gradient(60, 40, 4), bare);
    host.SetDescriptor(FakeDescriptor{}, plugInDialogDontDisplay);
    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);

    const FakeImage& out = host.Output();
    ASSERT_NE(out, host.Source());
    // The white paper between the lines comes back as (almost) no ink.
    int paper = 0;
    for (int y = 0; y < out.Height; ++y)
        for (int x = 0; x < out.Width; ++x) {
            const uint8_t cmyk[4] = {uint8_t(out.Get(x, y, 0)), uint8_t(out.Get(x, y, 1)),
                                     uint8_t(out.Get(x, y, 2)), uint8_t(out.Get(x, y, 3))};
            uint8_t rgb[3];
            CmykToRgbFormula(cmyk, rgb);
            paper += rgb[0] > 240 && rgb[1] > 240 && rgb[2] > 240;
        }
    EXPECT_GT(paper, out.Width * out.Height / 20) << out.Get(0, 0, 0) << " " << out.Get(0, 0, 3);
}

} // namespace
} // namespace vel::test
