#include "color/ImageLoader.h"

#include "color/ImageFixtures.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace vel {
namespace {

using Rgba = std::array<uint8_t, 4>;

const Rgba Picture[2][3] = {
    {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}},
    {{255, 255, 255, 255}, {0, 0, 0, 255}, {128, 64, 32, 255}},
};

Rgba PixelAt(const Plane<uint8_t>& image, int x, int y)
{
    const uint8_t* p = image.Row(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

struct FormatCase {
    const char* Name;
    const std::string* Content;
    bool ReadEverywhere; // false: native builds only
};

TEST(LoadImageRGBA, DecodesEveryPaperFormatTopDownInRgbaOrder)
{
    const FormatCase cases[] = {
        {"paper.png", &test::PngFile, true},  {"paper.bmp", &test::BmpFile, true},
        {"paper.gif", &test::GifFile, true},  {"paper.tif", &test::TiffFile, true},
        {"paper.tga", &test::TgaFile, false},
    };
    test::TempFolder folder;
    for (const FormatCase& c : cases) {
        folder.WriteFile(c.Name, *c.Content);
        test::AlertRecorder alerts;
        Plane<uint8_t> image;
        const bool loaded = LoadImageRGBA(folder.Path() + c.Name, image);
#ifdef _WIN32
        if (!c.ReadEverywhere) {
            EXPECT_FALSE(loaded) << c.Name;
            EXPECT_FALSE(image) << c.Name;
            EXPECT_EQ(alerts.Shown().size(), 1u) << c.Name;
            continue;
        }
#endif
        ASSERT_TRUE(loaded) << c.Name;
        EXPECT_TRUE(alerts.Shown().empty()) << c.Name;
        ASSERT_EQ(image.Width(), 3) << c.Name;
        ASSERT_EQ(image.Height(), 2) << c.Name;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(PixelAt(image, x, y), Picture[y][x]) << c.Name << " at " << x << "," << y;
    }
}

TEST(LoadImageRGBA, KeepsAlphaAndDecodesJpeg)
{
    test::TempFolder folder;
    folder.WriteFile("alpha.png", test::PngWithAlphaFile);
    folder.WriteFile("paper.jpg", test::JpegFile);
    Plane<uint8_t> image;
    ASSERT_TRUE(LoadImageRGBA(folder.Path() + "alpha.png", image));
    EXPECT_EQ(PixelAt(image, 1, 0)[3], 0);
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 0, 0, 255}));

    ASSERT_TRUE(LoadImageRGBA(folder.Path() + "paper.jpg", image));
    ASSERT_EQ(image.Width(), 8);
    ASSERT_EQ(image.Height(), 8);
    const Rgba p = PixelAt(image, 5, 6);
    EXPECT_NEAR(p[0], 200, 3);
    EXPECT_NEAR(p[1], 100, 3);
    EXPECT_NEAR(p[2], 50, 3);
    EXPECT_EQ(p[3], 255);
}

TEST(LoadImageRGBA, BadFilesFailWithOneAlertAndNoImage)
{
    test::TempFolder folder;
    folder.WriteFile("empty.png", "");
    folder.WriteFile("half.png", test::PngFile.substr(0, test::PngFile.size() / 2));
    folder.WriteFile("half.bmp", test::BmpFile.substr(0, 40));
    folder.WriteFile("half.tif", test::TiffFile.substr(0, 120));
    folder.WriteFile("half.gif", test::GifFile.substr(0, 30));
    folder.WriteFile("noise.jpg", std::string(300, '\x5a'));
    folder.WriteFile("notes.txt", "not a picture");
    folder.WriteFile("noextension", "not a picture either");
    const char* const names[] = {"empty.png", "half.png",  "half.bmp",    "half.tif",   "half.gif",
                                 "noise.jpg", "notes.txt", "noextension", "missing.png"};
    for (const char* name : names) {
        test::AlertRecorder alerts;
        Plane<uint8_t> image;
        ASSERT_TRUE(image.Allocate(1, 1, 4));
        EXPECT_FALSE(LoadImageRGBA(folder.Path() + name, image)) << name;
        EXPECT_FALSE(image) << name;
        ASSERT_FALSE(alerts.Shown().empty()) << name;
        for (const AlertMessage& alert : alerts.Shown()) {
            EXPECT_EQ(alert.Title, "Plugin Alert") << name;
            EXPECT_LE(alert.Text.size(), 255u) << name;
        }
    }
}

TEST(ReportImageProblem, NamesTheFormatAndKeeps255Characters)
{
    test::AlertRecorder alerts;
    ReportImageProblem("PNG", "bad header");
    ReportImageProblem(nullptr, "plain message");
    ReportImageProblem("TIFF", std::string(400, 'x'));
    ASSERT_EQ(alerts.Shown().size(), 3u);
    EXPECT_EQ(alerts.Shown()[0].Text, "PNG Format is unsupported\nbad header");
    EXPECT_EQ(alerts.Shown()[1].Text, "plain message");
    EXPECT_EQ(alerts.Shown()[2].Text.size(), 255u);
    EXPECT_EQ(alerts.Shown()[2].Text.rfind("TIFF Format is unsupported\n", 0), 0u);
}

} // namespace
} // namespace vel
