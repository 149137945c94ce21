#include "session/DescriptorKeys.h"
#include "session/Scripting.h"

#include <cstring>

namespace vel {
namespace {

// The slots read here run up to getStringProc (14).
const ReadDescriptorProcs* UsableReadProcs(const PIDescriptorParameters* parameters)
{
    const ReadDescriptorProcs* procs = parameters ? parameters->readDescriptorProcs : nullptr;
    if (!procs || procs->numReadDescriptorProcs < 15)
        return nullptr;
    return procs;
}

// A converted value is still a value.
bool Succeeded(OSErr error)
{
    return error == noErr || error == coercedParamErr;
}

// Stores a host string (length byte, then text) as the paper name, cut at
// the length and at a NUL inside; the setter cuts what the block cannot hold.
void ApplyPaperName(ParameterBlock& block, const Str255& text)
{
    char name[256] = {};
    std::memcpy(name, text + 1, text[0]);
    SetPaperName(block, name);
}

OSErr ReadField(const ReadDescriptorProcs& procs, PIReadDescriptor token, const FieldKey& key,
                ParameterBlock& block)
{
    OSErr error = noErr;
    switch (key.Field->Shape) {
    case ValueShape::Integer:
    case ValueShape::Choice: {
        int32_t value = 0;
        if (Succeeded(error = procs.getIntegerProc(token, &value)))
            SetFieldValue(block, *key.Field, key.Layer, value);
        break;
    }
    case ValueShape::Flag: {
        Boolean value = 0;
        if (Succeeded(error = procs.getBooleanProc(token, &value)))
            SetFieldValue(block, *key.Field, key.Layer, value);
        break;
    }
    case ValueShape::Real: {
        double value = 0;
        if (Succeeded(error = procs.getFloatProc(token, &value)))
            SetFieldValue(block, *key.Field, key.Layer, value);
        break;
    }
    case ValueShape::Text: {
        Str255 text = {};
        if (Succeeded(error = procs.getStringProc(token, &text)))
            ApplyPaperName(block, text);
        break;
    }
    }
    return error;
}

OSErr ReadIndexedEntry(const ReadDescriptorProcs& procs, PIReadDescriptor token, const IndexedField& field,
                       int index, ParameterBlock& block)
{
    if (index >= field.Count)
        return noErr;
    int32_t value = 0;
    const OSErr error = procs.getIntegerProc(token, &value);
    if (Succeeded(error))
        SetIndexedEntry(block, field, index, value);
    return error;
}

// Reads the value of `key` if the plug-in knows it; unknown keys are skipped.
OSErr ReadKey(const ReadDescriptorProcs& procs, PIReadDescriptor token, DescriptorKeyID key,
              ParameterBlock& block)
{
    if (const FieldKey* field = FindFieldKey(key))
        return ReadField(procs, token, *field, block);
    const IndexedField* indexed = nullptr;
    int index = 0;
    if (SplitIndexedKey(key, &indexed, &index))
        return ReadIndexedEntry(procs, token, *indexed, index, block);
    return noErr;
}

void ReadKeys(const ReadDescriptorProcs& procs, PIReadDescriptor token, ParameterBlock& block)
{
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    int32_t flags = 0;
    while (procs.getKeyProc(token, &key, &type, &flags)) {
        if (!Succeeded(ReadKey(procs, token, key, block)))
            break;
    }
}

} // namespace

bool ReadScripting(PIDescriptorParameters* parameters, const HandleProcs* handles, ParameterBlock& block,
                   bool showDialog)
{
    const ReadDescriptorProcs* procs = UsableReadProcs(parameters);
    if (!procs || !parameters->descriptor)
        return showDialog;
    DescriptorKeyID required[] = {AmountKey, DispositionKey, 0};
    if (const PIReadDescriptor token = procs->openReadDescriptorProc(parameters->descriptor, required)) {
        ReadKeys(*procs, token, block);
        procs->closeReadDescriptorProc(token);
    }
    if (handles && handles->disposeProc)
        handles->disposeProc(parameters->descriptor);
    parameters->descriptor = nullptr;
    return parameters->playInfo == plugInDialogDisplay;
}

} // namespace vel
