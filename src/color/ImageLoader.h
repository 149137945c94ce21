#pragma once
// Decoding of paper textures and thumbnail sources: FreeImage in native
// builds, the Windows Imaging Component in the Windows builds.

#include "platform/PageMemory.h"

#include <cstdint>
#include <string>

namespace vel {

// Decodes the image file at `path` into `image`: width × height pixels of
// 4 bytes (red, green, blue, alpha), rows top to bottom. On failure `image`
// is empty, the user has been told why in a "Plugin Alert" and the result is
// false. Missing, empty, truncated and corrupt files fail this way.
bool LoadImageRGBA(const std::string& path, Plane<uint8_t>& image);

// The alert of a decoding problem: with a known format "<format> Format is
// unsupported\n" and the decoder's message, otherwise the message alone;
// at most 255 characters.
void ReportImageProblem(const char* formatName, const std::string& message);

} // namespace vel
