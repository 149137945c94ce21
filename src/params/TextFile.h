#pragma once
// The single-byte text files of presets and settings: files are read one
// byte at a time into lines, and written whole with bytes unchanged.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace vel {

// Reads lines from a file opened for reading, bytes unchanged. A tab reads
// as a space. A line ends at the first byte whose value as a signed 8-bit
// number is 13 or less (the control characters 0 to 13 and every byte of
// 0x80 or above), so a carriage return ends a line by itself and the line
// feed after it forms an empty line. A last line without its ending byte is
// not used. Lines longer than LineCapacity bytes are cut there.
class TextLineReader {
public:
    static constexpr size_t LineCapacity = 1000;

    explicit TextLineReader(const std::string& path);

    // False when the file could not be opened.
    bool IsOpen() const { return file_ != nullptr; }

    // The next line's text without its ending byte, valid until the next
    // call. False at the end of the file.
    bool NextLine(std::string_view& line);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    char line_[LineCapacity];
};

// A value line: leading spaces skipped, four characters of key, the spaces
// after the key skipped, the rest.
struct KeyedLine {
    std::string_view Key;
    std::string_view Value;
};

// False for a line without a key: fewer than four characters after the
// leading spaces, or a comment beginning with ";".
bool SplitKeyedLine(std::string_view line, KeyedLine& keyed);

// The four tabs that set a field's comment off from its value.
inline constexpr char CommentIndent[] = "\t\t\t\t";

// Appends a value line: key, space, value, space, comment and a line feed,
// with one more space before the line feed when `spaceAtEnd` is set.
void AppendValueLine(std::string& text, std::string_view key, std::string_view value,
                     std::string_view comment, bool spaceAtEnd = false);

// Writes `content` with bytes unchanged to a temporary file beside `path`
// and then puts it in the place of `path` in one step, so that a failed
// write (a full disk, a lost share) leaves an existing file as it was.
// False when the file could not be written completely or put in place.
bool WriteTextFile(const std::string& path, std::string_view content);

// For tests: the next writes stop after `bytes` bytes as if the disk were
// full; a negative value writes normally again.
void SetTextWriteFault(long long bytes);

} // namespace vel
