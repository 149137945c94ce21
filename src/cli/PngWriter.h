#pragma once
// PNG files of the Linux tool, written by bands on the render's threads: each
// band of rows is deflated on its own and the pieces join into one stream,
// so a large engraving is encoded in a fraction of the time one thread takes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vel {

// What goes into the file: Height rows of Width pixels of Channels samples
// (3 RGB, 4 RGB and transparency), each one byte, or two in this computer's
// byte order when Depth is 16. Rows start RowBytes apart.
struct PngPicture {
    const uint8_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
    int Channels = 3;
    int Depth = 8;
    size_t RowBytes = 0;
    const std::vector<uint8_t>* IccProfile = nullptr; // null or empty: none
    double XResolution = 0;                           // pixels per millimetre; 0 leaves it out
    double YResolution = 0;
};

// The whole PNG file of `picture`, its rows deflated in `bands` independent
// pieces (1..16; fewer when the picture has few rows). The decoded pixels do
// not depend on the band count.
std::vector<uint8_t> EncodePng(const PngPicture& picture, int bands);

// Writes `picture` to `path`, deflating on the render's threads. Returns an
// empty string, or one line saying what went wrong.
std::string WritePng(const std::string& path, const PngPicture& picture);

} // namespace vel
