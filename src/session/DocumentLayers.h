#pragma once
// The document read layer by layer for the dialog's preview: the target
// layer's own pixels, the composite of the visible layers below it, and the
// backdrop the preview draws the rendered result over.

#include "engine/RenderState.h"
#include "session/HostRecords.h"
#include "session/PixelBuffer.h"

namespace vel {

// Kept while the dialog is open; replaced when it opens again.
struct DocumentBuffers {
    PixelBuffer TargetLayerPixels;  // the target layer over the filter rectangle, with its transparency
    PixelBuffer LayersBelow;        // the visible layers below the target, over transparent black
    Plane<uint8_t> PreviewBackdrop; // WorkWidth × WorkHeight × RGB
};

// Reads the target layer and composites the visible layers below it through
// the document description, the action suites (layer names and visibility)
// and the channel ports. Host errors go into `result`; LayersBelow is kept
// only when every read succeeded, and memFullErr is written when it cannot
// be created.
void ReadTargetLayer(const FilterRecord& record, DocumentBuffers& buffers, int16_t& result);

// With LayersBelow present, makes PreviewBackdrop the layers below at the
// preview's scale and scroll position, over a checkerboard where they are
// transparent.
void BuildPreviewBackdrop(const RenderState& state, DocumentBuffers& buffers);

} // namespace vel
