// The tool against picture files as users have them: every layout in, the
// matching layout out; pictures too large for memory, broken files and a
// render that runs out of memory fail with one line and write nothing.

#include "Engrave.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <vips/vips8>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vel {
namespace {

using vips::VImage;

constexpr int Width = 48;
constexpr int Height = 32;

// A picture of `bands` samples a pixel with gradients in every band.
VImage Picture(int bands, VipsBandFormat format, VipsInterpretation space, std::vector<uint8_t>& storage)
{
    const bool wide = format == VIPS_FORMAT_USHORT;
    storage.assign(size_t(Width) * Height * bands * (wide ? 2 : 1), 0);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            for (int b = 0; b < bands; ++b) {
                const size_t index = (size_t(y) * Width + x) * bands + b;
                const int value = (x * 5 + y * 3 + b * 60) % 256;
                if (wide) {
                    const uint16_t sample = uint16_t(value * 257 + (x & 1));
                    std::memcpy(&storage[2 * index], &sample, 2);
                } else {
                    storage[index] =
                        uint8_t(b == bands - 1 && bands % 2 == 0 && space != VIPS_INTERPRETATION_CMYK
                                    ? 128 + value / 2 // a transparency that is not opaque
                                    : value);
                }
            }
    return VImage::new_from_memory(storage.data(), storage.size(), Width, Height, bands, format)
        .copy(VImage::option()->set("interpretation", space));
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ImageFiles : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_EQ(VIPS_INIT("test"), 0);
        folder.MakeFolder("data");
    }

    int Engrave(const std::string& in, const std::string& out, std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = {in, out, "--data", folder.Path() + "data", "--quiet"};
        args.insert(args.end(), extra.begin(), extra.end());
        EngraveOptions options;
        if (!ParseEngraveArguments(args, options).empty())
            return 2;
        test::AlertRecorder quiet;
        return RunEngrave(options);
    }

    // Runs the built tool through the shell; returns its exit status and
    // puts what it printed on standard error into `errors`.
    int Tool(const std::string& shellPrefix, const std::string& args, std::string& errors)
    {
        const std::string log = folder.Path() + "stderr.txt";
        const std::string command =
            shellPrefix + " " + VEL_BINARY_DIR "/src/cli/vellisto " + args + " 2>" + log;
        const int status = std::system(("sh -c '" + command + "'").c_str());
        errors = ReadAll(log);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    test::TempFolder folder;
};

TEST_F(ImageFiles, EveryLayoutComesBackInTheMatchingLayout)
{
    struct Case {
        const char* Name;
        int Bands;
        VipsBandFormat Format;
        VipsInterpretation Space;
        const char* In;
        const char* Out;
        // What the output holds.
        int OutBands;
        VipsBandFormat OutFormat;
        VipsInterpretation OutSpace;
    };
    constexpr auto U8 = VIPS_FORMAT_UCHAR;
    constexpr auto U16 = VIPS_FORMAT_USHORT;
    constexpr auto RGB = VIPS_INTERPRETATION_sRGB;
    constexpr auto RGB16 = VIPS_INTERPRETATION_RGB16;
    constexpr auto CMYK = VIPS_INTERPRETATION_CMYK;
    const Case cases[] = {
        // Grey becomes an RGB document: the inks have colours.
        {"8-bit grey", 1, U8, VIPS_INTERPRETATION_B_W, "png", "png", 3, U8, RGB},
        {"16-bit grey PNG", 1, U16, VIPS_INTERPRETATION_GREY16, "png", "png", 3, U16, RGB16},
        {"16-bit grey TIFF", 1, U16, VIPS_INTERPRETATION_GREY16, "tif", "tif", 3, U16, RGB16},
        {"grey and alpha", 2, U8, VIPS_INTERPRETATION_B_W, "png", "png", 4, U8, RGB},
        {"16-bit grey and alpha", 2, U16, VIPS_INTERPRETATION_GREY16, "tif", "png", 4, U16, RGB16},
        {"RGB", 3, U8, RGB, "png", "png", 3, U8, RGB},
        {"16-bit RGB PNG", 3, U16, RGB16, "png", "png", 3, U16, RGB16},
        {"16-bit RGB TIFF", 3, U16, RGB16, "tif", "tif", 3, U16, RGB16},
        {"16-bit RGB to JPEG", 3, U16, RGB16, "png", "jpg", 3, U8, RGB},
        {"RGBA", 4, U8, RGB, "png", "png", 4, U8, RGB},
        {"RGBA to JPEG", 4, U8, RGB, "png", "jpg", 3, U8, RGB},
        {"JPEG", 3, U8, RGB, "jpg", "jpg", 3, U8, RGB},
        {"webp", 3, U8, RGB, "webp", "webp", 3, U8, RGB},
        {"CMYK TIFF", 4, U8, CMYK, "tif", "tif", 4, U8, CMYK},
        {"16-bit CMYK TIFF", 4, U16, CMYK, "tif", "tif", 4, U16, CMYK},
        {"CMYK and alpha TIFF", 5, U8, CMYK, "tif", "tif", 5, U8, CMYK},
        {"CMYK JPEG", 4, U8, CMYK, "jpg", "jpg", 4, U8, CMYK},
        {"CMYK to PNG", 4, U8, CMYK, "tif", "png", 3, U8, RGB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> storage;
        const std::string in = folder.Path() + "in." + c.In;
        const std::string out = folder.Path() + "out." + c.Out;
        Picture(c.Bands, c.Format, c.Space, storage).write_to_file(in.c_str());
        ASSERT_EQ(Engrave(in, out), 0);
        const VImage result = VImage::new_from_file(out.c_str());
        EXPECT_EQ(result.width(), Width);
        EXPECT_EQ(result.height(), Height);
        EXPECT_EQ(result.bands(), c.OutBands);
        EXPECT_EQ(result.format(), c.OutFormat);
        EXPECT_EQ(result.interpretation(), c.OutSpace);
        // The engraving is there: the output is not the input.
        if (std::string(c.In) == c.Out && c.Bands == c.OutBands && c.Format == c.OutFormat) {
            EXPECT_NE(ReadAll(in), ReadAll(out));
        }
    }
}

// Files store CMYK as ink; hosts hand it over inverted. White paper must stay
// white whichever way the picture goes out.
TEST_F(ImageFiles, CmykWhiteStaysWhite)
{
    const std::string in = folder.Path() + "white.tif";
    VImage::black(Width, Height, VImage::option()->set("bands", 4))
        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_CMYK))
        .write_to_file(in.c_str());
    ASSERT_EQ(Engrave(in, folder.Path() + "out.tif"), 0);
    EXPECT_LT(VImage::new_from_file((folder.Path() + "out.tif").c_str()).avg(), 8.0);
    ASSERT_EQ(Engrave(in, folder.Path() + "out.png"), 0);
    EXPECT_GT(VImage::new_from_file((folder.Path() + "out.png").c_str()).avg(), 247.0);
}

// Pictures that are not plain RGB files: a palette PNG and a BMP with the
// 124-byte header that common tools write.
TEST_F(ImageFiles, PaletteAndVersionFiveBmpAreRead)
{
    std::vector<uint8_t> storage;
    const std::string palette = folder.Path() + "palette.png";
    Picture(3, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB, storage)
        .pngsave(palette.c_str(), VImage::option()->set("palette", true)->set("colours", 16));
    ASSERT_EQ(VImage::new_from_file(palette.c_str()).get_int("palette-bit-depth"), 4);

    // BITMAPV5HEADER, 24 bits, bottom-up rows padded to four bytes.
    std::string bmp;
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp += char((value >> (8 * i)) & 0xFF);
    };
    const uint32_t rowBytes = (Width * 3 + 3) & ~3u;
    bmp += "BM";
    put(14 + 124 + rowBytes * Height, 4);
    put(0, 4);
    put(14 + 124, 4);
    put(124, 4);
    put(Width, 4);
    put(Height, 4);
    put(1, 2);
    put(24, 2);
    put(0, 4); // BI_RGB
    put(rowBytes * Height, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    put(0, 4 * 4);           // masks
    put(0x73524742, 4);      // 'sRGB'
    put(0, 36 + 12 + 4 * 4); // endpoints, gamma, intent, profile, reserved
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x)
            put(uint32_t(x * 5) | uint32_t(y * 7) << 8 | 0x400000u, 3);
        put(0, int(rowBytes - Width * 3));
    }
    ASSERT_EQ(bmp.size(), 14 + 124 + rowBytes * Height);
    folder.WriteFile("v5.bmp", bmp);

    for (const std::string& in : {palette, folder.Path() + "v5.bmp"}) {
        SCOPED_TRACE(in);
        const std::string out = folder.Path() + "out.png";
        ASSERT_EQ(Engrave(in, out), 0);
        const VImage result = VImage::new_from_file(out.c_str());
        EXPECT_EQ(result.width(), Width);
        EXPECT_EQ(result.height(), Height);
        EXPECT_EQ(result.bands(), 3);
        EXPECT_EQ(result.format(), VIPS_FORMAT_UCHAR);
    }

    // The tool on its own loads the library's modules, which BMP needs, only
    // when an input asks for them.
    for (const char* inputs : {"palette.png", "v5.bmp", "palette.png v5.bmp"}) {
        SCOPED_TRACE(inputs);
        folder.MakeFolder(std::string("out-") + inputs[0] + std::to_string(std::strlen(inputs)));
        std::string errors;
        EXPECT_EQ(Tool("cd " + folder.Path() + " &&",
                       std::string("engrave ") + inputs + " --out-dir out-" + inputs[0] +
                           std::to_string(std::strlen(inputs)) + " --data data --quiet",
                       errors),
                  0);
        EXPECT_EQ(errors, "");
    }
}

TEST_F(ImageFiles, ProfileAndResolutionSurvive)
{
    std::vector<uint8_t> storage;
    // libvips attaches its built-in sRGB profile on export.
    const VImage tagged = Picture(3, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB, storage)
                              .icc_import(VImage::option()->set("input_profile", "srgb"))
                              .icc_export(VImage::option()->set("output_profile", "srgb"))
                              .copy(VImage::option()->set("xres", 300 / 25.4)->set("yres", 150 / 25.4));
    size_t length = 0;
    const void* profile = tagged.get_blob(VIPS_META_ICC_NAME, &length);
    ASSERT_GT(length, 128u);
    const std::string expected(static_cast<const char*>(profile), length);
    for (const char* ext : {"png", "tif"}) {
        SCOPED_TRACE(ext);
        const std::string in = folder.Path() + "tagged." + ext;
        const std::string out = folder.Path() + "out." + ext;
        tagged.write_to_file(in.c_str());
        ASSERT_EQ(Engrave(in, out), 0);
        const VImage result = VImage::new_from_file(out.c_str());
        ASSERT_TRUE(result.get_typeof(VIPS_META_ICC_NAME));
        size_t outLength = 0;
        const void* outProfile = result.get_blob(VIPS_META_ICC_NAME, &outLength);
        EXPECT_EQ(std::string(static_cast<const char*>(outProfile), outLength), expected);
        EXPECT_NEAR(result.xres() * 25.4, 300, 0.05);
        EXPECT_NEAR(result.yres() * 25.4, 150, 0.05);
    }
}

// An EXIF orientation is applied as a host applies it when it opens the
// photo: the engraving is of the upright picture and says so.
TEST_F(ImageFiles, OrientationIsApplied)
{
    std::vector<uint8_t> storage;
    VImage turned = Picture(3, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB, storage).copy();
    turned.set(VIPS_META_ORIENTATION, 6);
    const std::string in = folder.Path() + "turned.jpg";
    turned.jpegsave(in.c_str());
    ASSERT_EQ(VImage::new_from_file(in.c_str()).get_int(VIPS_META_ORIENTATION), 6);
    const std::string out = folder.Path() + "upright.jpg";
    ASSERT_EQ(Engrave(in, out), 0);
    const VImage result = VImage::new_from_file(out.c_str());
    EXPECT_EQ(result.width(), Height);
    EXPECT_EQ(result.height(), Width);
    EXPECT_TRUE(!result.get_typeof(VIPS_META_ORIENTATION) || result.get_int(VIPS_META_ORIENTATION) == 1);
}

// A header that claims 60000 × 60000 pixels is refused before decoding; a
// truncated JPEG is one line; neither leaves an output file.
TEST_F(ImageFiles, HugeAndBrokenPicturesFailInOneLine)
{
    std::vector<uint8_t> storage;
    const std::string small = folder.Path() + "small.png";
    Picture(3, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB, storage).write_to_file(small.c_str());
    std::string png = ReadAll(small);
    // IHDR: width and height big-endian at 16 and 20, its CRC at 29.
    for (int offset : {16, 20})
        for (int i = 0; i < 4; ++i)
            png[size_t(offset + i)] = char((60000u >> (24 - 8 * i)) & 0xFF);
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 12; i < 29; ++i) {
        crc ^= uint8_t(png[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i)
        png[size_t(29 + i)] = char((crc >> (24 - 8 * i)) & 0xFF);
    folder.WriteFile("huge.png", png);

    const std::string photo = folder.Path() + "photo.jpg";
    Picture(3, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB, storage)
        .resize(20)
        .jpegsave(photo.c_str(), VImage::option()->set("Q", 90));
    folder.WriteFile("truncated.jpg", ReadAll(photo).substr(0, ReadAll(photo).size() / 2));

    struct Case {
        const char* In;
        const char* Says;
    };
    for (const Case& c :
         {Case{"huge.png", "60000 x 60000 pixels need"}, Case{"truncated.jpg", "truncated.jpg"}}) {
        SCOPED_TRACE(c.In);
        std::string errors;
        const std::string out = folder.Path() + "out.png";
        EXPECT_EQ(Tool("", "engrave " + folder.Path() + c.In + " " + out, errors), 1) << errors;
        EXPECT_NE(errors.find(c.Says), std::string::npos) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find(folder.Path() + c.In), std::string::npos) << errors;
        EXPECT_FALSE(std::ifstream(out).good());
    }
}

// Enough memory to read the picture but not to render it: the alert once,
// exit 1, and an existing output stays as it was.
TEST_F(ImageFiles, RenderWithoutMemoryWritesNothing)
{
    const std::string in = folder.Path() + "large.png";
    VImage::black(4000, 3000, VImage::option()->set("bands", 3)).write_to_file(in.c_str());
    folder.WriteFile("keep.png", "the picture of yesterday");
    const std::string out = folder.Path() + "keep.png";
    std::string errors;
    EXPECT_EQ(Tool("ulimit -v 300000; VIPS_CONCURRENCY=1", "engrave " + in + " " + out + " --quiet", errors),
              1)
        << errors;
    EXPECT_EQ(errors, "vellisto: \"" + in +
                          "\": Cannot allocate so big intermedia memory Try to use smaller pictures\n");
    EXPECT_EQ(ReadAll(out), "the picture of yesterday");
}

TEST_F(ImageFiles, UnknownPaperListsThePapers)
{
    folder.MakeFolder("data/Papers");
    std::vector<uint8_t> storage;
    Picture(3, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB, storage)
        .write_to_file((folder.Path() + "data/Papers/Laid.png").c_str());
    const std::string in = folder.Path() + "in.png";
    Picture(3, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB, storage).write_to_file(in.c_str());
    std::string errors;
    const std::string args =
        "engrave " + in + " " + folder.Path() + "out.png --data " + folder.Path() + "data ";
    EXPECT_EQ(Tool("", args + "--set PaperName=Laid", errors), 2);
    EXPECT_NE(errors.find("None, Solid, Laid.png"), std::string::npos) << errors;
    EXPECT_EQ(Tool("", args + "--set PaperName=laid.PNG --quiet", errors), 0) << errors;
    EXPECT_EQ(Tool("", args + "--set PaperName=Solid --quiet", errors), 0) << errors;
    // A paper that is there but cannot be read: the alert, and no picture.
    folder.WriteFile("data/Papers/Broken.png", "not a picture");
    std::remove((folder.Path() + "out.png").c_str());
    EXPECT_EQ(Tool("", args + "--set PaperName=Broken.png --quiet", errors), 1) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_FALSE(std::ifstream(folder.Path() + "out.png").good());
}

} // namespace
} // namespace vel
