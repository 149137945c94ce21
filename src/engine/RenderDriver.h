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

// Renders and writes the result into the host's output buffer; images that
// cannot be rendered are passed through unchanged. Returns the result code
// for the host, which is noErr once the output holds a picture.
int16_t RenderImage(RenderState& state, const ParameterBlock& params, RenderHost& host);

// Reads the whole filter rectangle into FullSource unless it is there
// already. On failure the user has been told and `result` holds
// userCanceledErr.
bool PrepareFullSource(RenderState& state, RenderHost& host, int16_t& result);

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
