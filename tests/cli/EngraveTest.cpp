#include "Engrave.h"
#include "color/ImageLoader.h"
#include "engine/RenderDriver.h"
#include "params/ParameterSettings.h"
#include "params/PresetFile.h"
#include "platform/Folders.h"
#include "support/MemoryHost.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace vel {
namespace {

class EngraveTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::vector<uint8_t> rgb(40 * 30 * 3);
        for (size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = uint8_t((i * 7) % 256);
        test::WriteBmp(folder.Path() + "in.bmp", 40, 30, rgb);
        folder.MakeFolder("data");
    }

    int Run(std::vector<std::string> args)
    {
        args.insert(args.end(), {"--data", folder.Path() + "data", "--quiet"});
        EngraveOptions options;
        const std::string error = ParseEngraveArguments(args, options);
        if (!error.empty())
            return 2;
        return RunEngrave(options);
    }

    std::string ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    test::TempFolder folder;
};

TEST_F(EngraveTest, WritesTheEngravingAndOnlyThat)
{
    const std::string out = folder.Path() + "out.png";
    ASSERT_EQ(Run({folder.Path() + "in.bmp", out, "--set", "Geometry1=Lines"}), 0);
    Plane<uint8_t> picture;
    ASSERT_TRUE(LoadImageRGBA(out, picture));
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(picture.Height(), 30);
    EXPECT_FALSE(FileExists(folder.Path() + ".out.png.partial"));
}

TEST_F(EngraveTest, ManyInputsGoToTheOutputFolder)
{
    folder.MakeFolder("many");
    test::WriteBmp(folder.Path() + "second.bmp", 2, 2, std::vector<uint8_t>(12, 90));
    ASSERT_EQ(Run({folder.Path() + "in.bmp", folder.Path() + "second.bmp", "--out-dir", folder.Path() + "many"}), 0);
    EXPECT_TRUE(FileExists(folder.Path() + "many" + PathSeparator + "in.png"));
    EXPECT_TRUE(FileExists(folder.Path() + "many" + PathSeparator + "second.png"));
}

TEST_F(EngraveTest, BadInputIsRefusedAndNothingIsWritten)
{
    const std::string in = folder.Path() + "in.bmp";
    const std::string out = folder.Path() + "keep.png";
    folder.WriteFile("keep.png", "precious");
    folder.WriteFile("broken.png", "not a picture");
    struct Case {
        const char* Name;
        std::vector<std::string> Args;
        int Status;
    };
    const Case cases[] = {
        {"missing input", {folder.Path() + "nothing.png", out}, 2},
        {"unreadable input", {folder.Path() + "broken.png", out}, 1},
        {"unknown option", {in, out, "--colour"}, 2},
        {"unknown parameter", {in, out, "--set", "Wdth1=3"}, 2},
        {"not a value", {in, out, "--set", "Geometry1=Triangles"}, 2},
        {"setting without value", {in, out, "--set", "Width1"}, 2},
        {"unwritable extension", {in, folder.Path() + "out.gif"}, 2},
        {"missing output folder", {in, folder.Path() + "no" + PathSeparator + "out.png"}, 2},
        {"missing preset", {in, out, "--preset", "No Such Preset"}, 2},
        {"no thread count", {in, out, "--threads", "0"}, 2},
        {"thread count not a number", {in, out, "--threads", "two"}, 2},
        {"wrong argument count", {in}, 2},
    };
    for (const Case& c : cases) {
        test::AlertRecorder quiet;
        EXPECT_EQ(Run(c.Args), c.Status) << c.Name;
        EXPECT_EQ(ReadAll(out), "precious") << c.Name;
    }
}

TEST_F(EngraveTest, PresetsAreFoundByNameInBothTrees)
{
    const std::string sep(1, PathSeparator);
    for (const char* tree : {"Basic", "User"})
        folder.MakeFolder("data" + sep + "Presets" + sep + tree);
    const std::string header = std::string(PresetHeader) + "\n";
    folder.WriteFile("data" + sep + "Presets" + sep + "Basic" + sep + "Etching.vel3pst", header);
    folder.WriteFile("data" + sep + "Presets" + sep + "User" + sep + "Mine.vel3pst", header);

    const std::string in = folder.Path() + "in.bmp";
    const std::string out = folder.Path() + "preset.png";
    for (const char* preset : {"Etching", "Etching.vel3pst", "Mine", "Mine.VEL3PST"})
        EXPECT_EQ(Run({in, out, "--preset", preset}), 0) << preset;
    test::AlertRecorder quiet;
    EXPECT_EQ(Run({in, out, "--preset", "Basic"}), 2) << "a folder is not a preset";
}

TEST_F(EngraveTest, SettingsAcceptNumbersAndDisplayNames)
{
    const std::string in = folder.Path() + "in.bmp";
    for (const char* setting : {"Geometry1=Rings Waves 2", "ColorSchema=cmyk palette", "Width2=30.5",
                                "PaperColor=0x00FF8040", "NInks=9", "PaperName=None"})
        EXPECT_EQ(Run({in, folder.Path() + "ok.png", "--set", setting}), 0) << setting;
}

TEST(EngraveArguments, ThreadsTakeACount)
{
    EngraveOptions options;
    EXPECT_EQ(ParseEngraveArguments({"in.png", "out.png", "--threads", "3"}, options), "");
    EXPECT_EQ(options.Threads, 3);
    EngraveOptions defaults;
    EXPECT_EQ(ParseEngraveArguments({"in.png", "out.png"}, defaults), "");
    EXPECT_EQ(defaults.Threads, 0);
    EXPECT_EQ(ParseEngraveArguments({"in.png", "out.png", "--threads"}, options), "--threads needs a value");
}

TEST_F(EngraveTest, ToolPicturesEqualTheDriversForTheSameParameters)
{
    constexpr int Width = 64, Height = 48;
    const std::vector<uint8_t> rgba = test::TestPicture(Width, Height);
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < rgba.size(); i += 4)
        rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    test::WriteBmp(folder.Path() + "picture.bmp", Width, Height, rgb);
    const std::vector<std::string> settings = {"Geometry1=ZigZag 1", "ColorSchema=RGB palette", "EmbossDepth=30"};

    // The tool renders with three threads, the driver below with the
    // machine's count: the pictures are the same.
    std::vector<std::string> args = {folder.Path() + "picture.bmp", folder.Path() + "tool.png", "--threads",
                                     "3"};
    for (const std::string& setting : settings)
        args.insert(args.end(), {"--set", setting});
    ASSERT_EQ(Run(args), 0);
    Plane<uint8_t> tool;
    ASSERT_TRUE(LoadImageRGBA(folder.Path() + "tool.png", tool));

    ParameterBlock params{};
    ResetWindowGeometry(params);
    for (const std::string& setting : settings)
        ASSERT_EQ(ApplySetting(params, setting), "");
    RenderState state;
    // A picture without transparency is a flattened three-plane document.
    test::MemoryHost host(Width, Height, 3);
    EXPECT_TRUE(RenderImage(state, params, host).Rendered());
    std::vector<uint8_t> toolRgb;
    for (size_t i = 0; i < tool.Bytes(); i += 4)
        toolRgb.insert(toolRgb.end(), {tool.Data()[i], tool.Data()[i + 1], tool.Data()[i + 2]});
    EXPECT_EQ(host.Output, toolRgb);
}

} // namespace
} // namespace vel
