// The banded PNG writer: whatever the size, layout and band split, the file
// is a valid PNG (chunk checksums, one zlib stream whose checksum covers every
// band) and decodes to exactly the pixels it was given.

#include "PngWriter.h"

#include <gtest/gtest.h>
#include <vips/vips8>
#include <zlib.h>

#include <cstring>

namespace vel {
namespace {

using vips::VImage;

uint32_t Big32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Checks every chunk's CRC and returns the IDAT chunks' data joined.
std::vector<uint8_t> CheckedImageData(const std::vector<uint8_t>& file)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    EXPECT_GE(file.size(), 8u);
    EXPECT_EQ(std::memcmp(file.data(), signature, 8), 0);
    std::vector<uint8_t> data;
    size_t at = 8;
    std::string last;
    while (at + 12 <= file.size()) {
        const uint32_t length = Big32(&file[at]);
        EXPECT_LE(at + 12 + length, file.size());
        if (at + 12 + length > file.size())
            break;
        const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        EXPECT_EQ(Big32(&file[at + 8 + length]), uint32_t(crc32(0, &file[at + 4], length + 4))) << type;
        if (type == "IDAT")
            data.insert(data.end(), &file[at + 8], &file[at + 8 + length]);
        last = type;
        at += 12 + length;
    }
    EXPECT_EQ(at, file.size());
    EXPECT_EQ(last, "IEND");
    return data;
}

TEST(PngWriter, RoundTripsEveryLayoutAndBandSplit)
{
    ASSERT_EQ(VIPS_INIT("test"), 0);
    struct Case {
        int Width, Height, Channels, Depth;
    };
    const Case cases[] = {
        {1, 1, 3, 8}, {7, 3, 4, 8}, {33, 65, 3, 8}, {301, 131, 4, 8}, {5, 17, 3, 16}, {64, 70, 4, 16},
    };
    for (const Case& c : cases)
        for (int bands : {1, 2, 3, 16}) {
            SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << " x " << c.Channels << " at "
                                            << c.Depth << " bits, " << bands << " bands");
            const size_t sampleBytes = size_t(c.Depth / 8);
            const size_t rowBytes = size_t(c.Width) * size_t(c.Channels) * sampleBytes;
            // Rows padded by a few bytes, as the writer must honour RowBytes.
            const size_t stride = rowBytes + 5;
            std::vector<uint8_t> pixels(stride * size_t(c.Height));
            uint32_t noise = 12345;
            for (uint8_t& b : pixels) {
                noise = noise * 1103515245u + 12345u;
                b = uint8_t(noise >> 24);
            }
            // Runs that compress, so that bands carry back-references.
            for (size_t i = 0; i < pixels.size() / 3; ++i)
                pixels[i] = uint8_t(i % 7);

            PngPicture picture;
            picture.Pixels = pixels.data();
            picture.Width = c.Width;
            picture.Height = c.Height;
            picture.Channels = c.Channels;
            picture.Depth = c.Depth;
            picture.RowBytes = stride;
            const std::vector<uint8_t> file = EncodePng(picture, bands);
            ASSERT_FALSE(file.empty());

            // zlib itself checks the stream's checksum across the band joins.
            const std::vector<uint8_t> stream = CheckedImageData(file);
            std::vector<uint8_t> raw((rowBytes + 1) * size_t(c.Height));
            uLongf rawLength = uLongf(raw.size());
            ASSERT_EQ(uncompress(raw.data(), &rawLength, stream.data(), uLong(stream.size())), Z_OK);
            ASSERT_EQ(rawLength, raw.size());

            const VImage decoded = VImage::new_from_buffer(file.data(), file.size(), "");
            ASSERT_EQ(decoded.width(), c.Width);
            ASSERT_EQ(decoded.height(), c.Height);
            ASSERT_EQ(decoded.bands(), c.Channels);
            ASSERT_EQ(decoded.format(), c.Depth == 16 ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR);
            size_t size = 0;
            auto* memory = static_cast<uint8_t*>(decoded.write_to_memory(&size));
            ASSERT_EQ(size, rowBytes * size_t(c.Height));
            int differing = 0;
            for (int y = 0; y < c.Height; ++y)
                differing +=
                    std::memcmp(memory + rowBytes * size_t(y), &pixels[stride * size_t(y)], rowBytes) != 0;
            g_free(memory);
            EXPECT_EQ(differing, 0);
        }
}

TEST(PngWriter, RefusesWhatItCannotHold)
{
    const std::vector<uint8_t> pixels(64);
    PngPicture picture;
    picture.Pixels = pixels.data();
    picture.Width = 2;
    picture.Height = 2;
    picture.RowBytes = 16;
    for (const auto& [channels, depth] : {std::pair{5, 8}, {3, 12}}) {
        picture.Channels = channels;
        picture.Depth = depth;
        EXPECT_TRUE(EncodePng(picture, 1).empty());
    }
    picture.Channels = 3;
    picture.Depth = 8;
    EXPECT_NE(WritePng("/nonexistent-folder/out.png", picture), "");
}

} // namespace
} // namespace vel
