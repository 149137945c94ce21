#include "color/InkState.h"

#include <cstring>

namespace vel {

ParameterChanges ReloadInkState(ParameterBlock& block, InkState& inks)
{
    inks.InkCount = uint8_t(block.NInks & 0xFF);
    inks.PaletteValid = false;
    inks.NeedNewHistogram = true;

    TrimPaperName(block);
    char name[PaperNameSize];
    std::memcpy(name, block.PaperName, PaperNameSize);
    block.PaperName[0] = '\0';
    const ParameterChanges changes = SetPaperName(block, name);

    switch (ColorSchemaKind(block.ColorSchema)) {
    case ColorSchemaKind::CmykPalette: inks.InkCount = 4; break;
    case ColorSchemaKind::RgbPalette: inks.InkCount = 3; break;
    case ColorSchemaKind::Monotone:
    case ColorSchemaKind::InitialColors: inks.InkCount = 1; break;
    default: break;
    }
    return changes;
}

} // namespace vel
