#pragma once
// Large working planes come zero-filled from the operating system's page
// allocator (VirtualAlloc / mmap) and go straight back to it.

#include <cstddef>
#include <cstdint>
#include <utility>

namespace vel {

// Zero-filled pages of at least `bytes` bytes, or null when the system
// refuses (or bytes is 0).
void* AllocatePages(size_t bytes);
void ReleasePages(void* pages, size_t bytes);

// An owning, move-only plane of Width × Height × Channels elements of T in
// page memory. An empty plane (no storage) is the "plane does not exist"
// state: check it before use.
template <typename T>
class Plane {
public:
    Plane() = default;
    Plane(const Plane&) = delete;
    Plane& operator=(const Plane&) = delete;
    Plane(Plane&& other) noexcept { Swap(other); }
    Plane& operator=(Plane&& other) noexcept
    {
        Plane(std::move(other)).Swap(*this);
        return *this;
    }
    ~Plane() { Release(); }

    // Replaces the plane by a zero-filled one. Returns false, leaving the
    // plane empty, when the size overflows or the allocation fails.
    bool Allocate(int width, int height, int channels = 1)
    {
        Release();
        if (width <= 0 || height <= 0 || channels <= 0)
            return false;
        const size_t count = size_t(width) * size_t(height);
        if (count / size_t(width) != size_t(height) || count > SIZE_MAX / sizeof(T) / size_t(channels))
            return false;
        const size_t bytes = count * size_t(channels) * sizeof(T);
        data_ = static_cast<T*>(AllocatePages(bytes));
        if (!data_)
            return false;
        width_ = width;
        height_ = height;
        channels_ = channels;
        return true;
    }

    void Release()
    {
        if (data_)
            ReleasePages(data_, Bytes());
        data_ = nullptr;
        width_ = height_ = channels_ = 0;
    }

    explicit operator bool() const { return data_ != nullptr; }
    T* Data() { return data_; }
    const T* Data() const { return data_; }
    T* Row(int y) { return data_ + size_t(y) * size_t(width_) * size_t(channels_); }
    const T* Row(int y) const { return data_ + size_t(y) * size_t(width_) * size_t(channels_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Channels() const { return channels_; }
    size_t Count() const { return size_t(width_) * size_t(height_) * size_t(channels_); }
    size_t Bytes() const { return Count() * sizeof(T); }

private:
    void Swap(Plane& other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(width_, other.width_);
        std::swap(height_, other.height_);
        std::swap(channels_, other.channels_);
    }

    T* data_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int channels_ = 0;
};

} // namespace vel
