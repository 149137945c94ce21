// Separation plates: printing each plate in its ink on white paper, one ink
// after the other, gives back the engraving the tool wrote.

#include "Engrave.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <vips/vips8>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vel {
namespace {

using vips::VImage;

constexpr int Width = 120;
constexpr int Height = 90;

// A picture with several distinct colours, so that a custom palette finds
// three inks and every CMYK plate has work to do.
void WritePicture(const std::string& path)
{
    std::vector<uint8_t> rgb(size_t(Width) * Height * 3);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint8_t* p = &rgb[(size_t(y) * Width + x) * 3];
            const int band = x * 4 / Width;
            const uint8_t shade = uint8_t(40 + 200 * y / Height);
            p[0] = band == 0 || band == 3 ? shade : uint8_t(shade / 4);
            p[1] = band == 1 || band == 3 ? shade : uint8_t(shade / 3);
            p[2] = band == 2 ? shade : uint8_t(shade / 5);
        }
    VImage::new_from_memory(rgb.data(), rgb.size(), Width, Height, 3, VIPS_FORMAT_UCHAR)
        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
        .write_to_file(path.c_str());
}

std::vector<uint8_t> Pixels(const std::string& path, int bands)
{
    VImage image = VImage::new_from_file(path.c_str(), VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
    EXPECT_EQ(image.width(), Width);
    EXPECT_EQ(image.height(), Height);
    if (image.bands() > bands)
        image = image.extract_band(0, VImage::option()->set("n", bands));
    size_t size = 0;
    auto* data = static_cast<uint8_t*>(image.cast(VIPS_FORMAT_UCHAR).write_to_memory(&size));
    std::vector<uint8_t> pixels(data, data + size);
    g_free(data);
    return pixels;
}

// The BitsPerSample entry of a little-endian TIFF's first directory.
int BitsPerSample(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string tiff((std::istreambuf_iterator<char>(in)), {});
    auto word = [&](size_t at) { return at + 2 <= tiff.size() ? uint8_t(tiff[at]) | uint8_t(tiff[at + 1]) << 8 : 0; };
    auto dword = [&](size_t at) { return uint32_t(word(at)) | uint32_t(word(at + 2)) << 16; };
    if (tiff.compare(0, 2, "II") != 0)
        return 0;
    const size_t directory = dword(4);
    for (int entry = 0, count = word(directory); entry < count; ++entry) {
        const size_t at = directory + 2 + 12 * size_t(entry);
        if (word(at) == 258) // BitsPerSample, one SHORT held in the entry itself
            return word(at + 8);
    }
    return 0;
}

struct PlateCase {
    const char* Name;
    std::vector<std::string> Settings;
    size_t Inks;
};

class Plates : public testing::TestWithParam<PlateCase> {
  protected:
    void SetUp() override { ASSERT_EQ(VIPS_INIT("test"), 0); }
    test::TempFolder folder;
};

// Each plate is exactly the coverage that went to print, and printing on
// white darkens each channel towards the ink's by that coverage, so the
// recombination is exact: tolerance 0. (Two layers merge two passes into
// one plate and would need a tolerance for the rounding of each pass.)
TEST_P(Plates, PrintedInTheirInksTheyGiveTheEngraving)
{
    const PlateCase& c = GetParam();
    const std::string input = folder.Path() + "in.png", output = folder.Path() + "out.png";
    folder.MakeFolder("plates");
    const std::string plates = folder.Path() + "plates";
    WritePicture(input);
    std::vector<std::string> args = {input, output, "--quiet", "--plates", plates};
    for (const std::string& setting : c.Settings)
        args.insert(args.end(), {"--set", setting});
    EngraveOptions options;
    ASSERT_EQ(ParseEngraveArguments(args, options), "");
    ASSERT_EQ(RunEngrave(options), 0);

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(plates))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end()); // ink1-…, ink2-…: the order they print in
    ASSERT_EQ(files.size(), c.Inks);

    std::vector<uint8_t> print(size_t(Width) * Height * 3, 255);
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        ASSERT_EQ(name.size(), std::string("ink1-000000.tif").size()) << name;
        const long rgb = std::strtol(name.substr(5, 6).c_str(), nullptr, 16);
        const int ink[3] = {int(rgb >> 16) & 255, int(rgb >> 8) & 255, int(rgb) & 255};
        const std::vector<uint8_t> film = Pixels(file.string(), 1);
        for (size_t i = 0; i < film.size(); ++i) {
            const int amount = 255 - film[i]; // black film: full ink
            for (int k = 0; k < 3; ++k) {
                const int beneath = print[3 * i + k];
                print[3 * i + k] = uint8_t((std::min(ink[k], beneath) * amount + beneath * (255 - amount)) / 255);
            }
        }
    }
    EXPECT_EQ(print, Pixels(output, 3));
}

INSTANTIATE_TEST_SUITE_P(
    Schemas, Plates,
    testing::Values(PlateCase{"Monotone", {}, 1},
                    PlateCase{"CustomPaletteOfThreeInks", {"ColorSchema=Custom palette", "NInks=3"}, 3},
                    PlateCase{"Cmyk", {"ColorSchema=CMYK palette"}, 4}),
    [](const testing::TestParamInfo<PlateCase>& info) { return info.param.Name; });

TEST(PlateOptions, ThresholdNeedsPlatesAndALevel)
{
    const struct {
        std::vector<std::string> Args;
        bool Valid;
    } cases[] = {
        {{"a.png", "b.png", "--plates", "p", "--plate-threshold", "128"}, true},
        {{"a.png", "b.png", "--plate-threshold", "128"}, false},
        {{"a.png", "b.png", "--plates", "p", "--plate-threshold", "0"}, false},
        {{"a.png", "b.png", "--plates", "p", "--plate-threshold", "256"}, false},
        {{"a.png", "b.png", "--plates", "p", "--plate-threshold", "half"}, false},
    };
    for (const auto& c : cases) {
        EngraveOptions options;
        EXPECT_EQ(ParseEngraveArguments(c.Args, options).empty(), c.Valid) << c.Args.back();
    }
}

TEST_F(Plates, OneBitPlatesHoldOnlyInkAndPaper)
{
    const std::string input = folder.Path() + "in.png";
    folder.MakeFolder("plates");
    const std::string plates = folder.Path() + "plates";
    WritePicture(input);
    EngraveOptions options;
    ASSERT_EQ(ParseEngraveArguments({input, folder.Path() + "out.png", "--quiet", "--plates", plates,
                                     "--plate-threshold", "128"},
                                    options),
              "");
    ASSERT_EQ(RunEngrave(options), 0);
    const std::string plate = plates + "/ink1-000000.tif";
    EXPECT_EQ(BitsPerSample(plate), 1);
    const std::vector<uint8_t> film = Pixels(plate, 1);
    EXPECT_TRUE(std::all_of(film.begin(), film.end(), [](uint8_t v) { return v == 0 || v == 255; }));
    EXPECT_NE(std::count(film.begin(), film.end(), 0), 0);
}

} // namespace
} // namespace vel
