#pragma once
// A filter module loaded the way a host loads one: the library, its
// property lists, and the entry point one of them names.

#include "session/HostRecords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vel::test {

// One property of a property list.
struct PropertyRecord {
    uint32_t Vendor;
    uint32_t Key;
    int32_t Id;
    uint32_t Length;
    std::vector<uint8_t> Data; // Length bytes (the padding is skipped)
};

struct PropertyList {
    uint16_t Reserved = 0;
    int32_t Version = -1;
    std::vector<PropertyRecord> Properties;
    bool Complete = false; // every property read and nothing left over
};

// Parses the Windows form of a property list.
PropertyList ParsePropertyList(const std::vector<uint8_t>& bytes);

const PropertyRecord* FindProperty(const PropertyList& list, uint32_t key);

class LoadedModule {
  public:
    explicit LoadedModule(const std::string& path);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool Loaded() const { return handle_ != nullptr; }

    // Ids of the resources of a string type, and one resource's bytes.
    std::vector<uintptr_t> ResourceIds(const char* type) const;
    std::vector<uint8_t> Resource(const char* type, uintptr_t id) const;

    void* Export(const std::string& name) const;

    // As a host finds a filter: the first property list of kind '8BFM' whose
    // entry-point property for this architecture names an export.
    FilterEntryProc FindFilterEntry() const;

  private:
    void* handle_;
};

// The entry-point property for this build's architecture: 'wx86' or '8664'.
uint32_t EntryPointKey();

} // namespace vel::test
