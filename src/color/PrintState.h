#pragma once
// What the colour steps read and write: the working area, the planes the
// inks are separated from and printed into, the ink palette and the paper
// cache. The render state of the engine extends it; the colour steps see
// nothing else of a render.

#include "color/InkPalette.h"
#include "color/InkState.h"
#include "color/Paper.h"
#include "platform/PageMemory.h"

#include <cstdint>

namespace vel {

struct PrintState {
    // Working area: its size, its place in the filtered image and the
    // preview's reduction (1 at full size).
    int WorkWidth = 0;
    int WorkHeight = 0;
    int WorkOffsetX = 0;
    int WorkOffsetY = 0;
    float PreviewScale = 1.0f;
    bool HasTransparency = false; // the host image has a transparency channel

    // Planes; an empty plane does not exist.
    Plane<uint8_t> AnalysisSample; // ≤ 512 × 512 × 4
    Plane<uint8_t> SourcePlane;    // WorkWidth × WorkHeight × RGBA
    Plane<uint8_t> OutputPlane;    // WorkWidth × WorkHeight × RGBA
    Plane<uint8_t> DensityPlane;   // WorkWidth × WorkHeight (room for 4 bytes a pixel)
    Plane<uint8_t> InkMaskPlane;   // WorkWidth × WorkHeight
    Plane<uint8_t> EmbossPlane;    // WorkWidth × WorkHeight, neutral 127
    Plane<uint8_t> InkLayerPlane;  // WorkWidth × WorkHeight × RGB

    bool EmbossOn = false;
    bool InkLayerOn = false;
    bool DialogUp = false; // the palette keeps its histogram while the dialog is up

    // Inks in use and the palette's freshness flags; the derived ink colours
    // with the palette analysis; the paper texture tiled for the working area.
    InkState Inks;
    InkPalette Palette;
    PaperCache Paper;
};

} // namespace vel
