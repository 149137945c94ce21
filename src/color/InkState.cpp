#include "color/InkState.h"

#include <cstring>

namespace vel {

void ReloadInkState(ParameterBlock& block, InkState& inks)
{
    inks.InkCount = uint8_t(block.NInks & 0xFF);
    inks.PaletteValid = false;
    inks.NeedNewHistogram = true;

    block.PaperName[PaperNameSize - 1] = '\0';
    char name[PaperNameSize];
    std::memcpy(name, block.PaperName, PaperNameSize);
    for (size_t n = std::strlen(name); n > 0 && name[n - 1] == ' '; --n)
        name[n - 1] = '\0';
    block.PaperName[0] = '\0';
    SetPaperName(block, name);

    switch (ColorSchemaKind(block.ColorSchema)) {
    case ColorSchemaKind::CmykPalette: inks.InkCount = 4; break;
    case ColorSchemaKind::RgbPalette: inks.InkCount = 3; break;
    case ColorSchemaKind::Monotone:
    case ColorSchemaKind::InitialColors: inks.InkCount = 1; break;
    default: break;
    }
}

} // namespace vel
