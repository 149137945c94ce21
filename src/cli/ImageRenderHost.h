#pragma once
// The render driver's host for the command-line tool: a picture file's
// document in memory, delivered whole like a filter host delivers it.

#include "ImageDocument.h"
#include "engine/RenderHost.h"

#include <cstdint>

namespace vel {

class ImageRenderHost final : public RenderHost {
public:
    // `result` has the layout of `source` and starts as its copy.
    ImageRenderHost(const ImageDocument& source, ImageDocument& result, bool showProgress);

    HostImage Describe() override;
    int16_t RequestWholeImage() override;
    ColorConverter* Converter() override { return nullptr; }
    void Progress(int32_t done, int32_t total) override;

private:
    const ImageDocument& source_;
    ImageDocument& result_;
    bool showProgress_;
    bool delivered_ = false;
};

// Draws a progress bar on standard error.
void DrawProgress(void* context, float done, float total);

} // namespace vel
