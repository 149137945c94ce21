#include "color/Paper.h"

#include "color/ImageFixtures.h"
#include "color/PaperLook.h"
#include "color/PrintState.h"
#include "platform/Folders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace vel {
namespace {

using Rgba = std::array<uint8_t, 4>;

TEST(SelfOverlay, DarkensBelowTheMiddleAndLightensAbove)
{
    const int in[] = {0, 64, 127, 128, 192, 255};
    const int out[] = {0, 48, 126, 128, 208, 255};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(SelfOverlay(in[i]), out[i]) << in[i];
}

TEST(Hsl, ConvertsInByteUnits)
{
    struct Case {
        uint8_t R, G, B;
        Hsl Expected;
    };
    const Case cases[] = {
        {255, 0, 0, {0, 255, 128}}, {0, 0, 255, {170, 255, 128}},   {200, 100, 100, {0, 121, 150}},
        {90, 90, 90, {0, 0, 90}},   {255, 0, 128, {234, 255, 128}},
    };
    for (const Case& c : cases) {
        const Hsl hsl = RgbToHsl(c.R, c.G, c.B);
        EXPECT_EQ(hsl.H, c.Expected.H) << int(c.R) << "," << int(c.G) << "," << int(c.B);
        EXPECT_EQ(hsl.S, c.Expected.S) << int(c.R) << "," << int(c.G) << "," << int(c.B);
        EXPECT_EQ(hsl.L, c.Expected.L) << int(c.R) << "," << int(c.G) << "," << int(c.B);
    }
    uint8_t rgb[3];
    HslToRgb({170, 121, 150}, rgb);
    EXPECT_EQ(Rgba({rgb[0], rgb[1], rgb[2], 0}), (Rgba{100, 100, 200, 0}));
    HslToRgb({0, 0, 77}, rgb);
    EXPECT_EQ(Rgba({rgb[0], rgb[1], rgb[2], 0}), (Rgba{77, 77, 77, 0}));
}

constexpr int32_t Blue = 0x00FF0000; // 0x00BBGGRR
constexpr int32_t Orange = 0x000080FF;

TEST(PaperLook, ColorizedAndSurfaceModes)
{
    struct Case {
        bool Surface;
        float Intensity, Colorization;
        int32_t Color;
        Rgba In, Expected;
    };
    const Case cases[] = {
        {false, 100, 0, Orange, {30, 60, 90, 200}, {60, 60, 60, 200}},      // grey texture
        {false, 0, 0, Orange, {30, 60, 90, 200}, {255, 255, 255, 200}},     // white
        {false, 0, 100, Orange, {30, 60, 90, 200}, {255, 128, 0, 200}},     // the paper colour
        {false, 200, 50, Orange, {30, 60, 90, 7}, {0, 0, 0, 7}},            // dark pushed below 0
        {false, 1e30f, 50, Orange, {30, 60, 90, 7}, {0, 0, 0, 7}},          // limited to 200
        {true, 100, 0, Orange, {64, 64, 64, 9}, {60, 60, 60, 9}},           // the contrast curve
        {true, 200, 100, Blue, {200, 100, 100, 255}, {100, 100, 200, 255}}, // hue of the paper
        {true, 0, 100, Blue, {200, 100, 100, 255}, {255, 255, 255, 255}},
    };
    for (const Case& c : cases) {
        const PaperLook look = MakePaperLook(c.Intensity, c.Colorization, c.Color);
        Rgba out{};
        (c.Surface ? SurfacePixel : ColorizedPixel)(look, c.In.data(), out.data());
        EXPECT_EQ(out, c.Expected) << (c.Surface ? "Surface " : "Colorized ") << c.Intensity << " "
                                   << c.Colorization;
    }
}

PlanarImage Grey(int w, int h, std::initializer_list<uint8_t> values)
{
    PlanarImage image;
    EXPECT_TRUE(image.Allocate(w, h, 1));
    std::copy(values.begin(), values.end(), image.Channel(0));
    return image;
}

TEST(TilePaper, RepeatsTheTextureFromTheOffset)
{
    const PlanarImage texture = Grey(3, 2, {1, 2, 3, 4, 5, 6});
    PlanarImage tiled;
    ASSERT_TRUE(tiled.Allocate(5, 3, 1));
    ASSERT_TRUE(TilePaper(tiled, texture, 1.0f, 1.0f, 2, 1));
    EXPECT_TRUE(tiled.Ready);
    const uint8_t expected[] = {6, 4, 5, 6, 4, 3, 1, 2, 3, 1, 6, 4, 5, 6, 4};
    EXPECT_TRUE(std::equal(expected, expected + 15, tiled.Channel(0)));

    // A larger texture is cut; a step of 0.5 interpolates between its pixels.
    const PlanarImage big = Grey(4, 1, {0, 100, 200, 50});
    PlanarImage half;
    ASSERT_TRUE(half.Allocate(3, 1, 1));
    ASSERT_TRUE(TilePaper(half, big, 0.5f, 0.5f, 0, 0));
    const uint8_t interpolated[] = {0, 50, 100};
    EXPECT_TRUE(std::equal(interpolated, interpolated + 3, half.Channel(0)));
}

TEST(TilePaper, RefusesMismatchedImages)
{
    const PlanarImage texture = Grey(3, 2, {1, 2, 3, 4, 5, 6});
    PlanarImage rgba, none, six;
    ASSERT_TRUE(rgba.Allocate(2, 2, 4));
    ASSERT_TRUE(six.Allocate(2, 2, 6));
    EXPECT_FALSE(TilePaper(rgba, texture, 1, 1, 0, 0));
    EXPECT_FALSE(TilePaper(none, texture, 1, 1, 0, 0));
    EXPECT_FALSE(TilePaper(six, six, 1, 1, 0, 0));
    EXPECT_FALSE(rgba.Ready);
}

// A 4 × 3 working area printed on papers from a temporary papers folder.
struct PaperFixture : ::testing::Test {
    PaperFixture()
    {
        state.WorkWidth = 4;
        state.WorkHeight = 3;
        EXPECT_TRUE(state.OutputPlane.Allocate(4, 3, 4));
        params.PaperScale = 100;
        params.PaperIntensity = 100;
        folder.WriteFile("paper.bmp", test::BmpFile);
    }
    void Name(const char* name) { std::strcpy(params.PaperName, name); }
    Rgba Out(int x, int y) const
    {
        const uint8_t* p = state.OutputPlane.Data() + 4 * (y * 4 + x);
        return {p[0], p[1], p[2], p[3]};
    }
    void Prepare() { PreparePaper(state, params, folder.Path()); }

    test::TempFolder folder;
    PrintState state;
    ParameterBlock params{};
};

constexpr Rgba Red{255, 0, 0, 255}, Green{0, 255, 0, 255}, BlueInk{0, 0, 255, 255}, White{255, 255, 255, 255},
    Black{0, 0, 0, 255}, Brown{128, 64, 32, 255};

TEST_F(PaperFixture, PlainPapers)
{
    Name("");
    Prepare();
    EXPECT_EQ(Out(3, 2), White);
    Name("NONE");
    Prepare();
    EXPECT_EQ(Out(1, 1), (Rgba{255, 255, 255, 0}));
    EXPECT_FALSE(PaperPresent(params));
    Name("Solid");
    params.PaperColor = Orange;
    Prepare();
    EXPECT_EQ(Out(0, 0), (Rgba{255, 128, 0, 255}));
    EXPECT_TRUE(PaperPresent(params));
}

TEST_F(PaperFixture, TextureIsTiledOneToOneFromTheWorkingAreaOffset)
{
    Name("paper.bmp");
    state.WorkOffsetX = 1;
    Prepare();
    const Rgba expected[3][4] = {
        {Green, BlueInk, Red, Green}, {Black, Brown, White, Black}, {Green, BlueInk, Red, Green}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Out(x, y), expected[y][x]) << x << "," << y;
}

TEST_F(PaperFixture, CachedTextureIsReusedUntilNameScaleOrAreaChange)
{
    test::AlertRecorder alerts;
    Name("paper.bmp");
    Prepare();
    ASSERT_TRUE(DeleteFileAt(folder.Path() + "paper.bmp"));

    params.PaperSchema = uint8_t(PaperSchemaKind::Colorized);
    Prepare();
    EXPECT_EQ(Out(0, 0), (Rgba{85, 85, 85, 255})) << "the cached texture, coloured at this render";
    EXPECT_TRUE(alerts.Shown().empty());

    params.PaperScale = 50;
    Prepare();
    EXPECT_EQ(Out(0, 0), White) << "a new scale reloads the (now missing) file";
    EXPECT_FALSE(alerts.Shown().empty());

    params.PaperScale = 100;
    folder.WriteFile("paper.bmp", test::BmpFile);
    Prepare();
    EXPECT_EQ(Out(1, 0), (Rgba{85, 85, 85, 255})) << "a failed load is retried by the next render";
    ASSERT_TRUE(DeleteFileAt(folder.Path() + "paper.bmp"));
    state.WorkOffsetY = 1;
    Prepare();
    EXPECT_EQ(Out(1, 0), White) << "another working area reloads";
    state.WorkOffsetY = 0;
    folder.WriteFile("paper.bmp", test::BmpFile);
    Prepare();
    ASSERT_TRUE(DeleteFileAt(folder.Path() + "paper.bmp"));
    DropPaperTexture(state);
    Prepare();
    EXPECT_EQ(Out(1, 0), White) << "a dropped texture is loaded again";
}

TEST_F(PaperFixture, UnreadableTextureGivesWhitePaperAndAnAlertEveryTime)
{
    folder.WriteFile("broken.png", test::PngFile.substr(0, 40));
    for (const char* name : {"broken.png", "missing.jpg"}) {
        Name(name);
        for (int render = 0; render < 2; ++render) {
            test::AlertRecorder alerts;
            Prepare();
            EXPECT_EQ(Out(2, 1), White) << name;
            EXPECT_FALSE(alerts.Shown().empty()) << name << " render " << render;
            EXPECT_FALSE(state.Paper.Texture) << name;
        }
    }
}

TEST(ListPapers, ListsNoneSolidAndTextureFiles)
{
    test::TempFolder folder;
    for (const char* name : {"Canvas.PNG", "b.tiff", "c.tif", "notes.txt", "noext", "a.bmp", "grain.jpg",
                             "x.gif", "y.tga", "z.webp"})
        folder.WriteFile(name, "x");
    folder.MakeFolder("folder.png");
    std::vector<std::string> papers = ListPapers(folder.Path());
    ASSERT_GE(papers.size(), 2u);
    EXPECT_EQ(papers[0], "None");
    EXPECT_EQ(papers[1], "Solid");
    std::sort(papers.begin() + 2, papers.end());
    const std::vector<std::string> expected{"None",  "Solid",     "Canvas.PNG", "a.bmp", "b.tiff",
                                            "c.tif", "grain.jpg", "x.gif",      "y.tga"};
    EXPECT_EQ(papers, expected);

    EXPECT_TRUE(ListPapers(folder.Path() + "missing" + PathSeparator).empty());
}

} // namespace
} // namespace vel
