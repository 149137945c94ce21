// The Windows tool's pictures through WIC: 16 bits stay 16 in PNG and TIFF,
// transparency makes a four-plane document.

#include "Engrave.h"
#include "ImageDocument.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vel {
namespace {

ImageDocument Gradient(int planes, int depth)
{
    ImageDocument document;
    document.Width = 40;
    document.Height = 30;
    document.Planes = planes;
    document.Depth = depth;
    EXPECT_TRUE(document.Allocate());
    for (int y = 0; y < document.Height; ++y)
        for (int x = 0; x < document.Width; ++x)
            for (int c = 0; c < planes; ++c) {
                const int value = (x * 6 + y * 8 + c * 50) % 256;
                const size_t index = size_t(x) * size_t(planes) + size_t(c);
                uint8_t* row = document.Pixels.Row(y);
                if (depth == 16) {
                    const uint16_t v =
                        c == 3 ? uint16_t(16384 + value * 64) : uint16_t(value * 128 + (x & 1));
                    std::memcpy(row + 2 * index, &v, 2);
                } else {
                    row[index] = c == 3 ? uint8_t(128 + value / 2) : uint8_t(value);
                }
            }
    return document;
}

TEST(ImageFilesWic, LayoutsSurviveTheToolAndTheFiles)
{
    test::TempFolder folder;
    folder.MakeFolder("data");
    struct Case {
        int Planes;
        int Depth;
        const char* Ext;
        int OutDepth;
    };
    const Case cases[] = {{3, 16, "png", 16}, {4, 16, "png", 16}, {3, 16, "tif", 16},
                          {3, 8, "png", 8},   {4, 8, "png", 8},   {3, 16, "jpg", 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Planes) + " planes, " + std::to_string(c.Depth) + " bits, " + c.Ext);
        ImageDocument original = Gradient(c.Planes, c.Depth);
        const ImageDocument copy = Gradient(c.Planes, c.Depth);
        const std::string in = folder.Path() + "in." + c.Ext;
        ASSERT_EQ(WriteDocument(in, in, original), "");
        ImageDocument read;
        ASSERT_EQ(LoadDocument(in, {}, read), "");
        EXPECT_EQ(read.Depth, c.OutDepth);
        EXPECT_EQ(read.Planes, c.Planes);
        // Wine's PNG encoder stores 16-bit samples in the wrong byte order
        // (its decoder and Windows' codecs do not), so 16-bit PNG samples
        // are not compared here.
        const bool exact = std::string(c.Ext) == "tif" || (std::string(c.Ext) == "png" && c.Depth == 8);
        if (exact) {
            EXPECT_EQ(std::memcmp(read.Pixels.Data(), copy.Pixels.Data(), copy.Pixels.Bytes()), 0);
        }

        const std::string out = folder.Path() + "out." + c.Ext;
        EngraveOptions options;
        ASSERT_EQ(ParseEngraveArguments({in, out, "--quiet", "--data", folder.Path() + "data"}, options), "");
        test::AlertRecorder quiet;
        ASSERT_EQ(RunEngrave(options), 0);
        ImageDocument engraved;
        ASSERT_EQ(LoadDocument(out, {}, engraved), "");
        EXPECT_EQ(engraved.Width, 40);
        EXPECT_EQ(engraved.Height, 30);
        EXPECT_EQ(engraved.Depth, c.OutDepth);
    }
}

} // namespace
} // namespace vel
