#pragma once
// Saving the engraved picture; the format follows the file's extension
// (png, jpg/jpeg, tif/tiff, bmp).

#include "platform/PageMemory.h"

#include <string>

namespace vel {

// The file name's extension in lower case, without the dot ("" if none).
std::string LowerExtension(const std::string& path);

// True when `path` names a format the writer can produce.
bool CanWriteImage(const std::string& path);

// The extensions the tool writes, for messages: ".png, .jpg, ... or .bmp".
std::string WritableExtensions();

// Writes a width × height × RGBA image to `path` through FreeImage (BMP files
// of the Linux tool), in the format that
// `formatPath`'s extension names (the two differ when writing to a temporary
// file first). Formats without transparency get the colours as they are.
// Returns an empty string on success, else what went wrong.
std::string WriteImageRGBA(const std::string& path, const std::string& formatPath, const Plane<uint8_t>& image);

} // namespace vel
