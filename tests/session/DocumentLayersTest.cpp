#include "FakeHost.h"

#include "session/DocumentLayers.h"

#include <gtest/gtest.h>

namespace vel::test {
namespace {

constexpr int Width = 6;
constexpr int Height = 4;

std::vector<uint8_t> Flat(uint8_t value)
{
    return std::vector<uint8_t>(Width * Height, value);
}

FakeLayer Layer(const std::string& name, std::vector<uint8_t> colors, bool visible = true)
{
    FakeLayer layer;
    layer.Name = name;
    layer.Visible = visible;
    for (uint8_t c : colors)
        layer.Channels.push_back(Flat(c));
    return layer;
}

uint32_t Sample(PixelBuffer& buffer, int plane, int x, int y)
{
    return buffer.PlaneData(plane)[size_t(y) * size_t(buffer.Width()) + size_t(x)];
}

// Bottom to top: an opaque background, a hidden layer, a half-transparent
// layer, the target (transparent on its left half) and a layer above it.
std::vector<FakeLayer> Stack()
{
    FakeLayer half = Layer("Half", {0, 120, 130});
    half.Transparency = Flat(128);
    FakeLayer target = Layer("Target", {1, 2, 3});
    target.Transparency = Flat(200);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width / 2; ++x)
            target.Transparency[size_t(y * Width + x)] = 0;
    return {Layer("Background", {10, 20, 30}), Layer("Hidden", {200, 200, 200}, false), half, target,
            Layer("Above", {99, 99, 99})};
}

class DocumentLayers : public testing::Test {
  protected:
    DocumentLayers() : DocumentLayers(HostOptions{}) {}
    explicit DocumentLayers(HostOptions options)
        : host(plugInModeRGBColor, FakeImage(Width, Height, 4), options)
    {
        host.SetLayers(Stack(), 3);
    }

    int16_t Read()
    {
        int16_t result = noErr;
        ReadTargetLayer(host.Record(), buffers, result);
        return result;
    }

    FakeHost host;
    DocumentBuffers buffers;
};

TEST_F(DocumentLayers, CompositesTheVisibleLayersBelowTheTarget)
{
    ASSERT_EQ(Read(), noErr);
    PixelBuffer& below = buffers.LayersBelow;
    ASSERT_TRUE(below);
    EXPECT_EQ(below.ChannelCount, 4);
    EXPECT_EQ(below.Width(), Width);
    // Background copied, then "Half" blended with weight 128 (truncating toward zero).
    EXPECT_EQ(Sample(below, 0, 2, 1), 5u);  // 10 + (0 - 10) × 128 / 255
    EXPECT_EQ(Sample(below, 1, 2, 1), 70u); // 20 + (120 - 20) × 128 / 255
    EXPECT_EQ(Sample(below, 2, 5, 3), 80u);
    EXPECT_EQ(Sample(below, 3, 0, 0), 255u);
    EXPECT_EQ(host.SuiteChannelReads(), 3 + 3 + 1 + 3 + 1);
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(host.LiveActionDescriptors(), 0);
}

TEST_F(DocumentLayers, TargetLayerCarriesItsTransparency)
{
    ASSERT_EQ(Read(), noErr);
    PixelBuffer& target = buffers.TargetLayerPixels;
    ASSERT_TRUE(target);
    EXPECT_EQ(Sample(target, 0, 0, 0), 1u);
    EXPECT_EQ(Sample(target, 2, 5, 3), 3u);
    EXPECT_EQ(Sample(target, 3, 0, 0), 0u);
    EXPECT_EQ(Sample(target, 3, 5, 0), 200u);
}

TEST_F(DocumentLayers, TargetWithoutTransparencyIsOpaque)
{
    std::vector<FakeLayer> layers = Stack();
    layers[3].Transparency.clear();
    host.SetLayers(layers, 3);
    ASSERT_EQ(Read(), noErr);
    EXPECT_EQ(Sample(buffers.TargetLayerPixels, 3, 0, 0), 255u);
    EXPECT_EQ(Sample(buffers.TargetLayerPixels, 3, 5, 3), 255u);
}

TEST_F(DocumentLayers, UnreadableChannelsDiscardTheBackdrop)
{
    host.ChannelsReadable = false;
    EXPECT_EQ(Read(), errPlugInHostInsufficient);
    EXPECT_FALSE(buffers.LayersBelow);
    EXPECT_EQ(host.SuiteChannelReads(), 0);
}

TEST_F(DocumentLayers, WithoutLayerNamesTheBackdropStaysTransparentBlack)
{
    FakeHost bare(plugInModeRGBColor, FakeImage(Width, Height, 4), {.ActionSuites = false});
    bare.SetLayers(Stack(), 3);
    int16_t result = noErr;
    ReadTargetLayer(bare.Record(), buffers, result);
    EXPECT_EQ(result, noErr);
    ASSERT_TRUE(buffers.LayersBelow);
    EXPECT_FALSE(buffers.TargetLayerPixels);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(Sample(buffers.LayersBelow, k, 3, 2), 0u);
}

class DocumentLayersWithoutPortSuite : public DocumentLayers {
  protected:
    DocumentLayersWithoutPortSuite() : DocumentLayers(HostOptions{.ChannelPortsSuite = false}) {}
};

TEST_F(DocumentLayersWithoutPortSuite, ReadsThroughTheRecordsChannelPorts)
{
    ASSERT_EQ(Read(), noErr);
    EXPECT_EQ(host.SuiteChannelReads(), 0);
    EXPECT_EQ(host.RecordChannelReads(), 11);
    EXPECT_EQ(Sample(buffers.LayersBelow, 1, 0, 0), 70u);
}

TEST(DocumentLayersCmyk, BlackFillsTheBackdropAndTransparencyLeavesBlackAlone)
{
    FakeHost host(plugInModeCMYKColor, FakeImage(Width, Height, 5));
    FakeLayer target = Layer("Ink", {11, 22, 33, 44});
    target.Transparency = Flat(90);
    host.SetLayers({target}, 0);
    DocumentBuffers buffers;
    int16_t result = noErr;
    ReadTargetLayer(host.Record(), buffers, result);
    ASSERT_EQ(result, noErr);
    EXPECT_EQ(buffers.LayersBelow.ChannelCount, 4);
    const uint32_t black[4] = {255, 255, 255, 0}; // the host's CMYK for RGB black
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(Sample(buffers.LayersBelow, k, 1, 1), black[k]);
    EXPECT_EQ(Sample(buffers.TargetLayerPixels, 3, 1, 1), 44u);
}

TEST(DocumentLayersFlat, WithoutDocumentInformationThePlanesCount)
{
    FakeHost host(plugInModeRGBColor, FakeImage(Width, Height, 3));
    DocumentBuffers buffers;
    int16_t result = noErr;
    ReadTargetLayer(host.Record(), buffers, result);
    EXPECT_EQ(result, noErr);
    EXPECT_EQ(buffers.LayersBelow.ChannelCount, 3);
}

// ---------------------------------------------------------------------------
// The preview backdrop.

PixelBuffer Below(int channels, const std::vector<uint8_t>& values)
{
    PixelBuffer buffer;
    buffer.Create(plugInModeRGBColor, 8, 0, 0, 30, 40, channels);
    for (int k = 0; k < channels; ++k)
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                buffer.PlaneData(k)[y * 40 + x] = values[size_t(k)] == 0xFF ? uint8_t(x) : values[size_t(k)];
    return buffer;
}

RenderState Preview(int width, int height, float scale, int offsetX, int offsetY)
{
    RenderState state;
    state.WorkWidth = width;
    state.WorkHeight = height;
    state.PreviewScale = scale;
    state.WorkOffsetX = offsetX;
    state.WorkOffsetY = offsetY;
    return state;
}

TEST(PreviewBackdrop, SamplesAtThePreviewScaleAndScroll)
{
    DocumentBuffers buffers;
    buffers.LayersBelow = Below(3, {0xFF, 7, 9}); // red = the source column
    BuildPreviewBackdrop(Preview(30, 2, 2.0f, 10, 0), buffers);
    const Plane<uint8_t>& backdrop = buffers.PreviewBackdrop;
    ASSERT_TRUE(backdrop);
    EXPECT_EQ(backdrop.Row(0)[0], 20);
    EXPECT_EQ(backdrop.Row(0)[1], 7);
    EXPECT_EQ(backdrop.Row(0)[2], 9);
    EXPECT_EQ(backdrop.Row(1)[3 * 4], 28);
    EXPECT_EQ(backdrop.Row(1)[3 * 29], 39) << "clamped to the last column";
}

TEST(PreviewBackdrop, TransparencyShowsTheCheckerboard)
{
    DocumentBuffers buffers;
    buffers.LayersBelow = Below(4, {100, 100, 100, 0});
    BuildPreviewBackdrop(Preview(16, 1, 1.0f, 0, 0), buffers);
    EXPECT_EQ(buffers.PreviewBackdrop.Row(0)[0], 204);      // column block 0, row block 0: equal parities
    EXPECT_EQ(buffers.PreviewBackdrop.Row(0)[3 * 7], 255);  // column block 1
    EXPECT_EQ(buffers.PreviewBackdrop.Row(0)[3 * 14], 204); // column block 2

    buffers.LayersBelow = Below(4, {100, 100, 100, 128});
    BuildPreviewBackdrop(Preview(1, 1, 1.0f, 0, 0), buffers);
    const float a = 128.0f / 255.0f;
    EXPECT_EQ(buffers.PreviewBackdrop.Row(0)[0], uint8_t(int(100.0f * a + 204.0f * (1.0f - a))));
}

TEST(PreviewBackdrop, FewChannelsSpreadOverRedGreenBlue)
{
    DocumentBuffers buffers;
    buffers.LayersBelow = Below(1, {50});
    BuildPreviewBackdrop(Preview(1, 1, 1.0f, 0, 0), buffers);
    EXPECT_EQ(buffers.PreviewBackdrop.Row(0)[2], 50);
    buffers.LayersBelow = Below(2, {50, 60});
    BuildPreviewBackdrop(Preview(1, 1, 1.0f, 0, 0), buffers);
    EXPECT_EQ(buffers.PreviewBackdrop.Row(0)[0], 50);
    EXPECT_EQ(buffers.PreviewBackdrop.Row(0)[2], 60);

    buffers.LayersBelow.Storage.Release();
    BuildPreviewBackdrop(Preview(1, 1, 1.0f, 0, 0), buffers);
    EXPECT_TRUE(buffers.PreviewBackdrop) << "no layers below: the backdrop is kept as it was";
}

} // namespace
} // namespace vel::test
