#include "LoadedModule.h"

#include "ByteReader.h"

#include <windows.h>

namespace vel::test {

PropertyList ParsePropertyList(const std::vector<uint8_t>& bytes)
{
    PropertyList list;
    ByteReader reader(bytes);
    list.Reserved = reader.U16();
    list.Version = int32_t(reader.U32());
    const uint32_t count = reader.U32();
    for (uint32_t i = 0; i < count && !reader.Failed(); ++i) {
        PropertyRecord property;
        property.Vendor = reader.U32();
        property.Key = reader.U32();
        property.Id = int32_t(reader.U32());
        property.Length = reader.U32();
        property.Data = reader.Bytes(property.Length);
        reader.Bytes((4 - property.Length % 4) % 4);
        list.Properties.push_back(property);
    }
    list.Complete = !reader.Failed() && reader.AtEnd();
    return list;
}

const PropertyRecord* FindProperty(const PropertyList& list, uint32_t key)
{
    for (const PropertyRecord& property : list.Properties)
        if (property.Key == key)
            return &property;
    return nullptr;
}

uint32_t EntryPointKey()
{
    return sizeof(void*) == 8 ? 0x38363634 /* '8664' */ : 0x77783836 /* 'wx86' */;
}

LoadedModule::LoadedModule(const std::string& path) : handle_(LoadLibraryA(path.c_str())) {}

LoadedModule::~LoadedModule()
{
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(handle_));
}

namespace {
BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<uintptr_t>*>(ids)->push_back(reinterpret_cast<uintptr_t>(name));
    return TRUE;
}
} // namespace

std::vector<uintptr_t> LoadedModule::ResourceIds(const char* type) const
{
    std::vector<uintptr_t> ids;
    EnumResourceNamesA(static_cast<HMODULE>(handle_), type, CollectId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::vector<uint8_t> LoadedModule::Resource(const char* type, uintptr_t id) const
{
    const HMODULE module = static_cast<HMODULE>(handle_);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!found)
        return {};
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
    return data ? std::vector<uint8_t>(data, data + SizeofResource(module, found)) : std::vector<uint8_t>{};
}

void* LoadedModule::Export(const std::string& name) const
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name.c_str()));
}

FilterEntryProc LoadedModule::FindFilterEntry() const
{
    for (uintptr_t id : ResourceIds("PiPL")) {
        const PropertyList list = ParsePropertyList(Resource("PiPL", id));
        const PropertyRecord* kind = FindProperty(list, 0x6B696E64); // 'kind'
        const PropertyRecord* entry = FindProperty(list, EntryPointKey());
        if (!list.Complete || !kind || kind->Data != std::vector<uint8_t>{'M', 'F', 'B', '8'} || !entry)
            continue;
        const std::string name(entry->Data.begin(), entry->Data.end());
        if (void* proc = Export(name.c_str()))
            return reinterpret_cast<FilterEntryProc>(proc);
    }
    return nullptr;
}

} // namespace vel::test
