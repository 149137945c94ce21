#include "session/DescriptorKeys.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace vel {

std::vector<FieldKey> RecordedFields(bool withLayerTwo)
{
    std::vector<FieldKey> keys;
    for (const FieldInfo& field : ParameterFields())
        if (field.Scope == FieldScope::Common)
            keys.push_back({&field, LayerIndex::One, DescriptorKey(field, LayerIndex::One)});
    for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two}) {
        if (layer == LayerIndex::Two && !withLayerTwo)
            break;
        for (const FieldInfo& field : ParameterFields())
            if (field.Scope == FieldScope::Layer)
                keys.push_back({&field, layer, DescriptorKey(field, layer)});
    }
    return keys;
}

const FieldKey* FindFieldKey(uint32_t key)
{
    static const std::vector<FieldKey> all = RecordedFields(true);
    const auto found =
        std::find_if(all.begin(), all.end(), [key](const FieldKey& k) { return k.Key == key; });
    return found == all.end() ? nullptr : &*found;
}

const std::vector<IndexedField>& IndexedFields()
{
    static const std::vector<IndexedField> fields = {
        {RemovedColorsTag, 4, true, offsetof(ParameterBlock, RemovedColors)},
        {PaletteColorTag, 12, false, offsetof(ParameterBlock, PaletteColorADD)},
        {PaletteCmykTag, 12, false, offsetof(ParameterBlock, PaletteCMYKADD)},
        {PaletteRgbTag, 9, false, offsetof(ParameterBlock, PaletteRGBADD)},
    };
    return fields;
}

namespace {

uint32_t TagBits(const char* tag)
{
    return uint32_t(uint8_t(tag[0])) | uint32_t(uint8_t(tag[1])) << 8;
}

bool IsDigit(uint32_t c)
{
    return c >= '0' && c <= '9';
}

unsigned char* EntryAddress(ParameterBlock& block, const IndexedField& field, int index)
{
    const size_t entry = field.ByteEntries ? 1 : sizeof(int32_t);
    return reinterpret_cast<unsigned char*>(&block) + field.Offset + size_t(index) * entry;
}

} // namespace

uint32_t IndexedKey(const IndexedField& field, int index)
{
    const uint32_t tens = uint32_t('0' + index / 10 % 10);
    const uint32_t units = uint32_t('0' + index % 10);
    return TagBits(field.Tag) | tens << 16 | units << 24;
}

bool SplitIndexedKey(uint32_t key, const IndexedField** field, int* index)
{
    const uint32_t tens = (key >> 16) & 0xFF;
    const uint32_t units = key >> 24;
    if (!IsDigit(tens) || !IsDigit(units))
        return false;
    for (const IndexedField& candidate : IndexedFields()) {
        if (TagBits(candidate.Tag) == (key & 0xFFFF)) {
            *field = &candidate;
            *index = int(tens - '0') * 10 + int(units - '0');
            return true;
        }
    }
    return false;
}

int32_t GetIndexedEntry(const ParameterBlock& block, const IndexedField& field, int index)
{
    const unsigned char* entry = EntryAddress(const_cast<ParameterBlock&>(block), field, index);
    if (field.ByteEntries)
        return *entry;
    int32_t value;
    std::memcpy(&value, entry, sizeof value);
    return value;
}

void SetIndexedEntry(ParameterBlock& block, const IndexedField& field, int index, int32_t value)
{
    unsigned char* entry = EntryAddress(block, field, index);
    if (field.ByteEntries)
        *entry = uint8_t(value & 0xFF);
    else
        std::memcpy(entry, &value, sizeof value);
}

int RecordedEntries(const IndexedField& field, const ParameterBlock& block, int inkCount)
{
    const std::string_view tag = field.Tag;
    const auto schema = ColorSchemaKind(block.ColorSchema);
    if (tag == RemovedColorsTag)
        return field.Count;
    if (tag == PaletteColorTag &&
        (schema == ColorSchemaKind::Monotone || schema == ColorSchemaKind::CustomPalette))
        return std::clamp(3 * inkCount, 0, field.Count);
    if ((tag == PaletteCmykTag && schema == ColorSchemaKind::CmykPalette) ||
        (tag == PaletteRgbTag && schema == ColorSchemaKind::RgbPalette))
        return field.Count;
    return 0;
}

} // namespace vel
