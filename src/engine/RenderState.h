#pragma once
// The render driver's state: working geometry, the working planes and the
// render flags. One instance exists per running plug-in (or tool); the
// driver owns it and passes it to every engine and colour step.

#include "color/InkPalette.h"
#include "color/InkState.h"
#include "color/Paper.h"
#include "engine/DiskTable.h"
#include "engine/Modulation.h"
#include "engine/Random.h"
#include "platform/PageMemory.h"

#include <cstdint>
#include <string>

namespace vel {

// What the preview shows (and which layer the pages edit).
enum class ViewMode : uint8_t { Composite, LayerOne, LayerTwo, Original };

// Progress of a long step, 0..total. The driver routes it to the dialog's
// progress bar or to the host.
struct ProgressSink {
    void (*Report)(void* context, float done, float total) = nullptr;
    void* Context = nullptr;
};

struct RenderState {
    // Working geometry.
    int WorkWidth = 0;
    int WorkHeight = 0;
    int FilterWidth = 0;
    int FilterHeight = 0;
    int FineWidth = 0;
    int FineHeight = 0;
    float PreviewScale = 1.0f;
    int WorkOffsetX = 0;
    int WorkOffsetY = 0;
    bool IsCMYK = false;
    bool HasTransparency = false; // the host image has a transparency channel

    // Working planes; an empty plane does not exist.
    Plane<uint8_t> FullSource;     // FilterWidth × FilterHeight × RGBA
    Plane<uint8_t> AnalysisSample; // ≤ 512 × 512 × 4
    Plane<uint8_t> SourcePlane;    // WorkWidth × WorkHeight × RGBA
    Plane<uint8_t> OutputPlane;    // WorkWidth × WorkHeight × RGBA
    Plane<uint8_t> DensityPlane;   // WorkWidth × WorkHeight (room for 4 bytes a pixel)
    Plane<uint8_t> EngravePlane;   // WorkWidth × WorkHeight (room for 4 bytes a pixel)
    Plane<uint8_t> FinePlane;      // FineWidth × FineHeight
    Plane<uint8_t> CombineMask;    // WorkWidth × WorkHeight
    Plane<uint8_t> CapturePlane;   // FineWidth × FineHeight
    Plane<uint8_t> InkMaskPlane;   // WorkWidth × WorkHeight
    Plane<uint8_t> EdgePlane;      // sized by the edge step
    Plane<uint8_t> EmbossPlane;    // WorkWidth × WorkHeight, neutral 127
    Plane<uint8_t> InkLayerPlane;  // WorkWidth × WorkHeight × RGB

    // Render flags.
    bool SourceLoaded = false;
    bool TablesReady = false;
    bool EmbossOn = false;
    bool InkLayerOn = false;
    bool CapturePass = false;
    bool InteractPass = false;

    // Inks in use and the palette's freshness flags; the derived ink colours
    // with the palette analysis; the paper texture tiled for the working area.
    InkState Inks;
    InkPalette Palette;
    PaperCache Paper;

    // The render's random sequence (reset to 0 by every render), the current
    // layer's modulation values and the cone profile (built once, TablesReady).
    RandomSequence Random;
    ModulationState Modulation;
    DiskTable Disk;

    // The dialog's state that a render reads.
    bool DialogUp = false;
    bool AlwaysComposite = false;
    ViewMode View = ViewMode::Composite; // the view chosen for the current tab

    // Where paper textures are found (the data folder's "Papers").
    std::string PapersFolder;

    ProgressSink Progress;
};

// Reports progress through the state's sink, if any.
inline void ReportProgress(const RenderState& state, float done, float total)
{
    if (state.Progress.Report)
        state.Progress.Report(state.Progress.Context, done, total);
}

} // namespace vel
