#include "session/DescriptorKeys.h"
#include "session/Scripting.h"

#include <algorithm>
#include <cstring>

namespace vel {
namespace {

// The slots written here run up to putStringProc (13).
const WriteDescriptorProcs* UsableWriteProcs(const PIDescriptorParameters* parameters)
{
    const WriteDescriptorProcs* procs = parameters ? parameters->writeDescriptorProcs : nullptr;
    if (!procs || procs->numWriteDescriptorProcs < 14)
        return nullptr;
    return procs;
}

void WriteField(const WriteDescriptorProcs& procs, PIWriteDescriptor token, const FieldKey& key,
                const ParameterBlock& block)
{
    const double value = GetFieldValue(block, *key.Field, key.Layer);
    switch (key.Field->Shape) {
    case ValueShape::Integer:
    case ValueShape::Choice:
        procs.putIntegerProc(token, key.Key, int32_t(value));
        break;
    case ValueShape::Flag:
        procs.putBooleanProc(token, key.Key, Boolean(value));
        break;
    case ValueShape::Real:
        procs.putFloatProc(token, key.Key, &value);
        break;
    case ValueShape::Text: {
        // A length byte, then the name (at most 64 characters).
        unsigned char text[PaperNameSize + 1] = {};
        const char* name = block.PaperName;
        const size_t length = size_t(std::find(name, name + PaperNameSize - 1, '\0') - name);
        text[0] = uint8_t(length);
        std::memcpy(text + 1, block.PaperName, length);
        procs.putStringProc(token, key.Key, text);
        break;
    }
    }
}

} // namespace

void WriteScripting(PIDescriptorParameters* parameters, const HandleProcs* handles,
                    const ParameterBlock& block, int inkCount)
{
    const WriteDescriptorProcs* procs = UsableWriteProcs(parameters);
    if (!procs)
        return;
    const PIWriteDescriptor token = procs->openWriteDescriptorProc();
    if (!token)
        return;
    for (const FieldKey& key : RecordedFields(block.LayerTwoExist != 0))
        WriteField(*procs, token, key, block);
    for (const IndexedField& field : IndexedFields())
        for (int i = 0; i < RecordedEntries(field, block, inkCount); ++i)
            procs->putIntegerProc(token, IndexedKey(field, i), GetIndexedEntry(block, field, i));

    if (parameters->descriptor && handles && handles->disposeProc)
        handles->disposeProc(parameters->descriptor);
    parameters->descriptor = nullptr;
    procs->closeWriteDescriptorProc(token, &parameters->descriptor);
    parameters->recordInfo = plugInDialogOptional;
}

} // namespace vel
