#pragma once
// The render driver's host for the command-line tool: an RGBA picture in
// memory, rendered as an RGB document with a transparency plane.

#include "engine/RenderHost.h"
#include "platform/PageMemory.h"

#include <cstdint>

namespace vel {

class ImageRenderHost final : public RenderHost {
public:
    // `source` is width × height × RGBA; `result` receives the same layout.
    ImageRenderHost(const Plane<uint8_t>& source, Plane<uint8_t>& result, bool showProgress);

    HostImage Describe() override;
    int16_t RequestWholeImage() override;
    ColorConverter* Converter() override { return nullptr; }
    void Progress(int32_t done, int32_t total) override;

private:
    const Plane<uint8_t>& source_;
    Plane<uint8_t>& result_;
    bool showProgress_;
    bool delivered_ = false;
};

// Draws a progress bar on standard error (the render's progress sink).
void DrawProgress(void* context, float done, float total);

} // namespace vel
