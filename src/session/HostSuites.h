#pragma once
// The suites a plug-in acquires through the host's basic suite: colour-space
// conversion, channel ports, action descriptors and references, the basic
// action control and the descriptor registry. Every table has natural
// alignment and holds only function pointers.

#include "session/HostRecords.h"

namespace vel {

struct SPBasicSuite {
    SPErr(VEL_HOSTCALL* AcquireSuite)(const char* name, int32_t version, const void** suite);
    SPErr(VEL_HOSTCALL* ReleaseSuite)(const char* name, int32_t version);
    SPBoolean(VEL_HOSTCALL* IsEqual)(const char* token1, const char* token2);
    SPErr(VEL_HOSTCALL* AllocateBlock)(size_t size, void** block);
    SPErr(VEL_HOSTCALL* FreeBlock)(void* block);
    SPErr(VEL_HOSTCALL* ReallocateBlock)(void* block, size_t newSize, void** newblock);
    SPErr(VEL_HOSTCALL* Undefined)();
};

// ---------------------------------------------------------------------------
// Colour-space conversion. Records are four components: (filler, R, G, B)
// for RGB, (C, M, Y, K) for CMYK; 16-bit components range over 0..32768.

inline constexpr char kPSColorSpaceSuite[] = "Photoshop ColorSpace Suite for Plug-ins";
inline constexpr int32_t kPSColorSpaceSuiteVersion1 = 1;

using Color8 = uint8_t[4];
using Color16 = uint16_t[4];
struct CS_XYZColor {
    uint16_t x;
    uint16_t y;
    uint16_t z;
};

struct PSColorSpaceSuite1 {
    SPErr(VEL_HOSTCALL* Make)(ColorID* colorID);
    SPErr(VEL_HOSTCALL* Delete)(ColorID* colorID);
    SPErr(VEL_HOSTCALL* StuffComponents)(ColorID colorID, int16_t colorSpace, uint8_t c0, uint8_t c1,
                                         uint8_t c2, uint8_t c3);
    SPErr(VEL_HOSTCALL* ExtractComponents)(ColorID colorID, int16_t colorSpace, uint8_t* c0, uint8_t* c1,
                                           uint8_t* c2, uint8_t* c3, Boolean* gamutFlag);
    SPErr(VEL_HOSTCALL* StuffXYZ)(ColorID colorID, CS_XYZColor xyz);
    SPErr(VEL_HOSTCALL* ExtractXYZ)(ColorID colorID, CS_XYZColor* xyz);
    SPErr(VEL_HOSTCALL* Convert8)(int16_t inputColorSpace, int16_t outputColorSpace, Color8* colorArray,
                                  int16_t count);
    SPErr(VEL_HOSTCALL* Convert16)(int16_t inputColorSpace, int16_t outputColorSpace, Color16* colorArray,
                                   int16_t count);
    SPErr(VEL_HOSTCALL* GetNativeSpace)(ColorID colorID, int16_t* nativeSpace);
    SPErr(VEL_HOSTCALL* IsBookColor)(ColorID colorID, Boolean* isBookColor);
    SPErr(VEL_HOSTCALL* ExtractColorName)(ColorID colorID, ASZString* colorName);
    SPErr(VEL_HOSTCALL* PickColor)(ColorID* colorID, ASZString promptString);
    SPErr(VEL_HOSTCALL* Convert8to16)(uint8_t* inputData, uint16_t* outputData, int16_t count);
    SPErr(VEL_HOSTCALL* Convert16to8)(uint16_t* inputData, uint8_t* outputData, int16_t count);
    SPErr(VEL_HOSTCALL* ConvertToMonitorRGB)(int16_t inputColorSpace, Color8* inputData, Color8* outputData,
                                             int16_t count);
    SPErr(VEL_HOSTCALL* Convert32to8)(float* inputData, uint8_t* outputData, int16_t count);
};

// ---------------------------------------------------------------------------
// Channel ports. Version 2 serves the first fifteen slots.

inline constexpr char kPSChannelPortsSuite[] = "Photoshop ChannelPorts Suite for Plug-ins";
inline constexpr int32_t kPSChannelPortsSuiteVersion2 = 2;

struct PSChannelPortsSuite1 {
    SPErr(VEL_HOSTCALL* CountLevels)(PIChannelPort port, int32_t* count);
    SPErr(VEL_HOSTCALL* GetDepth)(PIChannelPort port, int32_t level, int32_t* depth);
    SPErr(VEL_HOSTCALL* GetDataBounds)(PIChannelPort port, int32_t level, VRect* bounds);
    SPErr(VEL_HOSTCALL* GetWriteLimit)(PIChannelPort port, int32_t level, VRect* writeBounds);
    SPErr(VEL_HOSTCALL* GetTilingGrid)(PIChannelPort port, int32_t level, VPoint* tileOrigin,
                                       VPoint* tileSize);
    SPErr(VEL_HOSTCALL* GetSupportRect)(PIChannelPort port, int32_t level, const VRect* bounds,
                                        int32_t* supportLevel, VRect* supportBounds);
    SPErr(VEL_HOSTCALL* GetDependentRect)(PIChannelPort port, int32_t sourceLevel, const VRect* sourceBounds,
                                          int32_t dependentLevel, VRect* dependentBounds);
    SPErr(VEL_HOSTCALL* CanRead)(PIChannelPort port, Boolean* canRead);
    SPErr(VEL_HOSTCALL* CanWrite)(PIChannelPort port, Boolean* canWrite);
    SPErr(VEL_HOSTCALL* ReadPixelsFromLevel)(PIChannelPort port, int32_t level, VRect* bounds,
                                             const PixelMemoryDesc* destination);
    SPErr(VEL_HOSTCALL* WritePixelsToBaseLevel)(PIChannelPort port, VRect* bounds,
                                                const PixelMemoryDesc* source);
    SPErr(VEL_HOSTCALL* ReadScaledPixels)(PIChannelPort port, VRect* readRect, const PSScaling* scaling,
                                          const PixelMemoryDesc* destination);
    SPErr(VEL_HOSTCALL* FindSourceForScaledRead)(PIChannelPort port, const VRect* readRect,
                                                 const PSScaling* scaling, int32_t dstDepth,
                                                 int32_t* sourceLevel, VRect* sourceRect,
                                                 VRect* sourceScalingBounds);
    SPErr(VEL_HOSTCALL* New)(PIChannelPort* port, const VRect* rect, int32_t depth, Boolean globalScope);
    SPErr(VEL_HOSTCALL* Dispose)(PIChannelPort* port);
    // Version 3 and later.
    SPErr(VEL_HOSTCALL* SupportsOperation)(const char* operation, Boolean* supported);
    SPErr(VEL_HOSTCALL* ApplyOperation)(const char* operation, PIChannelPort source,
                                        PIChannelPort destination, PIChannelPort mask, void* parameters,
                                        VRect* rect);
    SPErr(VEL_HOSTCALL* AddOperation)(const char* operation,
                                      SPErr(VEL_HOSTCALL* proc)(PIChannelPort, PIChannelPort, PIChannelPort,
                                                                void*, VRect*, void*),
                                      void* refCon);
    SPErr(VEL_HOSTCALL* RemoveOperation)(const char* operation, void** refCon);
    SPErr(VEL_HOSTCALL* NewCopyOnWrite)(PIChannelPort* result, PIChannelPort base, VRect* writeLimit,
                                        Boolean globalScope);
    SPErr(VEL_HOSTCALL* Freeze)(PIChannelPort port);
    SPErr(VEL_HOSTCALL* Restore)(PIChannelPort port, VRect* area);
};

// ---------------------------------------------------------------------------
// Action descriptors. Versions 2 and 3 share the first 46 slots; version 3
// adds the 64-bit integers. Strings here are C strings.

inline constexpr char kPSActionDescriptorSuite[] = "df135115-c769-11d0-8079-00c04fd7ec47";
inline constexpr int32_t kPSActionDescriptorSuiteVersion2 = 2;
inline constexpr int32_t kPSActionDescriptorSuiteVersion3 = 3;

struct PSActionDescriptorProcs {
    OSErr(VEL_HOSTCALL* Make)(PIActionDescriptor* descriptor);
    OSErr(VEL_HOSTCALL* Free)(PIActionDescriptor descriptor);
    OSErr(VEL_HOSTCALL* GetType)(PIActionDescriptor descriptor, DescriptorKeyID key, DescriptorTypeID* type);
    OSErr(VEL_HOSTCALL* GetKey)(PIActionDescriptor descriptor, uint32_t index, DescriptorKeyID* key);
    OSErr(VEL_HOSTCALL* HasKey)(PIActionDescriptor descriptor, DescriptorKeyID key, Boolean* hasKey);
    OSErr(VEL_HOSTCALL* GetCount)(PIActionDescriptor descriptor, uint32_t* count);
    OSErr(VEL_HOSTCALL* IsEqual)(PIActionDescriptor descriptor, PIActionDescriptor other, Boolean* isEqual);
    OSErr(VEL_HOSTCALL* Erase)(PIActionDescriptor descriptor, DescriptorKeyID key);
    OSErr(VEL_HOSTCALL* Clear)(PIActionDescriptor descriptor);
    OSErr(VEL_HOSTCALL* PutInteger)(PIActionDescriptor descriptor, DescriptorKeyID key, int32_t value);
    OSErr(VEL_HOSTCALL* PutFloat)(PIActionDescriptor descriptor, DescriptorKeyID key, double value);
    OSErr(VEL_HOSTCALL* PutUnitFloat)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                      DescriptorUnitID unit, double value);
    OSErr(VEL_HOSTCALL* PutString)(PIActionDescriptor descriptor, DescriptorKeyID key, const char* text);
    OSErr(VEL_HOSTCALL* PutBoolean)(PIActionDescriptor descriptor, DescriptorKeyID key, Boolean value);
    OSErr(VEL_HOSTCALL* PutList)(PIActionDescriptor descriptor, DescriptorKeyID key, PIActionList value);
    OSErr(VEL_HOSTCALL* PutObject)(PIActionDescriptor descriptor, DescriptorKeyID key, DescriptorClassID type,
                                   PIActionDescriptor value);
    OSErr(VEL_HOSTCALL* PutGlobalObject)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                         DescriptorClassID type, PIActionDescriptor value);
    OSErr(VEL_HOSTCALL* PutEnumerated)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                       DescriptorEnumTypeID type, DescriptorEnumID value);
    OSErr(VEL_HOSTCALL* PutReference)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                      PIActionReference value);
    OSErr(VEL_HOSTCALL* PutClass)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                  DescriptorClassID value);
    OSErr(VEL_HOSTCALL* PutGlobalClass)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                        DescriptorClassID value);
    OSErr(VEL_HOSTCALL* PutAlias)(PIActionDescriptor descriptor, DescriptorKeyID key, Handle value);
    OSErr(VEL_HOSTCALL* GetInteger)(PIActionDescriptor descriptor, DescriptorKeyID key, int32_t* value);
    OSErr(VEL_HOSTCALL* GetFloat)(PIActionDescriptor descriptor, DescriptorKeyID key, double* value);
    OSErr(VEL_HOSTCALL* GetUnitFloat)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                      DescriptorUnitID* unit, double* value);
    OSErr(VEL_HOSTCALL* GetStringLength)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                         uint32_t* length);
    OSErr(VEL_HOSTCALL* GetString)(PIActionDescriptor descriptor, DescriptorKeyID key, char* text,
                                   uint32_t maxLength);
    OSErr(VEL_HOSTCALL* GetBoolean)(PIActionDescriptor descriptor, DescriptorKeyID key, Boolean* value);
    OSErr(VEL_HOSTCALL* GetList)(PIActionDescriptor descriptor, DescriptorKeyID key, PIActionList* value);
    OSErr(VEL_HOSTCALL* GetObject)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                   DescriptorClassID* type, PIActionDescriptor* value);
    OSErr(VEL_HOSTCALL* GetGlobalObject)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                         DescriptorClassID* type, PIActionDescriptor* value);
    OSErr(VEL_HOSTCALL* GetEnumerated)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                       DescriptorEnumTypeID* type, DescriptorEnumID* value);
    OSErr(VEL_HOSTCALL* GetReference)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                      PIActionReference* value);
    OSErr(VEL_HOSTCALL* GetClass)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                  DescriptorClassID* value);
    OSErr(VEL_HOSTCALL* GetGlobalClass)(PIActionDescriptor descriptor, DescriptorKeyID key,
                                        DescriptorClassID* value);
    OSErr(VEL_HOSTCALL* GetAlias)(PIActionDescriptor descriptor, DescriptorKeyID key, Handle* value);
    OSErr(VEL_HOSTCALL* HasKeys)(PIActionDescriptor descriptor, DescriptorKeyID* requiredKeys,
                                 Boolean* hasKeys);
    OSErr(VEL_HOSTCALL* PutIntegers)(PIActionDescriptor descriptor, DescriptorKeyID key, uint32_t count,
                                     int32_t* values);
    OSErr(VEL_HOSTCALL* GetIntegers)(PIActionDescriptor descriptor, DescriptorKeyID key, uint32_t count,
                                     int32_t* values);
    OSErr(VEL_HOSTCALL* AsHandle)(PIActionDescriptor descriptor, PIDescriptorHandle* value);
    OSErr(VEL_HOSTCALL* HandleToDescriptor)(PIDescriptorHandle value, PIActionDescriptor* descriptor);
    OSErr(VEL_HOSTCALL* PutZString)(PIActionDescriptor descriptor, DescriptorKeyID key, ASZString value);
    OSErr(VEL_HOSTCALL* GetZString)(PIActionDescriptor descriptor, DescriptorKeyID key, ASZString* value);
    OSErr(VEL_HOSTCALL* PutData)(PIActionDescriptor descriptor, DescriptorKeyID key, int32_t length,
                                 void* value);
    OSErr(VEL_HOSTCALL* GetDataLength)(PIActionDescriptor descriptor, DescriptorKeyID key, int32_t* value);
    OSErr(VEL_HOSTCALL* GetData)(PIActionDescriptor descriptor, DescriptorKeyID key, void* value);
    // Version 3 and later.
    OSErr(VEL_HOSTCALL* PutInteger64)(PIActionDescriptor descriptor, DescriptorKeyID key, int64_t value);
    OSErr(VEL_HOSTCALL* GetInteger64)(PIActionDescriptor descriptor, DescriptorKeyID key, int64_t* value);
};

// ---------------------------------------------------------------------------
// Action references (version 2) and the basic action control (version 1).

inline constexpr char kPSActionReferenceSuite[] = "df135117-c769-11d0-8079-00c04fd7ec47";
inline constexpr int32_t kPSActionReferenceSuiteVersion2 = 2;

struct PSActionReferenceProcs {
    OSErr(VEL_HOSTCALL* Make)(PIActionReference* reference);
    OSErr(VEL_HOSTCALL* Free)(PIActionReference reference);
    OSErr(VEL_HOSTCALL* GetForm)(PIActionReference reference, DescriptorFormID* form);
    OSErr(VEL_HOSTCALL* GetDesiredClass)(PIActionReference reference, DescriptorClassID* desiredClass);
    OSErr(VEL_HOSTCALL* PutName)(PIActionReference reference, DescriptorClassID desiredClass,
                                 const char* name);
    OSErr(VEL_HOSTCALL* PutIndex)(PIActionReference reference, DescriptorClassID desiredClass,
                                  uint32_t index);
    OSErr(VEL_HOSTCALL* PutIdentifier)(PIActionReference reference, DescriptorClassID desiredClass,
                                       uint32_t identifier);
    OSErr(VEL_HOSTCALL* PutOffset)(PIActionReference reference, DescriptorClassID desiredClass,
                                   int32_t offset);
    OSErr(VEL_HOSTCALL* PutEnumerated)(PIActionReference reference, DescriptorClassID desiredClass,
                                       DescriptorEnumTypeID type, DescriptorEnumID value);
    OSErr(VEL_HOSTCALL* PutProperty)(PIActionReference reference, DescriptorClassID desiredClass,
                                     DescriptorKeyID value);
    OSErr(VEL_HOSTCALL* PutClass)(PIActionReference reference, DescriptorClassID desiredClass);
    OSErr(VEL_HOSTCALL* GetNameLength)(PIActionReference reference, uint32_t* length);
    OSErr(VEL_HOSTCALL* GetName)(PIActionReference reference, char* name, uint32_t maxLength);
    OSErr(VEL_HOSTCALL* GetIndex)(PIActionReference reference, uint32_t* index);
    OSErr(VEL_HOSTCALL* GetIdentifier)(PIActionReference reference, uint32_t* identifier);
    OSErr(VEL_HOSTCALL* GetOffset)(PIActionReference reference, int32_t* offset);
    OSErr(VEL_HOSTCALL* GetEnumerated)(PIActionReference reference, DescriptorEnumTypeID* type,
                                       DescriptorEnumID* enumValue);
    OSErr(VEL_HOSTCALL* GetProperty)(PIActionReference reference, DescriptorKeyID* value);
    OSErr(VEL_HOSTCALL* GetContainer)(PIActionReference reference, PIActionReference* value);
};

inline constexpr char kPSBasicActionControlSuite[] = "3eb7c480-8797-11d1-8da7-00c04fd5f7ee";
inline constexpr int32_t kPSBasicActionControlSuiteVersion1 = 1;

struct PSBasicActionControlProcs {
    OSErr(VEL_HOSTCALL* Get)(PIActionDescriptor* result, PIActionReference reference);
    OSErr(VEL_HOSTCALL* StringIDToTypeID)(const char* stringID, DescriptorTypeID* typeID);
    OSErr(VEL_HOSTCALL* TypeIDToStringID)(DescriptorTypeID typeID, char* stringID, uint32_t maxLength);
    OSErr(VEL_HOSTCALL* MakeStringAlias)(const char* newStringID, const char* existingStringID);
};

// ---------------------------------------------------------------------------
// The descriptor registry (version 1): descriptors kept by key, optionally
// across host sessions.

inline constexpr char kPSDescriptorRegistrySuite[] = "61e608b0-40fd-11d1-8da3-00c04fd5f7ee";
inline constexpr int32_t kPSDescriptorRegistrySuiteVersion1 = 1;

struct PSDescriptorRegistryProcs {
    OSErr(VEL_HOSTCALL* Register)(const char* key, PIActionDescriptor descriptor, Boolean isPersistent);
    OSErr(VEL_HOSTCALL* Erase)(const char* key);
    OSErr(VEL_HOSTCALL* Get)(const char* key, PIActionDescriptor* descriptor);
};

// Terminology codes of the layer queries.
inline constexpr DescriptorClassID classProperty = 0x50727072;  // 'Prpr'
inline constexpr DescriptorClassID classLayer = 0x4C797220;     // 'Lyr '
inline constexpr DescriptorEnumTypeID typeOrdinal = 0x4F72646E; // 'Ordn'
inline constexpr DescriptorEnumID enumTarget = 0x54726774;      // 'Trgt'
inline constexpr DescriptorKeyID keyName = 0x4E6D2020;          // 'Nm  '
inline constexpr DescriptorKeyID keyVisible = 0x5673626C;       // 'Vsbl'

VEL_HOST_OFFSET(SPBasicSuite, ReleaseSuite, 4, 8);
VEL_HOST_OFFSET(SPBasicSuite, IsEqual, 8, 16);
VEL_HOST_OFFSET(SPBasicSuite, AllocateBlock, 12, 24);
VEL_HOST_OFFSET(SPBasicSuite, Undefined, 24, 48);
VEL_HOST_SIZE(SPBasicSuite, 28, 56);

VEL_HOST_OFFSET(PSColorSpaceSuite1, Convert8, 24, 48);
VEL_HOST_OFFSET(PSColorSpaceSuite1, Convert16, 28, 56);
VEL_HOST_OFFSET(PSColorSpaceSuite1, ConvertToMonitorRGB, 56, 112);
VEL_HOST_SIZE(PSColorSpaceSuite1, 64, 128);
static_assert(sizeof(Color8) == 4 && sizeof(Color16) == 8 && sizeof(CS_XYZColor) == 6);

VEL_HOST_OFFSET(PSChannelPortsSuite1, CanRead, 28, 56);
VEL_HOST_OFFSET(PSChannelPortsSuite1, ReadPixelsFromLevel, 36, 72);
VEL_HOST_OFFSET(PSChannelPortsSuite1, Dispose, 56, 112);
VEL_HOST_SIZE(PSChannelPortsSuite1, 88, 176);

VEL_HOST_OFFSET(PSActionDescriptorProcs, HasKey, 16, 32);
VEL_HOST_OFFSET(PSActionDescriptorProcs, PutInteger, 36, 72);
VEL_HOST_OFFSET(PSActionDescriptorProcs, PutFloat, 40, 80);
VEL_HOST_OFFSET(PSActionDescriptorProcs, PutString, 48, 96);
VEL_HOST_OFFSET(PSActionDescriptorProcs, PutBoolean, 52, 104);
VEL_HOST_OFFSET(PSActionDescriptorProcs, GetInteger, 88, 176);
VEL_HOST_OFFSET(PSActionDescriptorProcs, GetFloat, 92, 184);
VEL_HOST_OFFSET(PSActionDescriptorProcs, GetStringLength, 100, 200);
VEL_HOST_OFFSET(PSActionDescriptorProcs, GetString, 104, 208);
VEL_HOST_OFFSET(PSActionDescriptorProcs, GetBoolean, 108, 216);
VEL_HOST_OFFSET(PSActionDescriptorProcs, GetData, 180, 360);
VEL_HOST_SIZE(PSActionDescriptorProcs, 192, 384);

VEL_HOST_OFFSET(PSActionReferenceProcs, PutName, 16, 32);
VEL_HOST_OFFSET(PSActionReferenceProcs, PutEnumerated, 32, 64);
VEL_HOST_OFFSET(PSActionReferenceProcs, PutProperty, 36, 72);
VEL_HOST_SIZE(PSActionReferenceProcs, 76, 152);

VEL_HOST_SIZE(PSBasicActionControlProcs, 16, 32);

VEL_HOST_OFFSET(PSDescriptorRegistryProcs, Get, 8, 16);
VEL_HOST_SIZE(PSDescriptorRegistryProcs, 12, 24);

} // namespace vel
