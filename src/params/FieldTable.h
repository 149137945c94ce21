#pragma once
// The one table of parameter fields. Presets, scripting, the registry, the
// command line and the dialog all read it, so a new field is one new row.

#include "params/ParameterBlock.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vel {

// A four-character code: the first character in the most significant byte.
constexpr uint32_t FourCC(const char (&code)[5])
{
    return (uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
           (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3]));
}

// How a value is stored in the block and how it is written in text files and
// descriptors:
//   Integer  int32        preset "%d",            descriptor integer
//   Choice   uint8        preset "%d",            descriptor integer
//   Flag     uint8        preset "%d " (flag),    descriptor boolean
//   Real     float        preset "%.2f ",         descriptor float
//   Text     char[65]     preset "%s ",           descriptor string
enum class ValueShape : uint8_t { Integer, Choice, Flag, Real, Text };

enum class FieldScope : uint8_t { Common, Layer };

struct FieldRange {
    double Min;
    double Max;
};

struct FieldInfo {
    const char* Name;        // field name; layer fields get the layer digit appended
    FieldScope Scope;
    size_t Offset;           // within ParameterBlock (Common) or LayerParameters (Layer)
    ValueShape Shape;
    char Key[5];             // descriptor code; for layer fields the three-letter stem
    const char* Label;       // preset comment label without ';' and, for layers, " 1"
    FieldRange Slider;       // the dialog slider's range
    FieldRange Typed;        // the widest range a typed value may widen to
    double Default[2];       // layer one / layer two (common fields: both equal)
    std::span<const char* const> Names; // display names of an enumeration, else empty
    const char* DefaultText; // Text fields only
};

std::span<const FieldInfo> ParameterFields();

// The descriptor code of a field for a layer (ignored for common fields).
uint32_t DescriptorKey(const FieldInfo& field, LayerIndex layer);

// The preset-file key: the descriptor code's bytes in little-endian order.
std::string PresetKey(const FieldInfo& field, LayerIndex layer);
std::string PresetKeyOf(uint32_t code);

// The preset comment label, beginning with ';' ("Angle 2" for layer two).
std::string PresetLabel(const FieldInfo& field, LayerIndex layer);

// The field's user-visible name: "NInks", "Geometry1", "Angle2".
std::string FieldName(const FieldInfo& field, LayerIndex layer);

// Finds a field by the name FieldName gives. Returns null when unknown.
const FieldInfo* FindField(const std::string& name, LayerIndex* layer);

// Raw storage of a field within a block.
void* FieldAddress(ParameterBlock& block, const FieldInfo& field, LayerIndex layer);
const void* FieldAddress(const ParameterBlock& block, const FieldInfo& field, LayerIndex layer);

// Numeric access through the field's shape. Text fields read as 0 and ignore
// writes. Writing converts like the preset reader: integers and bytes
// truncate toward zero, choice and flag bytes keep their low 8 bits.
double GetFieldValue(const ParameterBlock& block, const FieldInfo& field, LayerIndex layer);
void SetFieldValue(ParameterBlock& block, const FieldInfo& field, LayerIndex layer, double value);

// Window geometry, stored only in the settings file.
struct GeometryField {
    const char* Name;
    size_t Offset; // within ParameterBlock
    char Key[5];   // settings-file code
    const char* Label;
    int32_t Default;
};
std::span<const GeometryField> WindowGeometryFields();

// Tags of the indexed palette and removed-colour entries, as they stand in
// memory order (the two letters precede the two index digits).
inline constexpr char RemovedColorsTag[] = "mR";
inline constexpr char PaletteColorTag[] = "CP";
inline constexpr char PaletteCmykTag[] = "YP";
inline constexpr char PaletteRgbTag[] = "RP";

} // namespace vel
