#pragma once
// The ink's density (0..1) under working pixels, as the patterns read it:
// outside the image, or without a density plane, it is 0.5.

#include "engine/RenderState.h"

#include <cstdint>

namespace vel {

// float(level) / 255 for every level, as the processor divides.
struct DensityLevelTable {
    float Value[256];
    constexpr DensityLevelTable() : Value()
    {
        for (int level = 0; level < 256; ++level)
            Value[level] = float(level) / 255.0f;
    }
};
inline constexpr DensityLevelTable DensityLevels{};

class FieldDensity {
  public:
    explicit FieldDensity(const RenderState& state) : width_(state.WorkWidth), height_(state.WorkHeight)
    {
        const Plane<uint8_t>& plane = state.DensityPlane;
        if (plane && width_ > 0 && height_ > 0 && plane.Bytes() / size_t(width_) >= size_t(height_))
            pixels_ = plane.Data();
    }

    float operator()(int gx, int gy) const
    {
        if (!pixels_ || gx < 0 || gy < 0 || gx >= width_ || gy >= height_)
            return 0.5f;
        return DensityLevels.Value[pixels_[size_t(gy) * size_t(width_) + size_t(gx)]];
    }

  private:
    const uint8_t* pixels_ = nullptr;
    int width_;
    int height_;
};

} // namespace vel
