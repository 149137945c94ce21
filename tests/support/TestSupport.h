#pragma once
// Small fixtures shared by the test folders.

#include "params/PresetLibrary.h"
#include "platform/Alert.h"

#include <cstdint>
#include <deque>
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

// Answers the save flow's questions from a script and records them.
class ScriptedPrompts : public PresetSavePrompts {
public:
    std::deque<std::string> Names;       // typed names; running out cancels
    std::deque<AlertAnswer> Overwrites;  // answers to the overwrite question
    std::vector<std::string> Prefilled;  // what each name dialog showed
    std::vector<std::string> Questioned; // paths the overwrite question named
    int Writes = 0;

    bool AskName(std::string& name) override
    {
        Prefilled.push_back(name);
        if (Names.empty())
            return false;
        name = Names.front();
        Names.pop_front();
        return true;
    }

    AlertAnswer AskOverwrite(const std::string& path) override
    {
        Questioned.push_back(path);
        const AlertAnswer answer = Overwrites.front();
        Overwrites.pop_front();
        return answer;
    }

    void BeforeWrite() override { ++Writes; }
};

} // namespace vel::test
