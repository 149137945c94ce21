#pragma once
// Files for the fuzz targets: the readers take paths, so each input is
// written to a private folder first.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vel::fuzz {

// A folder of this process, ending with the separator.
const std::string& ScratchFolder();

void WriteBytes(const std::string& path, const uint8_t* data, size_t size);
std::string ReadBytes(const std::string& path);

} // namespace vel::fuzz
