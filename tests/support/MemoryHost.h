#pragma once
// A render host over pictures in memory, for tests of the render driver.

#include "engine/RenderHost.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vel::test {

class MemoryHost : public RenderHost {
public:
    // An 8-bit RGB document of `planes` planes (3 or 4), its output
    // pre-filled with the source as a filter host does.
    MemoryHost(int width, int height, int planes, int32_t mode = int32_t(ImageMode::Rgb));

    HostImage Describe() override;
    int16_t RequestWholeImage() override;
    ColorConverter* Converter() override { return nullptr; }
    void Progress(int32_t, int32_t) override {}

    std::vector<uint8_t> Input;
    std::vector<uint8_t> Output;
    bool Delivered = false;
    bool RefuseBuffer = false; // the host cannot deliver the image

private:
    int width_, height_, planes_;
    int32_t mode_;
};

// A small picture with gradients and a disc, for renders: width × height × 4.
std::vector<uint8_t> TestPicture(int width, int height);

// FNV-1a of a byte range, for recorded render hashes.
uint64_t HashBytes(const std::vector<uint8_t>& bytes);

} // namespace vel::test
