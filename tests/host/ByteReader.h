#pragma once
// Reads the little-endian fields of a Windows resource in order.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vel::test {

class ByteReader {
  public:
    explicit ByteReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    uint8_t U8() { return Take(1) ? bytes_[at_ - 1] : 0; }
    uint16_t U16() { return uint16_t(Little(2)); }
    uint32_t U32() { return uint32_t(Little(4)); }

    // A length byte and that many characters.
    std::string Pascal()
    {
        const size_t length = U8();
        return Text(length);
    }

    // A NUL-terminated string, the terminator consumed.
    std::string CString()
    {
        std::string text;
        for (char c; (c = char(U8())) != '\0' && !failed_;)
            text += c;
        return text;
    }

    std::vector<uint8_t> Bytes(size_t count)
    {
        if (!Take(count))
            return {};
        return std::vector<uint8_t>(bytes_.begin() + long(at_ - count), bytes_.begin() + long(at_));
    }

    std::string Text(size_t count)
    {
        const std::vector<uint8_t> bytes = Bytes(count);
        return std::string(bytes.begin(), bytes.end());
    }

    size_t Position() const { return at_; }
    bool AtEnd() const { return at_ == bytes_.size(); }
    bool Failed() const { return failed_; }

  private:
    bool Take(size_t count)
    {
        if (failed_ || bytes_.size() - at_ < count) {
            failed_ = true;
            return false;
        }
        at_ += count;
        return true;
    }

    uint64_t Little(size_t count)
    {
        if (!Take(count))
            return 0;
        uint64_t value = 0;
        for (size_t i = 0; i < count; ++i)
            value |= uint64_t(bytes_[at_ - count + i]) << (8 * i);
        return value;
    }

    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
    bool failed_ = false;
};

} // namespace vel::test
