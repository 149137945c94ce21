#include "support/MemoryHost.h"

namespace vel::test {

MemoryHost::MemoryHost(int width, int height, int planes, int32_t mode)
    : width_(width), height_(height), planes_(planes), mode_(mode)
{
    const std::vector<uint8_t> picture = TestPicture(width, height);
    Input.resize(size_t(width) * size_t(height) * size_t(planes));
    for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i)
        for (int c = 0; c < planes; ++c)
            Input[i * size_t(planes) + size_t(c)] = picture[i * 4 + size_t(c < 4 ? c : 3)];
    Output = Input;
}

HostImage MemoryHost::Describe()
{
    HostImage image;
    image.Mode = mode_;
    image.Depth = 8;
    image.Planes = planes_;
    image.FilterWidth = image.OutWidth = width_;
    image.FilterHeight = image.OutHeight = height_;
    if (Delivered && !RefuseBuffer)
        image.Input = {Input.data(), width_ * planes_};
    image.Output = {Output.data(), width_ * planes_};
    return image;
}

int16_t MemoryHost::RequestWholeImage()
{
    Delivered = true;
    return 0;
}

std::vector<uint8_t> TestPicture(int width, int height)
{
    std::vector<uint8_t> picture(size_t(width) * size_t(height) * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &picture[(size_t(y) * size_t(width) + size_t(x)) * 4];
            const int dx = x - width / 2, dy = y - height / 2;
            const bool disc = dx * dx + dy * dy < (width * width) / 10;
            p[0] = uint8_t(disc ? 200 : 255 * x / width);
            p[1] = uint8_t(disc ? 60 : 255 * y / height);
            p[2] = uint8_t(disc ? 40 : 255 - 255 * x / width);
            p[3] = 255;
        }
    return picture;
}

uint64_t HashBytes(const std::vector<uint8_t>& bytes)
{
    uint64_t hash = 1469598103934665603ull;
    for (uint8_t b : bytes) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace vel::test
