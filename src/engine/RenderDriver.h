#pragma once
// The render driver: turns the host's source pixels into the engraved
// result. It serves the final render (the whole filter rectangle) and the
// dialog's preview (the visible area at the preview's scale) with one path.

#include "engine/RenderHost.h"
#include "engine/RenderState.h"
#include "params/ParameterBlock.h"

#include <cstdint>
#include <vector>

namespace vel {

inline constexpr int16_t NoErr = 0;
inline constexpr int16_t MemFullErr = -108;
inline constexpr int16_t UserCanceledErr = -128;

inline constexpr int16_t FilterBadModeErr = -30101;

// What a render did with the picture.
enum class RenderResult : uint8_t {
    Rendered,     // the output holds the engraving
    WrongMode,    // neither RGB nor CMYK: passed through
    OriginalView, // the dialog shows the original: passed through
    NoMemory,     // a working plane could not be created: passed through
    NoSource,     // the host delivered no source: passed through
};

// The outcome of RenderImage. Every outcome but Rendered has been shown to
// the user as an alert; callers decide what a pass-through means for them.
struct [[nodiscard]] RenderOutcome {
    RenderResult Result = RenderResult::Rendered;
    int16_t HostError = NoErr; // the host's answer to the source request (NoSource)

    bool Rendered() const { return Result == RenderResult::Rendered; }
    // The result word a filter host gets: noErr whatever happened, so that
    // a host keeps the (unchanged) image and the user has seen the alert.
    int16_t ResultWord() const { return NoErr; }
    // The outcome as a host error code: noErr when rendered (or when the
    // original was shown), filterBadMode, memFullErr, or the host's error.
    int16_t Code() const;
    bool operator==(int16_t code) const { return Code() == code; }
};

// Renders and writes the result into the host's output buffer; images that
// cannot be rendered are passed through unchanged. While the dialog is not
// up, progress goes to the host.
RenderOutcome RenderImage(RenderState& state, const ParameterBlock& params, RenderHost& host);

// Reads the whole filter rectangle into FullSource unless it is there
// already. On failure the user has been told and `result` holds
// userCanceledErr; `hostAnswer`, when given, receives the host's answer to
// the request.
bool PrepareFullSource(RenderState& state, RenderHost& host, int16_t& result, int16_t* hostAnswer = nullptr);

// Reduces FullSource by nearest-neighbour sampling to at most 512 × 512.
void BuildPaletteSample(RenderState& state);

// Creates the working planes for the host's current output area and fills
// SourcePlane. False (after telling the user) when a plane the render needs
// cannot be created.
bool PrepareWorkingPlanes(RenderState& state, RenderHost& host);

// One layer pass of a render: which layer and ink, whether it only captures
// its field, and whether it combines its field with the capture.
struct PassStep {
    int Layer;
    int Ink;
    bool Capture;
    bool Interact;
    bool operator==(const PassStep&) const = default;
};

// The layer passes of a render in order, for the view and the interaction.
std::vector<PassStep> PlanPasses(const RenderState& state, const ParameterBlock& params);

// Paper, every layer and ink in the order the interaction demands, emboss.
// False (after telling the user) when the ink layer cannot be created.
bool RunLayers(RenderState& state, const ParameterBlock& params);

// Frees every plane and the paper texture; the next render starts afresh.
void Release(RenderState& state);

// Derives the palette when it is stale, fixing the ink count.
void RefreshInkCount(RenderState& state, const ParameterBlock& params);

// The view a render shows: composite whenever the dialog is not up.
ViewMode CurrentView(const RenderState& state);

// Brings the state's paper texture, palette and tables in step with a change
// of the parameters, as the function that made the change reported it.
void ApplyParameterChanges(RenderState& state, const ParameterChanges& changes);

} // namespace vel
