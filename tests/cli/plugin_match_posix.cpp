// A JPEG on a textured paper at a scale that leaves the tiled transparency
// below 255 here and there: the tool must write an opaque picture equal to
// what the plug-in writes on the same flattened RGB document.

#include "Engrave.h"
#include "engine/RenderDriver.h"
#include "params/FieldTable.h"
#include "platform/Folders.h"
#include "session/FakeHost.h"
#include "session/SessionState.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <vips/vips8>

#include <filesystem>

namespace vel {
namespace {

using vips::VImage;

TEST(ToolMatchesPlugin, JpegOnTextureAtScale70)
{
    ASSERT_EQ(VIPS_INIT("test"), 0);
    constexpr int Width = 61;
    constexpr int Height = 47;
    test::TempFolder folder;

    // The plug-in finds its papers beside its module, here the test program.
    const std::string papers = ComputeDataFolders().PapersFolder;
    std::filesystem::create_directories(papers);
    const std::string textureName = "match-texture.png";
    const VImage texture = VImage::xyz(23, 19).extract_band(0).bandjoin(VImage::xyz(23, 19).extract_band(1));
    ((texture[0] * 9 + texture[1] * 5) % 256)
        .bandjoin((texture[0] * 3) % 256)
        .bandjoin((texture[1] * 11) % 256)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
        .write_to_file((papers + textureName).c_str());

    const std::string jpeg = folder.Path() + "photo.jpg";
    const VImage xy = VImage::xyz(Width, Height);
    ((xy[0] * 4) % 256)
        .bandjoin((xy[1] * 5) % 256)
        .bandjoin(((xy[0] + xy[1]) * 3) % 256)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
        .jpegsave(jpeg.c_str());

    // The tool.
    const std::string out = folder.Path() + "tool.png";
    const std::string data = papers.substr(0, papers.size() - std::string("Papers/").size());
    EngraveOptions options;
    ASSERT_EQ(
        ParseEngraveArguments({jpeg, out, "--quiet", "--data", data, "--set", "PaperName=" + textureName,
                               "--set", "PaperScale=70", "--set", "PaperSchema=0"},
                              options),
        "");
    ASSERT_EQ(RunEngrave(options), 0);
    const VImage tool = VImage::new_from_file(out.c_str());
    ASSERT_EQ(tool.bands(), 3) << "an opaque JPEG gives an opaque picture";

    // The plug-in on the flattened document of the same decoded pixels.
    const VImage decoded = VImage::new_from_file(jpeg.c_str());
    size_t size = 0;
    void* bytes = decoded.write_to_memory(&size);
    test::FakeImage document(Width, Height, 3);
    std::memcpy(document.Bytes.data(), bytes, size);
    g_free(bytes);

    test::FakeDescriptor recording;
    LayerIndex layer = LayerIndex::One;
    recording.PutString(DescriptorKey(*FindField("PaperName", &layer), layer), textureName);
    recording.PutFloat(DescriptorKey(*FindField("PaperScale", &layer), layer), 70.0);
    recording.PutInteger(DescriptorKey(*FindField("PaperSchema", &layer), layer), 0);
    PluginSession session;
    session.RenderImage = RenderForHost;
    test::FakeHost host(plugInModeRGBColor, document);
    host.SetDescriptor(recording, plugInDialogDontDisplay);
    ASSERT_EQ(host.Run([&session](int16_t selector, void* record, intptr_t* slot,
                                  int16_t* result) { PluginEntry(session, selector, record, slot, result); },
                       test::Invocation::Menu),
              noErr);
    std::filesystem::remove(papers + textureName);

    size = 0;
    bytes = tool.write_to_memory(&size);
    const std::vector<uint8_t> toolPixels(static_cast<uint8_t*>(bytes), static_cast<uint8_t*>(bytes) + size);
    g_free(bytes);
    EXPECT_EQ(toolPixels, host.Output().Bytes);
    EXPECT_NE(host.Output(), host.Source());
}

} // namespace
} // namespace vel
