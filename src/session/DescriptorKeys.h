#pragma once
// How parameters are named in scripting descriptors and in the descriptor
// registry: one key per field and layer (from the field table), plus the
// indexed keys of the palette adjustments and removed colours.

#include "params/FieldTable.h"

#include <cstdint>
#include <vector>

namespace vel {

// The registry key; the plug-in property list carries it as the scripting scope.
inline constexpr char RegistryKey[] = "d9543b0c-3c91-11d4-97bc-00b017022014";

// Keys the scripting read names as required. The plug-in never writes them,
// so the host's complaint about their absence is expected and ignored.
inline constexpr uint32_t AmountKey = FourCC("Amnt");
inline constexpr uint32_t DispositionKey = FourCC("disP");

struct FieldKey {
    const FieldInfo* Field;
    LayerIndex Layer;
    uint32_t Key;
};

// The recorded fields in order: the common ones, layer one's, then layer
// two's when `withLayerTwo`.
std::vector<FieldKey> RecordedFields(bool withLayerTwo);

// The field a key names (either layer), or null.
const FieldKey* FindFieldKey(uint32_t key);

// An array of the block written as keys with a two-digit index.
struct IndexedField {
    const char* Tag;  // the two letters, in memory order before the digits
    int Count;        // entries in the array
    bool ByteEntries; // entries are bytes (the removed colours) rather than int32
    size_t Offset;    // within ParameterBlock
};

const std::vector<IndexedField>& IndexedFields();

// The key whose four bytes, lowest first, are the tag's letters and the two
// decimal digits of `index`.
uint32_t IndexedKey(const IndexedField& field, int index);

// Splits a key into its indexed field and index. False when the key is not
// an indexed key of a known tag with two decimal digits.
bool SplitIndexedKey(uint32_t key, const IndexedField** field, int* index);

int32_t GetIndexedEntry(const ParameterBlock& block, const IndexedField& field, int index);
// Stores an entry; byte entries keep the value's low byte.
void SetIndexedEntry(ParameterBlock& block, const IndexedField& field, int index, int32_t value);

// How many leading entries of `field` a recording holds: the removed colours
// always, and the palette adjustments of the colour schema in use (three per
// ink for the monotone and custom palettes).
int RecordedEntries(const IndexedField& field, const ParameterBlock& block, int inkCount);

} // namespace vel
