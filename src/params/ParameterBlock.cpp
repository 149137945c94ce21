#include "params/ParameterBlock.h"

#include "platform/AsciiText.h"
#include "params/FieldTable.h"

#include <cstring>

namespace vel {

const char* const PatternGeometryNames[PatternGeometryCount] = {
    "Lines", "Waves 1", "Waves 2", "Waves 3", "Waves 4", "ZigZag", "ZigZag 1", "ZigZag 2",
    "Rings", "Rings Waves 1", "Rings Waves 2", "Rings Waves 3", "Rings Waves 4", "Rings Waves 5",
    "Rings Waves 6", "Rings ZigZag", "Rings ZigZag 1", "Rings ZigZag 2",
    "Spiral", "Spiral Waves 1", "Spiral Waves 2", "Spiral Waves 3", "Spiral Waves 4",
    "Spiral Waves 5", "Spiral Waves 6", "Spiral ZigZag", "Spiral ZigZag 1", "Spiral ZigZag 2",
    "Box", "Box Wave 1", "Box Wave 2", "Box Wave 3", "Box Wave 4", "Box ZigZag", "Box ZigZag 1",
    "Box ZigZag 2", "Box Wave Nonuniform 1", "Box Wave Nonuniform 2", "Box Wave Nonuniform 3",
    "Box Wave Nonuniform 4", "Box ZigZag Nonuniform",
    "Star 4", "Star 5", "Star 6", "Star 8",
    "Iso Lines 1", "Iso Lines 2",
};
const char* const EngraveTypeNames[EngraveTypeCount] = {"Positive", "Negative", "Combine"};
const char* const LayerInteractionNames[LayerInteractionCount] = {
    "Add", "Subtract", "Logical And", "Logical Xor", "Interfere", "Cross"};
const char* const EdgeKindNames[EdgeKindCount] = {"No Edges", "Nodules", "Bruise", "Doubles"};
const char* const ColorSchemaNames[ColorSchemaCount] = {
    "Monotone", "Custom palette", "CMYK palette", "RGB palette", "Initial colors"};
const char* const PaperSchemaNames[PaperSchemaCount] = {"Original", "Surface", "Colorized"};

LayerParameters& SelectLayer(ParameterBlock& block, LayerIndex layer)
{
    return block.Layers[layer == LayerIndex::Two ? 1 : 0];
}

const LayerParameters& SelectLayer(const ParameterBlock& block, LayerIndex layer)
{
    return block.Layers[layer == LayerIndex::Two ? 1 : 0];
}

void ClearPaletteAdjustments(ParameterBlock& block)
{
    std::memset(block.PaletteColorADD, 0, sizeof block.PaletteColorADD);
    std::memset(block.PaletteCMYKADD, 0, sizeof block.PaletteCMYKADD);
    std::memset(block.PaletteRGBADD, 0, sizeof block.PaletteRGBADD);
}

ParameterChanges ResetToDefaults(ParameterBlock& block)
{
    ParameterChanges changes;
    changes.PaletteStale = true;
    ClearPaletteAdjustments(block);
    std::memset(block.RemovedColors, NoRemovedColor, sizeof block.RemovedColors);
    for (const FieldInfo& field : ParameterFields()) {
        if (field.Shape == ValueShape::Text) {
            changes |= SetPaperName(block, field.DefaultText);
            continue;
        }
        for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two})
            SetFieldValue(block, field, layer, field.Default[int(layer)]);
    }
    return changes;
}

ParameterChanges ResetWindowGeometry(ParameterBlock& block)
{
    for (const GeometryField& field : WindowGeometryFields())
        std::memcpy(reinterpret_cast<unsigned char*>(&block) + field.Offset, &field.Default, sizeof(int32_t));
    ParameterChanges changes = ResetToDefaults(block);
    changes.TablesStale = true;
    return changes;
}

void TrimPaperName(ParameterBlock& block)
{
    block.PaperName[PaperNameSize - 1] = '\0';
    size_t length = std::strlen(block.PaperName);
    while (length > 0 && block.PaperName[length - 1] == ' ')
        --length;
    std::memset(block.PaperName + length, 0, PaperNameSize - length);
}

ParameterChanges SetPaperName(ParameterBlock& block, const char* name)
{
    ParameterChanges changes;
    if (!name)
        return changes;
    char cut[PaperNameSize] = {};
    std::strncpy(cut, name, PaperNameSize - 1);
    changes.PaperNameChanged = !EqualIgnoringCase(cut, block.PaperName, PaperNameSize);
    std::memcpy(block.PaperName, cut, PaperNameSize);
    return changes;
}

} // namespace vel
