#include "params/PresetFile.h"

#include "params/FieldTable.h"
#include "params/TextFile.h"
#include "params/TextValues.h"
#include "platform/Alert.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>

namespace vel {
namespace {

constexpr int32_t MaxInks = 4;
constexpr size_t MaxRemovedColors = sizeof(ParameterBlock::RemovedColors);

// ---- Writing ----------------------------------------------------------------

class PresetWriter {
public:
    explicit PresetWriter(const ParameterBlock& block) : block_(block) {}

    std::string Text()
    {
        Line(PresetHeader);
        Line("Version 1;");
        Line(";------Common parameters------");
        Fields(FieldScope::Common, LayerIndex::One);
        Line(";------Layers 1 parameters------");
        Fields(FieldScope::Layer, LayerIndex::One);
        if (block_.LayerTwoExist != 0) {
            Line(";------Layers 2 parameters------");
            Fields(FieldScope::Layer, LayerIndex::Two);
        }
        RemovedColors();
        Palette();
        Line(";------The End------");
        return std::move(text_);
    }

private:
    void Line(std::string_view line)
    {
        text_ += line;
        text_ += '\n';
    }

    void Fields(FieldScope scope, LayerIndex layer)
    {
        for (const FieldInfo& field : ParameterFields())
            if (field.Scope == scope)
                Field(field, layer);
    }

    void Field(const FieldInfo& field, LayerIndex layer)
    {
        const double number = GetFieldValue(block_, field, layer);
        std::string value;
        switch (field.Shape) {
        case ValueShape::Integer:
        case ValueShape::Choice:
        case ValueShape::Flag: value = FormatInteger(int32_t(number)); break;
        case ValueShape::Real: value = FormatReal(float(number)); break;
        case ValueShape::Text: value = StoredText(field); break;
        }
        // Only the integer shape ends without a space before the line feed.
        const bool spaceAtEnd = field.Shape != ValueShape::Integer && field.Shape != ValueShape::Choice;
        const std::string comment = CommentIndent + PresetLabel(field, layer);
        AppendValueLine(text_, PresetKey(field, layer), value, comment, spaceAtEnd);
    }

    std::string_view StoredText(const FieldInfo& field) const
    {
        const char* text = static_cast<const char*>(FieldAddress(block_, field, LayerIndex::One));
        return std::string_view(text, size_t(std::find(text, text + PaperNameSize - 1, '\0') - text));
    }

    // Removed colours as signed bytes, so the unused 255 reads "-1".
    void RemovedColors()
    {
        Line(";removed colors");
        for (size_t i = 0; i < MaxRemovedColors; ++i) {
            const int8_t entry = int8_t(block_.RemovedColors[i]);
            AppendValueLine(text_, IndexedKey(RemovedColorsTag, i), FormatInteger(entry), "");
        }
    }

    // Only the adjustments of the current schema; the custom palettes write
    // three per ink in use, never more than the twelve that exist.
    void Palette()
    {
        Line(";------Add color palettes------");
        switch (ColorSchemaKind(block_.ColorSchema)) {
        case ColorSchemaKind::Monotone:
        case ColorSchemaKind::CustomPalette: {
            const size_t inks = size_t(std::clamp<int32_t>(block_.NInks, 0, MaxInks));
            Entries(";PaletteColorADD", PaletteColorTag, std::span(block_.PaletteColorADD).first(3 * inks));
            break;
        }
        case ColorSchemaKind::CmykPalette:
            Entries(";PaletteCMYKADD", PaletteCmykTag, block_.PaletteCMYKADD);
            break;
        case ColorSchemaKind::RgbPalette:
            Entries(";PaletteRGBADD", PaletteRgbTag, block_.PaletteRGBADD);
            break;
        default: break;
        }
    }

    void Entries(std::string_view comment, const char* tag, std::span<const int32_t> entries)
    {
        Line(comment);
        for (size_t i = 0; i < entries.size(); ++i)
            AppendValueLine(text_, IndexedKey(tag, i), FormatInteger(entries[i]), "");
    }

    // The two-letter tag and the index as two digits: "CP07".
    static std::string IndexedKey(const char* tag, size_t index)
    {
        return {tag[0], tag[1], char('0' + index / 10 % 10), char('0' + index % 10)};
    }

    const ParameterBlock& block_;
    std::string text_;
};

// ---- Reading ----------------------------------------------------------------

bool IsPresetHeader(std::string_view line)
{
    const size_t length = sizeof PresetHeader - 1;
    return line.size() >= length && EqualIgnoringCase(line.data(), PresetHeader, length);
}

// The key's four bytes are the field code in little-endian order.
const FieldInfo* FindPresetField(std::string_view key, LayerIndex& layer)
{
    uint32_t code = 0;
    for (size_t i = 0; i < 4; ++i)
        code |= uint32_t(uint8_t(key[i])) << (8 * i);
    for (const FieldInfo& field : ParameterFields()) {
        for (LayerIndex candidate : {LayerIndex::One, LayerIndex::Two}) {
            if (DescriptorKey(field, candidate) == code) {
                layer = candidate;
                return &field;
            }
            if (field.Scope == FieldScope::Common)
                break;
        }
    }
    return nullptr;
}

// Everything up to the first ";" (the comment), cut to the field's 64
// characters; trailing spaces go when the ink state is reloaded.
void ReadText(char* stored, std::string_view value)
{
    const size_t length = std::min({value.find(';'), value.size(), size_t(PaperNameSize - 1)});
    std::memcpy(stored, value.data(), length);
    stored[length] = '\0';
}

void ReadField(ParameterBlock& block, const FieldInfo& field, LayerIndex layer, std::string_view value)
{
    switch (field.Shape) {
    case ValueShape::Integer:
    case ValueShape::Choice:
    case ValueShape::Flag: SetFieldValue(block, field, layer, ReadIntegerValue(value)); break;
    case ValueShape::Real: SetFieldValue(block, field, layer, SaturateToFloat(ReadRealValue(value))); break;
    case ValueShape::Text: ReadText(static_cast<char*>(FieldAddress(block, field, layer)), value); break;
    }
}

std::span<int32_t> PaletteEntries(ParameterBlock& block, std::string_view tag)
{
    if (tag == PaletteColorTag)
        return block.PaletteColorADD;
    if (tag == PaletteCmykTag)
        return block.PaletteCMYKADD;
    if (tag == PaletteRgbTag)
        return block.PaletteRGBADD;
    return {};
}

// "CP", "YP", "RP" and "mR" keys carry their entry's index in the last two
// characters; an index outside the array is ignored.
void ReadIndexedEntry(ParameterBlock& block, const KeyedLine& line)
{
    const std::string_view tag = line.Key.substr(0, 2);
    const int32_t index = ReadIntegerValue(line.Key.substr(2));
    const int32_t value = ReadIntegerValue(line.Value);
    if (tag == RemovedColorsTag) {
        if (index >= 0 && size_t(index) < MaxRemovedColors)
            block.RemovedColors[index] = uint8_t(value & 0xFF);
        return;
    }
    const std::span<int32_t> entries = PaletteEntries(block, tag);
    if (index >= 0 && size_t(index) < entries.size())
        entries[size_t(index)] = value;
}

void ReadPresetLine(ParameterBlock& block, std::string_view text)
{
    KeyedLine line;
    if (!SplitKeyedLine(text, line))
        return;
    LayerIndex layer = LayerIndex::One;
    if (const FieldInfo* field = FindPresetField(line.Key, layer))
        ReadField(block, *field, layer, line.Value);
    else
        ReadIndexedEntry(block, line);
}

} // namespace

bool WritePreset(const std::string& path, const ParameterBlock& block)
{
    if (WriteTextFile(path, PresetWriter(block).Text()))
        return true;
    ShowAlert(CannotSaveFileMessage, SavePresetErrorTitle, AlertIcon::Error);
    return false;
}

bool ReadPreset(const std::string& path, ParameterBlock& block)
{
    TextLineReader reader(path);
    std::string_view line;
    if (!reader.NextLine(line) || !IsPresetHeader(line))
        return false;
    while (reader.NextLine(line))
        ReadPresetLine(block, line);
    TrimPaperName(block);
    return true;
}

} // namespace vel
