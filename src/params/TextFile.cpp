#include "params/TextFile.h"

#include "platform/Folders.h"

#include <algorithm>
#include <cstdint>

namespace vel {

TextLineReader::TextLineReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

bool TextLineReader::NextLine(std::string_view& line)
{
    if (!file_)
        return false;
    size_t length = 0;
    for (;;) {
        const int byte = std::getc(file_.get());
        if (byte == EOF)
            return false;
        const char c = byte == '\t' ? ' ' : char(byte);
        if (int8_t(c) <= 13)
            break;
        if (length < LineCapacity)
            line_[length++] = c;
    }
    line = std::string_view(line_, length);
    return true;
}

bool SplitKeyedLine(std::string_view line, KeyedLine& keyed)
{
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    if (line.size() < 4 || line[0] == ';')
        return false;
    keyed.Key = line.substr(0, 4);
    line.remove_prefix(4);
    keyed.Value = line.substr(std::min(line.find_first_not_of(' '), line.size()));
    return true;
}

void AppendValueLine(std::string& text, std::string_view key, std::string_view value,
                     std::string_view comment, bool spaceAtEnd)
{
    text += key;
    text += ' ';
    text += value;
    text += ' ';
    text += comment;
    text += spaceAtEnd ? " \n" : "\n";
}

namespace {

long long writeFault = -1;

// The temporary file's name: the target's with a leading dot and a suffix,
// in the same folder so that the rename stays on one volume.
std::string TemporaryBeside(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, start) + "." + path.substr(start) + ".partial";
}

} // namespace

void SetTextWriteFault(long long bytes)
{
    writeFault = bytes;
}

bool WriteTextFile(const std::string& path, std::string_view content)
{
    const std::string temporary = TemporaryBeside(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    size_t size = content.size();
    if (writeFault >= 0 && size_t(writeFault) < size)
        size = size_t(writeFault);
    const bool written = std::fwrite(content.data(), 1, size, file) == content.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed && ReplaceFileWith(temporary, path))
        return true;
    DeleteFileAt(temporary);
    return false;
}

} // namespace vel
