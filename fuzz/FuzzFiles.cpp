#include "FuzzFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace vel::fuzz {

const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        const auto path =
            std::filesystem::temp_directory_path() / ("vellisto-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path.string() + "/";
    }();
    return folder;
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    if (!out)
        std::abort();
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace vel::fuzz
