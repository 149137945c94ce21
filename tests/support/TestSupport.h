#pragma once
// Small fixtures shared by the test folders.

#include "platform/Alert.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vel::test {

// Records every alert shown while it lives and answers with `answer`.
class AlertRecorder {
public:
    explicit AlertRecorder(AlertAnswer answer = AlertAnswer::Ok);
    ~AlertRecorder();
    AlertRecorder(const AlertRecorder&) = delete;
    AlertRecorder& operator=(const AlertRecorder&) = delete;

    const std::vector<AlertMessage>& Shown() const { return shown_; }

private:
    std::vector<AlertMessage> shown_;
    AlertSink previous_;
};

// A fresh, empty folder for one test, removed with its content afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending with the platform separator.
    const std::string& Path() const { return path_; }

    // Writes `content` to Path() + name (folders in `name` must exist).
    void WriteFile(const std::string& name, const std::string& content) const;
    void MakeFolder(const std::string& name) const;

private:
    std::string path_;
};

// Writes a 24-bit BMP of width × height pixels, rows top to bottom, from
// `rgb` (3 bytes a pixel), by hand so that every build reads the same file.
void WriteBmp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

} // namespace vel::test
