#include "support/TestSupport.h"

#include "platform/Folders.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vel::test {

AlertRecorder::AlertRecorder(AlertAnswer answer)
{
    previous_ = SetAlertSink([this, answer](const AlertMessage& message) {
        shown_.push_back(message);
        return answer;
    });
}

AlertRecorder::~AlertRecorder() { SetAlertSink(std::move(previous_)); }

namespace {
std::atomic<int> FolderCounter{0};
}

TempFolder::TempFolder()
{
    namespace fs = std::filesystem;
    const fs::path base = fs::temp_directory_path() / "vellisto-tests";
    fs::path folder;
    do {
        folder = base / (std::to_string(FolderCounter++) + "-" + std::to_string(std::rand()));
    } while (fs::exists(folder));
    fs::create_directories(folder);
    path_ = folder.string();
    if (path_.back() != PathSeparator)
        path_ += PathSeparator;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempFolder::WriteFile(const std::string& name, const std::string& content) const
{
    std::ofstream out(path_ + name, std::ios::binary);
    if (!out)
        throw std::runtime_error("cannot write test file " + path_ + name);
    out << content;
}

void TempFolder::MakeFolder(const std::string& name) const
{
    std::filesystem::create_directories(path_ + name);
}

void WriteBmp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
    const size_t dataBytes = rowBytes * size_t(height);
    std::vector<uint8_t> file(54 + dataBytes);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, uint32_t(dataBytes));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* in = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
            uint8_t* out = &file[54 + size_t(height - 1 - y) * rowBytes + size_t(x) * 3];
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

} // namespace vel::test
