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

} // namespace vel::test
