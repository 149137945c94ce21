#include "PngWriter.h"

#include "platform/Threads.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace vel {
namespace {

// Level 2 with unfiltered rows: engravings (fine lines on paper grain) come
// out slightly smaller than at zlib's default level 6, in about a third of
// the time; filtering the rows would cost more than it saves on them.
constexpr int Level = 2;
// Bands shorter than this lose more to their separate dictionaries than
// their thread gains.
constexpr int64_t MinBandRows = 64;
constexpr size_t MaxChunkBytes = size_t(1) << 20;

void PutBig32(std::vector<uint8_t>& out, uint32_t value)
{
    const uint8_t bytes[4] = {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8),
                              uint8_t(value)};
    out.insert(out.end(), bytes, bytes + 4);
}

void AppendChunk(std::vector<uint8_t>& file, const char* type, const uint8_t* data, size_t size)
{
    PutBig32(file, uint32_t(size));
    const size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    if (size > 0)
        file.insert(file.end(), data, data + size);
    PutBig32(file, uint32_t(crc32(0, file.data() + start, uInt(size + 4))));
}

// One band's rows as raw deflate data that the next band's data can follow:
// every band but the last ends on a byte boundary without closing the
// stream. Adler is the checksum of the band's uncompressed bytes.
struct DeflatedBand {
    std::vector<uint8_t> Data;
    uLong Adler = 1;
    size_t RawBytes = 0;
    bool Ok = false;
};

size_t RowSamplesBytes(const PngPicture& picture)
{
    return size_t(picture.Width) * size_t(picture.Channels) * size_t(picture.Depth / 8);
}

// Row y behind its filter byte (0: the samples as they are), 16-bit samples
// in the file's most-significant-first order.
void FilteredRow(const PngPicture& picture, int64_t y, std::vector<uint8_t>& row)
{
    const uint8_t* in = picture.Pixels + size_t(y) * picture.RowBytes;
    row[0] = 0;
    if (picture.Depth == 8) {
        std::memcpy(row.data() + 1, in, row.size() - 1);
        return;
    }
    for (size_t i = 0; i + 1 < row.size(); i += 2) {
        uint16_t sample;
        std::memcpy(&sample, in + i, 2);
        row[1 + i] = uint8_t(sample >> 8);
        row[2 + i] = uint8_t(sample);
    }
}

bool DeflateRows(const PngPicture& picture, int64_t first, int64_t end, bool last, DeflatedBand& band)
{
    z_stream stream{};
    if (deflateInit2(&stream, Level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    std::vector<uint8_t> row(1 + RowSamplesBytes(picture));
    band.RawBytes = row.size() * size_t(end - first);
    band.Data.resize(band.RawBytes / 8 + 4096);
    stream.next_out = band.Data.data();
    stream.avail_out = uInt(band.Data.size());
    bool ok = true;
    for (int64_t y = first; y < end && ok; ++y) {
        FilteredRow(picture, y, row);
        band.Adler = adler32(band.Adler, row.data(), uInt(row.size()));
        stream.next_in = row.data();
        stream.avail_in = uInt(row.size());
        const int flush = y + 1 < end ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
        for (;;) {
            if (stream.avail_out == 0) {
                const size_t used = band.Data.size();
                band.Data.resize(used + used / 2);
                stream.next_out = band.Data.data() + used;
                stream.avail_out = uInt(band.Data.size() - used);
            }
            const int result = deflate(&stream, flush);
            if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
                ok = false;
                break;
            }
            if (flush == Z_FINISH ? result == Z_STREAM_END : stream.avail_in == 0 && stream.avail_out != 0)
                break;
        }
    }
    band.Data.resize(band.Data.size() - stream.avail_out);
    deflateEnd(&stream);
    return ok;
}

// The zlib wrapper's two leading bytes: deflate with a 32 KiB window, the
// level class of Level, and the check bits that make them a multiple of 31.
void PutStreamHeader(std::vector<uint8_t>& out)
{
    const unsigned method = 0x78;
    const unsigned levelClass = Level < 2 ? 0 : Level < 6 ? 1 : Level == 6 ? 2 : 3;
    unsigned flags = levelClass << 6;
    flags += 31 - (method * 256 + flags) % 31;
    out.push_back(uint8_t(method));
    out.push_back(uint8_t(flags));
}

std::vector<uint8_t> HeaderChunks(const PngPicture& picture)
{
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> data;
    PutBig32(data, uint32_t(picture.Width));
    PutBig32(data, uint32_t(picture.Height));
    data.push_back(uint8_t(picture.Depth));
    data.push_back(picture.Channels == 4 ? 6 : 2); // RGB and transparency, or RGB
    data.insert(data.end(), {0, 0, 0});            // deflate, adaptive filtering, not interlaced
    AppendChunk(file, "IHDR", data.data(), data.size());

    if (picture.IccProfile && !picture.IccProfile->empty()) {
        const std::vector<uint8_t>& profile = *picture.IccProfile;
        const char name[] = "ICC profile";
        data.assign(name, name + sizeof name); // with its terminating zero
        data.push_back(0);                     // deflate
        uLongf packed = compressBound(uLong(profile.size()));
        const size_t at = data.size();
        data.resize(at + packed);
        if (compress2(data.data() + at, &packed, profile.data(), uLong(profile.size()), 9) == Z_OK) {
            data.resize(at + packed);
            AppendChunk(file, "iCCP", data.data(), data.size());
        }
    }
    if (picture.XResolution > 0 && picture.YResolution > 0) {
        auto perMetre = [](double perMillimetre) {
            return uint32_t(std::min(perMillimetre * 1000 + 0.5, 2147483647.0));
        };
        data.clear();
        PutBig32(data, perMetre(picture.XResolution));
        PutBig32(data, perMetre(picture.YResolution));
        data.push_back(1); // per metre
        AppendChunk(file, "pHYs", data.data(), data.size());
    }
    return file;
}

void AppendDataChunks(std::vector<uint8_t>& file, const std::vector<uint8_t>& data)
{
    for (size_t at = 0; at < data.size(); at += MaxChunkBytes)
        AppendChunk(file, "IDAT", data.data() + at, std::min(MaxChunkBytes, data.size() - at));
}

} // namespace

std::vector<uint8_t> EncodePng(const PngPicture& picture, int bands)
{
    if (!picture.Pixels || picture.Width <= 0 || picture.Height <= 0 ||
        (picture.Channels != 3 && picture.Channels != 4) || (picture.Depth != 8 && picture.Depth != 16))
        return {};
    bands = std::clamp(bands, 1, MaxRenderThreads);
    DeflatedBand pieces[MaxRenderThreads];
    RunBands(bands, picture.Height, [&](int band, int64_t first, int64_t end) {
        const bool last = end == picture.Height;
        try {
            pieces[band].Ok = DeflateRows(picture, first, end, last, pieces[band]);
        } catch (const std::bad_alloc&) {
            pieces[band].Ok = false;
        }
    });

    std::vector<uint8_t> file = HeaderChunks(picture);
    std::vector<uint8_t> stream;
    PutStreamHeader(stream);
    uLong adler = 1;
    const int used = std::min<int64_t>(bands, picture.Height);
    for (int band = 0; band < used; ++band) {
        DeflatedBand& piece = pieces[band];
        if (!piece.Ok)
            return {};
        adler = adler32_combine(adler, piece.Adler, z_off_t(piece.RawBytes));
        if (band == 0) {
            piece.Data.insert(piece.Data.begin(), stream.begin(), stream.end());
        }
        if (band == used - 1)
            PutBig32(piece.Data, uint32_t(adler));
        AppendDataChunks(file, piece.Data);
        std::vector<uint8_t>().swap(piece.Data);
    }
    AppendChunk(file, "IEND", nullptr, 0);
    return file;
}

std::string WritePng(const std::string& path, const PngPicture& picture)
{
    std::vector<uint8_t> file;
    try {
        file = EncodePng(picture, BandCount(picture.Height, MinBandRows));
    } catch (const std::bad_alloc&) {
        file.clear();
    }
    if (file.empty())
        return "not enough memory to encode the picture";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return std::strerror(errno);
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    const int error = errno;
    if (std::fclose(out) != 0 || !written)
        return std::strerror(written ? errno : error);
    return {};
}

} // namespace vel
