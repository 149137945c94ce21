#pragma once
// The render driver's state: working geometry, the working planes and the
// render flags. One instance exists per running plug-in (or tool); the
// driver owns it and passes it to every engine step, and its colour part
// (PrintState) to every colour step.

#include "color/PrintState.h"
#include "engine/DiskTable.h"
#include "engine/Modulation.h"
#include "numeric/Random.h"
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

// Receives each ink's coverage just before the ink is printed: WorkWidth ×
// WorkHeight bytes, 255 where the ink covers fully, after coverage and
// edges. The command-line tool collects them as separation plates.
struct PlateSink {
    void (*Receive)(void* context, int ink, const uint8_t* coverage, int width, int height) = nullptr;
    void* Context = nullptr;
};

struct RenderState : PrintState {
    // Working geometry beyond the colour steps' working area.
    int FilterWidth = 0;
    int FilterHeight = 0;
    int FineWidth = 0;
    int FineHeight = 0;
    bool IsCMYK = false;

    // Working planes beyond the colour steps' ones; an empty plane does not
    // exist.
    Plane<uint8_t> FullSource;     // FilterWidth × FilterHeight × RGBA
    Plane<uint8_t> EngravePlane;   // WorkWidth × WorkHeight (room for 4 bytes a pixel)
    Plane<uint8_t> FinePlane;      // FineWidth × FineHeight
    Plane<uint8_t> CombineMask;    // WorkWidth × WorkHeight
    Plane<uint8_t> CapturePlane;   // FineWidth × FineHeight
    Plane<uint8_t> EdgePlane;      // sized by the edge step

    // Render flags.
    bool SourceLoaded = false;
    bool TablesReady = false;
    bool CapturePass = false;
    bool InteractPass = false;

    // The render's random sequence (reset to 0 by every render), the current
    // layer's modulation values and the cone profile (built once, TablesReady).
    RandomSequence Random;
    ModulationState Modulation;
    DiskTable Disk;

    // The dialog's state that a render reads.
    bool AlwaysComposite = false;
    ViewMode View = ViewMode::Composite; // the view chosen for the current tab

    // Where paper textures are found (the data folder's "Papers").
    std::string PapersFolder;

    ProgressSink Progress;
    PlateSink Plates;
};

// Reports progress through the state's sink, if any.
inline void ReportProgress(const RenderState& state, float done, float total)
{
    if (state.Progress.Report)
        state.Progress.Report(state.Progress.Context, done, total);
}

} // namespace vel
