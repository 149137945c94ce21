#pragma once
// The paper the inks are printed on: plain white, a plain colour, nothing
// (transparent), or a texture from the papers folder, tiled over the working
// area at the chosen scale and interpreted as "Original", "Surface" or
// "Colorized". The tiled texture is cached between renders.

#include "color/PlanarImage.h"
#include "params/ParameterBlock.h"

#include <string>
#include <vector>

namespace vel {

struct PrintState;

// The texture tiled for one working area. It is reused while the area (size,
// offset and preview scale), PaperName and PaperScale stay as they were.
struct PaperCache {
    PlanarImage Texture; // PaperPlane; empty when no texture is loaded
    int Width = 0;
    int Height = 0;
    int OffsetX = 0;
    int OffsetY = 0;
    float PreviewScale = 0.0f;
    float Scale = 0.0f;
    char Name[PaperNameSize] = {};
};

// "None", "Solid", then the texture files of `papersFolder` in listing
// order; nothing at all when the folder cannot be listed.
std::vector<std::string> ListPapers(const std::string& papersFolder);

// Lays the paper into OutputPlane, loading and tiling the texture from
// `papersFolder` first when the cache does not hold it. A texture that
// cannot be loaded gives white paper (after an alert) and is tried again by
// the next render.
void PreparePaper(PrintState& state, const ParameterBlock& params, const std::string& papersFolder);

// Releases the cached texture so that the next render loads it again.
void DropPaperTexture(PrintState& state);

// Whether PaperName names a paper at all ("None" does not; empty is white).
bool PaperPresent(const ParameterBlock& params);

} // namespace vel
