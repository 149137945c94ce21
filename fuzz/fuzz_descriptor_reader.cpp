// Any key/type/value stream as a host's scripting descriptor: the reader must
// neither crash nor touch memory outside the block, may change only the
// fields whose keys the host served, must leave the paper name terminated,
// and must close its token and dispose of the descriptor exactly once.
//
// The host here serves the fuzzed bytes: each getKey takes a key (one byte
// choosing a known key, or a raw four-byte key) and a type; each value read
// takes one byte choosing the answer (a value, a converted value, an error)
// and then the value's bytes. The stream's end ends the descriptor.

#include "session/DescriptorKeys.h"
#include "session/Scripting.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using namespace vel;

namespace {

struct Stream {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    size_t Position = 0;

    bool Empty() const { return Position >= Size; }
    uint8_t Byte() { return Empty() ? 0 : Data[Position++]; }
    void Bytes(void* out, size_t count)
    {
        auto* bytes = static_cast<uint8_t*>(out);
        for (size_t i = 0; i < count; ++i)
            bytes[i] = Byte();
    }
};

// Every key the reader knows, so that short inputs reach the field code.
std::vector<uint32_t> KnownKeys()
{
    std::vector<uint32_t> keys;
    for (const FieldKey& key : RecordedFields(true))
        keys.push_back(key.Key);
    for (const IndexedField& field : IndexedFields())
        for (int index = 0; index < 100; index += (index < field.Count + 1 ? 1 : 37))
            keys.push_back(IndexedKey(field, index));
    return keys;
}

struct Host {
    Stream Input;
    std::vector<uint32_t> Known = KnownKeys();
    std::vector<uint32_t> Served;
    int Opened = 0;
    bool TokenGiven = false;
    int Closed = 0;
    int Disposed = 0;
    int KeysAfterEnd = 0;
    bool Ended = false;
    char Descriptor = 0;
    char* DescriptorPointer = &Descriptor;
};

Host* host = nullptr;
char tokenByte = 0;
const auto token = reinterpret_cast<PIReadDescriptor>(&tokenByte);

// The answer of a value read: most often the value, sometimes a converted
// value, sometimes an error that ends the reading.
OSErr Answer()
{
    switch (host->Input.Byte() % 8) {
    case 6:
        return coercedParamErr;
    case 7:
        return host->Input.Byte() % 2 ? errMissingParameter : paramErr;
    default:
        return noErr;
    }
}

PIReadDescriptor VEL_HOSTCALL Open(PIDescriptorHandle descriptor, DescriptorKeyID*)
{
    if (descriptor != &host->DescriptorPointer)
        std::abort();
    ++host->Opened;
    host->TokenGiven = host->Input.Byte() != 0xFF;
    return host->TokenGiven ? token : nullptr;
}

OSErr VEL_HOSTCALL Close(PIReadDescriptor t)
{
    if (t != token)
        std::abort();
    ++host->Closed;
    return errMissingParameter;
}

Boolean VEL_HOSTCALL GetKey(PIReadDescriptor t, DescriptorKeyID* key, DescriptorTypeID* type, int32_t* flags)
{
    if (t != token || host->Closed)
        std::abort();
    if (host->Ended) {
        ++host->KeysAfterEnd;
        return false;
    }
    if (host->Input.Empty()) {
        host->Ended = true;
        return false;
    }
    const uint8_t choice = host->Input.Byte();
    if (choice < 0xF0 && !host->Known.empty())
        *key = host->Known[choice % host->Known.size()];
    else
        host->Input.Bytes(key, sizeof *key);
    host->Input.Bytes(type, sizeof *type);
    *flags = 0;
    host->Served.push_back(*key);
    return true;
}

OSErr VEL_HOSTCALL GetInteger(PIReadDescriptor, int32_t* value)
{
    const OSErr error = Answer();
    host->Input.Bytes(value, sizeof *value);
    return error;
}

OSErr VEL_HOSTCALL GetFloat(PIReadDescriptor, double* value)
{
    const OSErr error = Answer();
    host->Input.Bytes(value, sizeof *value);
    return error;
}

OSErr VEL_HOSTCALL GetBoolean(PIReadDescriptor, Boolean* value)
{
    const OSErr error = Answer();
    *value = host->Input.Byte();
    return error;
}

// A length byte and that many bytes; the rest of the string is garbage, as a
// host may leave it.
OSErr VEL_HOSTCALL GetString(PIReadDescriptor, Str255* value)
{
    const OSErr error = Answer();
    std::memset(*value, 0xA5, sizeof *value);
    (*value)[0] = host->Input.Byte();
    host->Input.Bytes(*value + 1, (*value)[0]);
    return error;
}

void VEL_HOSTCALL Dispose(Handle handle)
{
    if (handle != &host->DescriptorPointer)
        std::abort();
    ++host->Disposed;
}

// The bytes of a block a served key may change.
std::vector<bool> Changeable(const ParameterBlock& block, const std::vector<uint32_t>& served)
{
    std::vector<bool> mask(sizeof block, false);
    const auto* base = reinterpret_cast<const uint8_t*>(&block);
    auto allow = [&](const void* address, size_t size) {
        const size_t offset = size_t(static_cast<const uint8_t*>(address) - base);
        for (size_t i = 0; i < size && offset + i < mask.size(); ++i)
            mask[offset + i] = true;
    };
    for (uint32_t key : served) {
        if (const FieldKey* field = FindFieldKey(key)) {
            size_t size = 4;
            if (field->Field->Shape == ValueShape::Choice || field->Field->Shape == ValueShape::Flag)
                size = 1;
            else if (field->Field->Shape == ValueShape::Text)
                size = PaperNameSize;
            allow(FieldAddress(block, *field->Field, field->Layer), size);
            continue;
        }
        const IndexedField* indexed = nullptr;
        int index = 0;
        if (SplitIndexedKey(key, &indexed, &index) && index < indexed->Count) {
            const size_t size = indexed->ByteEntries ? 1 : 4;
            allow(base + indexed->Offset + size_t(index) * size, size);
        }
    }
    return mask;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Host state;
    state.Input = {data, size, 0};
    host = &state;

    ReadDescriptorProcs procs = {};
    procs.numReadDescriptorProcs = 18;
    procs.openReadDescriptorProc = Open;
    procs.closeReadDescriptorProc = Close;
    procs.getKeyProc = GetKey;
    procs.getIntegerProc = GetInteger;
    procs.getFloatProc = GetFloat;
    procs.getBooleanProc = GetBoolean;
    procs.getStringProc = GetString;
    HandleProcs handles = {};
    handles.numHandleProcs = 8;
    handles.disposeProc = Dispose;
    PIDescriptorParameters parameters = {};
    parameters.descriptor = &state.DescriptorPointer;
    parameters.readDescriptorProcs = &procs;
    parameters.playInfo = plugInDialogDontDisplay;

    // A heap block of exactly its own size, so that the sanitizer sees any
    // write beyond it.
    auto block = std::make_unique<ParameterBlock>();
    ResetWindowGeometry(*block);
    const ParameterBlock before = *block;
    const bool dialog = ReadScripting(&parameters, &handles, *block, true);

    if (dialog || parameters.descriptor != nullptr || state.Opened != 1 || state.Disposed != 1)
        std::abort();
    if (state.Closed != (state.TokenGiven ? 1 : 0) || state.KeysAfterEnd != 0)
        std::abort();
    if (std::memchr(block->PaperName, '\0', PaperNameSize) == nullptr)
        std::abort();

    const std::vector<bool> mask = Changeable(before, state.Served);
    const auto* now = reinterpret_cast<const uint8_t*>(block.get());
    const auto* was = reinterpret_cast<const uint8_t*>(&before);
    for (size_t i = 0; i < sizeof before; ++i)
        if (!mask[i] && now[i] != was[i])
            std::abort();
    host = nullptr;
    return 0;
}
