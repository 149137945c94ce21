#pragma once
// The records a host hands to a filter: the filter record with its
// big-document extension, the About record, and the callback tables and
// document descriptions they point to.
//
// Packing: only FilterRecord and BigDocumentStruct are packed to 4 bytes
// (which puts 8-byte pointers on 4-byte boundaries on x86_64); every other
// record has natural alignment, so a table that starts with two 16-bit
// fields has 4 bytes of padding before its first pointer on x86_64.

#include "session/HostTypes.h"

namespace vel {

struct FilterRecord;
struct ColorServicesInfo;
struct PSPixelMap;
struct ResourceProcs;
struct ImageServicesProcs;
struct PropertyProcs;
struct SPBasicSuite;

using TestAbortProc = Boolean(VEL_HOSTCALL*)();
using ProgressProc = void(VEL_HOSTCALL*)(int32_t done, int32_t total);
using HostProc = void(VEL_HOSTCALL*)(int16_t selector, intptr_t* data);
using ProcessEventProc = void(VEL_HOSTCALL*)(void* event);
using DisplayPixelsProc = OSErr(VEL_HOSTCALL*)(const PSPixelMap* source, const VRect* srcRect, int32_t dstRow,
                                               int32_t dstCol, void* platformContext);
using AdvanceStateProc = OSErr(VEL_HOSTCALL*)();
using GetPropertyProc = OSErr(VEL_HOSTCALL*)(PIType signature, PIType key, int32_t index, intptr_t* simple,
                                             Handle* complex);
using ColorServicesProc = OSErr(VEL_HOSTCALL*)(ColorServicesInfo* info);

// The plug-in's entry point, named by the property list: the selector, the
// FilterRecord (the AboutRecord for selector 0), the data slot the host keeps
// for the plug-in, and the result word.
using FilterEntryProc = void(VEL_HOSTCALL*)(int16_t selector, void* record, intptr_t* data, int16_t* result);

// ---------------------------------------------------------------------------
// Handle and buffer procedures.

using NewPIHandleProc = Handle(VEL_HOSTCALL*)(int32_t size);
using DisposePIHandleProc = void(VEL_HOSTCALL*)(Handle h);
using GetPIHandleSizeProc = int32_t(VEL_HOSTCALL*)(Handle h);
using SetPIHandleSizeProc = OSErr(VEL_HOSTCALL*)(Handle h, int32_t newSize);
using LockPIHandleProc = Ptr(VEL_HOSTCALL*)(Handle h, Boolean moveHigh);
using UnlockPIHandleProc = void(VEL_HOSTCALL*)(Handle h);
using RecoverSpaceProc = void(VEL_HOSTCALL*)(int32_t size);
using DisposeRegularHandlePIHandleProc = void(VEL_HOSTCALL*)(Handle h);

struct HandleProcs {
    int16_t handleProcsVersion;
    int16_t numHandleProcs;
    NewPIHandleProc newProc;
    DisposePIHandleProc disposeProc;
    GetPIHandleSizeProc getSizeProc;
    SetPIHandleSizeProc setSizeProc;
    LockPIHandleProc lockProc;
    UnlockPIHandleProc unlockProc;
    RecoverSpaceProc recoverSpaceProc;
    DisposeRegularHandlePIHandleProc disposeRegularHandleProc;
};

struct BufferProcs {
    int16_t bufferProcsVersion;
    int16_t numBufferProcs;
    OSErr(VEL_HOSTCALL* allocateProc)(int32_t size, BufferID* bufferID);
    Ptr(VEL_HOSTCALL* lockProc)(BufferID bufferID, Boolean moveHigh);
    void(VEL_HOSTCALL* unlockProc)(BufferID bufferID);
    void(VEL_HOSTCALL* freeProc)(BufferID bufferID);
    int32_t(VEL_HOSTCALL* spaceProc)();
    OSErr(VEL_HOSTCALL* reserveProc)(int32_t size);
    OSErr(VEL_HOSTCALL* allocateProc64)(int64_t size, BufferID* bufferID);
    int64_t(VEL_HOSTCALL* spaceProc64)();
};

// ---------------------------------------------------------------------------
// Window and About record.

struct PlatformData {
    intptr_t hwnd; // the window that should own the plug-in's dialogs; may be 0
};

struct AboutRecord {
    PlatformData* platformData;
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    char reserved[244];
};

// ---------------------------------------------------------------------------
// Colour services.

struct ColorServicesInfo {
    int32_t infoSize;
    int16_t selector;
    int16_t sourceSpace;
    int16_t resultSpace;
    Boolean resultGamutInfoValid;
    Boolean resultInGamut;
    void* reservedSourceSpaceInfo;
    void* reservedResultSpaceInfo;
    int16_t colorComponents[4];
    void* reserved;
    union {
        Str255* pickerPrompt;
        Point* globalSamplePoint;
        int32_t specialColorID;
    } selectorParameter;
};

// ---------------------------------------------------------------------------
// Scripting: descriptor parameters and the read and write procedure tables.

struct PIDescriptorSimpleReference;

struct ReadDescriptorProcs {
    int16_t readDescriptorProcsVersion;
    int16_t numReadDescriptorProcs;
    PIReadDescriptor(VEL_HOSTCALL* openReadDescriptorProc)(PIDescriptorHandle descriptor,
                                                           DescriptorKeyID* keyArray);
    OSErr(VEL_HOSTCALL* closeReadDescriptorProc)(PIReadDescriptor token);
    Boolean(VEL_HOSTCALL* getKeyProc)(PIReadDescriptor token, DescriptorKeyID* key, DescriptorTypeID* type,
                                      int32_t* flags);
    OSErr(VEL_HOSTCALL* getIntegerProc)(PIReadDescriptor token, int32_t* value);
    OSErr(VEL_HOSTCALL* getFloatProc)(PIReadDescriptor token, double* value);
    OSErr(VEL_HOSTCALL* getUnitFloatProc)(PIReadDescriptor token, DescriptorUnitID* unit, double* value);
    OSErr(VEL_HOSTCALL* getBooleanProc)(PIReadDescriptor token, Boolean* value);
    OSErr(VEL_HOSTCALL* getTextProc)(PIReadDescriptor token, Handle* text);
    OSErr(VEL_HOSTCALL* getAliasProc)(PIReadDescriptor token, Handle* alias);
    OSErr(VEL_HOSTCALL* getEnumeratedProc)(PIReadDescriptor token, DescriptorEnumID* value);
    OSErr(VEL_HOSTCALL* getClassProc)(PIReadDescriptor token, DescriptorTypeID* value);
    OSErr(VEL_HOSTCALL* getSimpleReferenceProc)(PIReadDescriptor token, PIDescriptorSimpleReference* value);
    OSErr(VEL_HOSTCALL* getObjectProc)(PIReadDescriptor token, DescriptorTypeID* type,
                                       PIDescriptorHandle* value);
    OSErr(VEL_HOSTCALL* getCountProc)(PIReadDescriptor token, uint32_t* count);
    OSErr(VEL_HOSTCALL* getStringProc)(PIReadDescriptor token, Str255* value);
    OSErr(VEL_HOSTCALL* getPinnedIntegerProc)(PIReadDescriptor token, int32_t min, int32_t max,
                                              int32_t* value);
    OSErr(VEL_HOSTCALL* getPinnedFloatProc)(PIReadDescriptor token, const double* min, const double* max,
                                            double* value);
    OSErr(VEL_HOSTCALL* getPinnedUnitFloatProc)(PIReadDescriptor token, const double* min, const double* max,
                                                DescriptorUnitID* unit, double* value);
};

struct WriteDescriptorProcs {
    int16_t writeDescriptorProcsVersion;
    int16_t numWriteDescriptorProcs;
    PIWriteDescriptor(VEL_HOSTCALL* openWriteDescriptorProc)();
    OSErr(VEL_HOSTCALL* closeWriteDescriptorProc)(PIWriteDescriptor token, PIDescriptorHandle* descriptor);
    OSErr(VEL_HOSTCALL* putIntegerProc)(PIWriteDescriptor token, DescriptorKeyID key, int32_t value);
    OSErr(VEL_HOSTCALL* putFloatProc)(PIWriteDescriptor token, DescriptorKeyID key, const double* value);
    OSErr(VEL_HOSTCALL* putUnitFloatProc)(PIWriteDescriptor token, DescriptorKeyID key, DescriptorUnitID unit,
                                          const double* value);
    OSErr(VEL_HOSTCALL* putBooleanProc)(PIWriteDescriptor token, DescriptorKeyID key, Boolean value);
    OSErr(VEL_HOSTCALL* putTextProc)(PIWriteDescriptor token, DescriptorKeyID key, Handle text);
    OSErr(VEL_HOSTCALL* putAliasProc)(PIWriteDescriptor token, DescriptorKeyID key, Handle alias);
    OSErr(VEL_HOSTCALL* putEnumeratedProc)(PIWriteDescriptor token, DescriptorKeyID key,
                                           DescriptorTypeID type, DescriptorEnumID value);
    OSErr(VEL_HOSTCALL* putClassProc)(PIWriteDescriptor token, DescriptorKeyID key, DescriptorTypeID cls);
    OSErr(VEL_HOSTCALL* putSimpleReferenceProc)(PIWriteDescriptor token, DescriptorKeyID key,
                                                const PIDescriptorSimpleReference* ref);
    OSErr(VEL_HOSTCALL* putObjectProc)(PIWriteDescriptor token, DescriptorKeyID key, DescriptorTypeID type,
                                       PIDescriptorHandle value);
    OSErr(VEL_HOSTCALL* putCountProc)(PIWriteDescriptor token, DescriptorKeyID key, uint32_t count);
    OSErr(VEL_HOSTCALL* putStringProc)(PIWriteDescriptor token, DescriptorKeyID key,
                                       const unsigned char* text);
    OSErr(VEL_HOSTCALL* putScopedClassProc)(PIWriteDescriptor token, DescriptorKeyID key,
                                            DescriptorTypeID cls);
    OSErr(VEL_HOSTCALL* putScopedObjectProc)(PIWriteDescriptor token, DescriptorKeyID key,
                                             DescriptorTypeID type, PIDescriptorHandle value);
};

struct PIDescriptorParameters {
    int16_t descriptorParametersVersion;
    int16_t playInfo;   // host to plug-in: plugInDialogDontDisplay / Display / Silent
    int16_t recordInfo; // plug-in to host: plugInDialogOptional / Required / None
    PIDescriptorHandle descriptor;
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
};

// ---------------------------------------------------------------------------
// Channel ports and the document description.

struct PixelMemoryDesc {
    void* data;
    int32_t rowBits;   // row stride in bits
    int32_t colBits;   // pixel stride in bits
    int32_t bitOffset; // bits from data to the first sample
    int32_t depth;     // bits per sample
};

struct PSScaling {
    VRect sourceRect;
    VRect destinationRect;
};

struct ChannelPortProcs {
    int16_t channelPortProcsVersion;
    int16_t numChannelPortProcs;
    OSErr(VEL_HOSTCALL* readPixelsProc)(PIChannelPort port, const PSScaling* scaling, const VRect* writeRect,
                                        const PixelMemoryDesc* destination, VRect* wroteRect);
    OSErr(VEL_HOSTCALL* writeBasePixelsProc)(PIChannelPort port, const VRect* writeRect,
                                             const PixelMemoryDesc* source);
    OSErr(VEL_HOSTCALL* readPortForWritePortProc)(PIChannelPort* readPort, PIChannelPort writePort);
};

struct ReadChannelDesc {
    int32_t minVersion;
    int32_t maxVersion;
    ReadChannelDesc* next;
    PIChannelPort port;
    VRect bounds;
    int32_t depth;
    VPoint tileSize;
    VPoint tileOrigin;
    Boolean target;
    Boolean shown;
    int16_t channelType;
    void* contextInfo;
    const char* name;
    PIChannelPort writePort;     // version 1
    uint32_t alphaID;            // version 2
    const uint16_t* unicodeName; // version 3
    Boolean isEnabled;           // version 4
    VRect limitBounds;           // version 5
};

struct ReadLayerDesc {
    int32_t minVersion;
    int32_t maxVersion;
    ReadLayerDesc* next;
    ReadChannelDesc* compositeChannelsList;
    ReadChannelDesc* transparency;
    ReadChannelDesc* layerMask;
    uint32_t sheetID;
    const char* name;
    Boolean isPixelBased;
    const uint16_t* unicodeName; // version 1
    Boolean isVisible;           // version 2
    Boolean isAdjustor;
    Boolean isContentGenerator;
    Boolean isRendered;
    uint8_t opacity;
    uint8_t fillOpacity;
    PIType blendMode;
    ReadChannelDesc* vectorMask;
    ReadChannelDesc* smartFilterMask; // version 3
};

struct ReadImageDocumentDesc {
    int32_t minVersion;
    int32_t maxVersion;
    int32_t imageMode;
    int32_t depth;
    VRect bounds;
    Fixed hResolution;
    Fixed vResolution;
    uint8_t redLUT[256];
    uint8_t greenLUT[256];
    uint8_t blueLUT[256];
    ReadChannelDesc* targetCompositeChannels;
    ReadChannelDesc* targetTransparency;
    ReadChannelDesc* targetLayerMask;
    ReadChannelDesc* mergedCompositeChannels;
    ReadChannelDesc* mergedTransparency;
    ReadChannelDesc* alphaChannels;
    ReadChannelDesc* selection;
    void* fileSpec;                  // version 1
    ReadLayerDesc* layersDescriptor; // version 2
    int32_t documentType;
    ReadImageDocumentDesc* next;
    void* iCCprofileData; // version 3
    int32_t iCCprofileSize;
    int32_t compositeChannelCount;
    int32_t layerCount;
    int32_t alphaChannelCount;
    ReadChannelDesc* targetSmartFilterMask; // version 4
    void* fileSpecW;                        // version 5
    void* fileSpecX;                        // version 6
};

// ---------------------------------------------------------------------------
// The filter record and its big-document extension.

#pragma pack(push, 4)

struct BigDocumentStruct {
    int32_t PluginUsing32BitCoordinates; // the plug-in sets it to use the fields below
    VPoint imageSize32;
    VRect filterRect32;
    VRect inRect32;
    VRect outRect32;
    VRect maskRect32;
    VPoint floatCoord32;
    VPoint wholeSize32;
};

struct FilterRecord {
    int32_t serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters;
    Point imageSize;
    int16_t planes;
    Rect filterRect;
    RGBColor background;
    RGBColor foreground;
    int32_t maxSpace;
    int32_t bufferSpace;
    Rect inRect;
    int16_t inLoPlane;
    int16_t inHiPlane;
    Rect outRect;
    int16_t outLoPlane;
    int16_t outHiPlane;
    void* inData;
    int32_t inRowBytes;
    void* outData;
    int32_t outRowBytes;
    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    Rect maskRect;
    void* maskData;
    int32_t maskRowBytes;
    FilterColor backColor;
    FilterColor foreColor;
    OSType hostSig;
    HostProc hostProc;
    int16_t imageMode;
    Fixed imageHRes;
    Fixed imageVRes;
    Point floatCoord;
    Point wholeSize;
    PlugInMonitor monitor;
    PlatformData* platformData;
    BufferProcs* bufferProcs;
    ResourceProcs* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    HandleProcs* handleProcs;
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase;
    int16_t dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;
    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    GetPropertyProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16_t inputPadding;
    int16_t outputPadding;
    int16_t maskPadding;
    char samplingSupport;
    char reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices;
    int16_t inLayerPlanes;
    int16_t inTransparencyMask;
    int16_t inLayerMasks;
    int16_t inInvertedLayerMasks;
    int16_t inNonLayerPlanes;
    int16_t outLayerPlanes;
    int16_t outTransparencyMask;
    int16_t outLayerMasks;
    int16_t outInvertedLayerMasks;
    int16_t outNonLayerPlanes;
    int16_t absLayerPlanes;
    int16_t absTransparencyMask;
    int16_t absLayerMasks;
    int16_t absInvertedLayerMasks;
    int16_t absNonLayerPlanes;
    int16_t inPreDummyPlanes;
    int16_t inPostDummyPlanes;
    int16_t outPreDummyPlanes;
    int16_t outPostDummyPlanes;
    int32_t inColumnBytes;
    int32_t inPlaneBytes;
    int32_t outColumnBytes;
    int32_t outPlaneBytes;
    ImageServicesProcs* imageServicesProcs;
    PropertyProcs* propertyProcs;
    int16_t inTileHeight;
    int16_t inTileWidth;
    Point inTileOrigin;
    int16_t absTileHeight;
    int16_t absTileWidth;
    Point absTileOrigin;
    int16_t outTileHeight;
    int16_t outTileWidth;
    Point outTileOrigin;
    int16_t maskTileHeight;
    int16_t maskTileWidth;
    Point maskTileOrigin;
    PIDescriptorParameters* descriptorParameters;
    Str255* errorString;
    ChannelPortProcs* channelPortProcs;
    ReadImageDocumentDesc* documentInfo;
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    int32_t depth;
    Handle iCCprofileData;
    int32_t iCCprofileSize;
    int32_t canUseICCProfiles;
    int32_t hasImageScrap;
    BigDocumentStruct* bigDocumentData;
    PIDescriptorParameters* input3DScene;
    PIDescriptorParameters* output3DScene;
    Boolean createNewLayer;
    Handle iCCWorkingProfileData;
    int32_t iCCWorkingProfileSize;
    int64_t bufferSpace64; // the 64-bit twins exist only in the newest hosts' records
    int64_t maxSpace64;
    Boolean allowOverrangeColors;
    char reserved[45];
};

#pragma pack(pop)

// ---------------------------------------------------------------------------
// Layouts as hosts see them.

VEL_HOST_SIZE(PlatformData, 4, 8);
VEL_HOST_OFFSET(AboutRecord, sSPBasic, 4, 8);
VEL_HOST_OFFSET(AboutRecord, plugInRef, 8, 16);
VEL_HOST_OFFSET(AboutRecord, reserved, 12, 24);
VEL_HOST_SIZE(AboutRecord, 256, 272);

VEL_HOST_OFFSET(HandleProcs, newProc, 4, 8);
VEL_HOST_OFFSET(HandleProcs, disposeProc, 8, 16);
VEL_HOST_OFFSET(HandleProcs, getSizeProc, 12, 24);
VEL_HOST_OFFSET(HandleProcs, setSizeProc, 16, 32);
VEL_HOST_OFFSET(HandleProcs, lockProc, 20, 40);
VEL_HOST_OFFSET(HandleProcs, unlockProc, 24, 48);
VEL_HOST_OFFSET(HandleProcs, recoverSpaceProc, 28, 56);
VEL_HOST_OFFSET(HandleProcs, disposeRegularHandleProc, 32, 64);
VEL_HOST_SIZE(HandleProcs, 36, 72);

VEL_HOST_OFFSET(BufferProcs, allocateProc, 4, 8);
VEL_HOST_OFFSET(BufferProcs, spaceProc, 20, 40);
VEL_HOST_OFFSET(BufferProcs, spaceProc64, 32, 64);
VEL_HOST_SIZE(BufferProcs, 36, 72);

VEL_HOST_OFFSET(ColorServicesInfo, selector, 4, 4);
VEL_HOST_OFFSET(ColorServicesInfo, sourceSpace, 6, 6);
VEL_HOST_OFFSET(ColorServicesInfo, resultSpace, 8, 8);
VEL_HOST_OFFSET(ColorServicesInfo, resultGamutInfoValid, 10, 10);
VEL_HOST_OFFSET(ColorServicesInfo, resultInGamut, 11, 11);
VEL_HOST_OFFSET(ColorServicesInfo, reservedSourceSpaceInfo, 12, 16);
VEL_HOST_OFFSET(ColorServicesInfo, reservedResultSpaceInfo, 16, 24);
VEL_HOST_OFFSET(ColorServicesInfo, colorComponents, 20, 32);
VEL_HOST_OFFSET(ColorServicesInfo, reserved, 28, 40);
VEL_HOST_OFFSET(ColorServicesInfo, selectorParameter, 32, 48);
VEL_HOST_SIZE(ColorServicesInfo, 36, 56);

VEL_HOST_OFFSET(ReadDescriptorProcs, openReadDescriptorProc, 4, 8);
VEL_HOST_OFFSET(ReadDescriptorProcs, closeReadDescriptorProc, 8, 16);
VEL_HOST_OFFSET(ReadDescriptorProcs, getKeyProc, 12, 24);
VEL_HOST_OFFSET(ReadDescriptorProcs, getIntegerProc, 16, 32);
VEL_HOST_OFFSET(ReadDescriptorProcs, getFloatProc, 20, 40);
VEL_HOST_OFFSET(ReadDescriptorProcs, getBooleanProc, 28, 56);
VEL_HOST_OFFSET(ReadDescriptorProcs, getStringProc, 60, 120);
VEL_HOST_OFFSET(ReadDescriptorProcs, getPinnedUnitFloatProc, 72, 144);
VEL_HOST_SIZE(ReadDescriptorProcs, 76, 152);

VEL_HOST_OFFSET(WriteDescriptorProcs, openWriteDescriptorProc, 4, 8);
VEL_HOST_OFFSET(WriteDescriptorProcs, closeWriteDescriptorProc, 8, 16);
VEL_HOST_OFFSET(WriteDescriptorProcs, putIntegerProc, 12, 24);
VEL_HOST_OFFSET(WriteDescriptorProcs, putFloatProc, 16, 32);
VEL_HOST_OFFSET(WriteDescriptorProcs, putBooleanProc, 24, 48);
VEL_HOST_OFFSET(WriteDescriptorProcs, putStringProc, 56, 112);
VEL_HOST_OFFSET(WriteDescriptorProcs, putScopedObjectProc, 64, 128);
VEL_HOST_SIZE(WriteDescriptorProcs, 68, 136);

VEL_HOST_OFFSET(PIDescriptorParameters, playInfo, 2, 2);
VEL_HOST_OFFSET(PIDescriptorParameters, recordInfo, 4, 4);
VEL_HOST_OFFSET(PIDescriptorParameters, descriptor, 8, 8);
VEL_HOST_OFFSET(PIDescriptorParameters, writeDescriptorProcs, 12, 16);
VEL_HOST_OFFSET(PIDescriptorParameters, readDescriptorProcs, 16, 24);
VEL_HOST_SIZE(PIDescriptorParameters, 20, 32);

VEL_HOST_OFFSET(PixelMemoryDesc, rowBits, 4, 8);
VEL_HOST_OFFSET(PixelMemoryDesc, colBits, 8, 12);
VEL_HOST_OFFSET(PixelMemoryDesc, bitOffset, 12, 16);
VEL_HOST_OFFSET(PixelMemoryDesc, depth, 16, 20);
VEL_HOST_SIZE(PixelMemoryDesc, 20, 24);
VEL_HOST_OFFSET(PSScaling, destinationRect, 16, 16);
VEL_HOST_SIZE(PSScaling, 32, 32);

VEL_HOST_OFFSET(ChannelPortProcs, readPixelsProc, 4, 8);
VEL_HOST_OFFSET(ChannelPortProcs, writeBasePixelsProc, 8, 16);
VEL_HOST_OFFSET(ChannelPortProcs, readPortForWritePortProc, 12, 24);
VEL_HOST_SIZE(ChannelPortProcs, 16, 32);

VEL_HOST_OFFSET(ReadChannelDesc, next, 8, 8);
VEL_HOST_OFFSET(ReadChannelDesc, port, 12, 16);
VEL_HOST_OFFSET(ReadChannelDesc, bounds, 16, 24);
VEL_HOST_OFFSET(ReadChannelDesc, depth, 32, 40);
VEL_HOST_OFFSET(ReadChannelDesc, tileSize, 36, 44);
VEL_HOST_OFFSET(ReadChannelDesc, tileOrigin, 44, 52);
VEL_HOST_OFFSET(ReadChannelDesc, target, 52, 60);
VEL_HOST_OFFSET(ReadChannelDesc, shown, 53, 61);
VEL_HOST_OFFSET(ReadChannelDesc, channelType, 54, 62);
VEL_HOST_OFFSET(ReadChannelDesc, contextInfo, 56, 64);
VEL_HOST_OFFSET(ReadChannelDesc, name, 60, 72);
VEL_HOST_OFFSET(ReadChannelDesc, writePort, 64, 80);
VEL_HOST_OFFSET(ReadChannelDesc, alphaID, 68, 88);
VEL_HOST_OFFSET(ReadChannelDesc, unicodeName, 72, 96);
VEL_HOST_OFFSET(ReadChannelDesc, isEnabled, 76, 104);
VEL_HOST_OFFSET(ReadChannelDesc, limitBounds, 80, 108);
VEL_HOST_SIZE(ReadChannelDesc, 96, 128);

VEL_HOST_OFFSET(ReadLayerDesc, next, 8, 8);
VEL_HOST_OFFSET(ReadLayerDesc, compositeChannelsList, 12, 16);
VEL_HOST_OFFSET(ReadLayerDesc, transparency, 16, 24);
VEL_HOST_OFFSET(ReadLayerDesc, layerMask, 20, 32);
VEL_HOST_OFFSET(ReadLayerDesc, sheetID, 24, 40);
VEL_HOST_OFFSET(ReadLayerDesc, name, 28, 48);
VEL_HOST_OFFSET(ReadLayerDesc, isPixelBased, 32, 56);
VEL_HOST_OFFSET(ReadLayerDesc, unicodeName, 36, 64);
VEL_HOST_OFFSET(ReadLayerDesc, isVisible, 40, 72);
VEL_HOST_OFFSET(ReadLayerDesc, opacity, 44, 76);
VEL_HOST_OFFSET(ReadLayerDesc, blendMode, 48, 80);
VEL_HOST_OFFSET(ReadLayerDesc, vectorMask, 52, 88);
VEL_HOST_OFFSET(ReadLayerDesc, smartFilterMask, 56, 96);
VEL_HOST_SIZE(ReadLayerDesc, 60, 104);

VEL_HOST_OFFSET(ReadImageDocumentDesc, imageMode, 8, 8);
VEL_HOST_OFFSET(ReadImageDocumentDesc, depth, 12, 12);
VEL_HOST_OFFSET(ReadImageDocumentDesc, bounds, 16, 16);
VEL_HOST_OFFSET(ReadImageDocumentDesc, redLUT, 40, 40);
VEL_HOST_OFFSET(ReadImageDocumentDesc, targetCompositeChannels, 808, 808);
VEL_HOST_OFFSET(ReadImageDocumentDesc, targetTransparency, 812, 816);
VEL_HOST_OFFSET(ReadImageDocumentDesc, targetLayerMask, 816, 824);
VEL_HOST_OFFSET(ReadImageDocumentDesc, mergedCompositeChannels, 820, 832);
VEL_HOST_OFFSET(ReadImageDocumentDesc, mergedTransparency, 824, 840);
VEL_HOST_OFFSET(ReadImageDocumentDesc, alphaChannels, 828, 848);
VEL_HOST_OFFSET(ReadImageDocumentDesc, selection, 832, 856);
VEL_HOST_OFFSET(ReadImageDocumentDesc, fileSpec, 836, 864);
VEL_HOST_OFFSET(ReadImageDocumentDesc, layersDescriptor, 840, 872);
VEL_HOST_OFFSET(ReadImageDocumentDesc, documentType, 844, 880);
VEL_HOST_OFFSET(ReadImageDocumentDesc, next, 848, 888);
VEL_HOST_OFFSET(ReadImageDocumentDesc, iCCprofileData, 852, 896);
VEL_HOST_OFFSET(ReadImageDocumentDesc, compositeChannelCount, 860, 908);
VEL_HOST_OFFSET(ReadImageDocumentDesc, layerCount, 864, 912);
VEL_HOST_OFFSET(ReadImageDocumentDesc, alphaChannelCount, 868, 916);
VEL_HOST_OFFSET(ReadImageDocumentDesc, targetSmartFilterMask, 872, 920);
VEL_HOST_OFFSET(ReadImageDocumentDesc, fileSpecW, 876, 928);
VEL_HOST_OFFSET(ReadImageDocumentDesc, fileSpecX, 880, 936);
VEL_HOST_SIZE(ReadImageDocumentDesc, 884, 944);

VEL_HOST_OFFSET(BigDocumentStruct, imageSize32, 4, 4);
VEL_HOST_OFFSET(BigDocumentStruct, filterRect32, 12, 12);
VEL_HOST_OFFSET(BigDocumentStruct, inRect32, 28, 28);
VEL_HOST_OFFSET(BigDocumentStruct, outRect32, 44, 44);
VEL_HOST_OFFSET(BigDocumentStruct, maskRect32, 60, 60);
VEL_HOST_OFFSET(BigDocumentStruct, floatCoord32, 76, 76);
VEL_HOST_OFFSET(BigDocumentStruct, wholeSize32, 84, 84);
VEL_HOST_SIZE(BigDocumentStruct, 92, 92);

VEL_HOST_OFFSET(FilterRecord, serialNumber, 0, 0);
VEL_HOST_OFFSET(FilterRecord, abortProc, 4, 4);
VEL_HOST_OFFSET(FilterRecord, progressProc, 8, 12);
VEL_HOST_OFFSET(FilterRecord, parameters, 12, 20);
VEL_HOST_OFFSET(FilterRecord, imageSize, 16, 28);
VEL_HOST_OFFSET(FilterRecord, planes, 20, 32);
VEL_HOST_OFFSET(FilterRecord, filterRect, 22, 34);
VEL_HOST_OFFSET(FilterRecord, background, 30, 42);
VEL_HOST_OFFSET(FilterRecord, foreground, 36, 48);
VEL_HOST_OFFSET(FilterRecord, maxSpace, 44, 56);
VEL_HOST_OFFSET(FilterRecord, bufferSpace, 48, 60);
VEL_HOST_OFFSET(FilterRecord, inRect, 52, 64);
VEL_HOST_OFFSET(FilterRecord, inLoPlane, 60, 72);
VEL_HOST_OFFSET(FilterRecord, inHiPlane, 62, 74);
VEL_HOST_OFFSET(FilterRecord, outRect, 64, 76);
VEL_HOST_OFFSET(FilterRecord, outLoPlane, 72, 84);
VEL_HOST_OFFSET(FilterRecord, outHiPlane, 74, 86);
VEL_HOST_OFFSET(FilterRecord, inData, 76, 88);
VEL_HOST_OFFSET(FilterRecord, inRowBytes, 80, 96);
VEL_HOST_OFFSET(FilterRecord, outData, 84, 100);
VEL_HOST_OFFSET(FilterRecord, outRowBytes, 88, 108);
VEL_HOST_OFFSET(FilterRecord, isFloating, 92, 112);
VEL_HOST_OFFSET(FilterRecord, haveMask, 93, 113);
VEL_HOST_OFFSET(FilterRecord, autoMask, 94, 114);
VEL_HOST_OFFSET(FilterRecord, maskRect, 96, 116);
VEL_HOST_OFFSET(FilterRecord, maskData, 104, 124);
VEL_HOST_OFFSET(FilterRecord, maskRowBytes, 108, 132);
VEL_HOST_OFFSET(FilterRecord, backColor, 112, 136);
VEL_HOST_OFFSET(FilterRecord, foreColor, 116, 140);
VEL_HOST_OFFSET(FilterRecord, hostSig, 120, 144);
VEL_HOST_OFFSET(FilterRecord, hostProc, 124, 148);
VEL_HOST_OFFSET(FilterRecord, imageMode, 128, 156);
VEL_HOST_OFFSET(FilterRecord, imageHRes, 132, 160);
VEL_HOST_OFFSET(FilterRecord, imageVRes, 136, 164);
VEL_HOST_OFFSET(FilterRecord, floatCoord, 140, 168);
VEL_HOST_OFFSET(FilterRecord, wholeSize, 144, 172);
VEL_HOST_OFFSET(FilterRecord, monitor, 148, 176);
VEL_HOST_OFFSET(FilterRecord, platformData, 188, 216);
VEL_HOST_OFFSET(FilterRecord, bufferProcs, 192, 224);
VEL_HOST_OFFSET(FilterRecord, resourceProcs, 196, 232);
VEL_HOST_OFFSET(FilterRecord, processEvent, 200, 240);
VEL_HOST_OFFSET(FilterRecord, displayPixels, 204, 248);
VEL_HOST_OFFSET(FilterRecord, handleProcs, 208, 256);
VEL_HOST_OFFSET(FilterRecord, supportsDummyChannels, 212, 264);
VEL_HOST_OFFSET(FilterRecord, supportsAlternateLayouts, 213, 265);
VEL_HOST_OFFSET(FilterRecord, wantLayout, 214, 266);
VEL_HOST_OFFSET(FilterRecord, filterCase, 216, 268);
VEL_HOST_OFFSET(FilterRecord, dummyPlaneValue, 218, 270);
VEL_HOST_OFFSET(FilterRecord, premiereHook, 220, 272);
VEL_HOST_OFFSET(FilterRecord, advanceState, 224, 280);
VEL_HOST_OFFSET(FilterRecord, supportsAbsolute, 228, 288);
VEL_HOST_OFFSET(FilterRecord, wantsAbsolute, 229, 289);
VEL_HOST_OFFSET(FilterRecord, getPropertyObsolete, 232, 292);
VEL_HOST_OFFSET(FilterRecord, cannotUndo, 236, 300);
VEL_HOST_OFFSET(FilterRecord, supportsPadding, 237, 301);
VEL_HOST_OFFSET(FilterRecord, inputPadding, 238, 302);
VEL_HOST_OFFSET(FilterRecord, outputPadding, 240, 304);
VEL_HOST_OFFSET(FilterRecord, maskPadding, 242, 306);
VEL_HOST_OFFSET(FilterRecord, samplingSupport, 244, 308);
VEL_HOST_OFFSET(FilterRecord, reservedByte, 245, 309);
VEL_HOST_OFFSET(FilterRecord, inputRate, 248, 312);
VEL_HOST_OFFSET(FilterRecord, maskRate, 252, 316);
VEL_HOST_OFFSET(FilterRecord, colorServices, 256, 320);
VEL_HOST_OFFSET(FilterRecord, inLayerPlanes, 260, 328);
VEL_HOST_OFFSET(FilterRecord, inTransparencyMask, 262, 330);
VEL_HOST_OFFSET(FilterRecord, inLayerMasks, 264, 332);
VEL_HOST_OFFSET(FilterRecord, inInvertedLayerMasks, 266, 334);
VEL_HOST_OFFSET(FilterRecord, inNonLayerPlanes, 268, 336);
VEL_HOST_OFFSET(FilterRecord, outLayerPlanes, 270, 338);
VEL_HOST_OFFSET(FilterRecord, outTransparencyMask, 272, 340);
VEL_HOST_OFFSET(FilterRecord, outLayerMasks, 274, 342);
VEL_HOST_OFFSET(FilterRecord, outInvertedLayerMasks, 276, 344);
VEL_HOST_OFFSET(FilterRecord, outNonLayerPlanes, 278, 346);
VEL_HOST_OFFSET(FilterRecord, absLayerPlanes, 280, 348);
VEL_HOST_OFFSET(FilterRecord, absTransparencyMask, 282, 350);
VEL_HOST_OFFSET(FilterRecord, absLayerMasks, 284, 352);
VEL_HOST_OFFSET(FilterRecord, absInvertedLayerMasks, 286, 354);
VEL_HOST_OFFSET(FilterRecord, absNonLayerPlanes, 288, 356);
VEL_HOST_OFFSET(FilterRecord, inPreDummyPlanes, 290, 358);
VEL_HOST_OFFSET(FilterRecord, inPostDummyPlanes, 292, 360);
VEL_HOST_OFFSET(FilterRecord, outPreDummyPlanes, 294, 362);
VEL_HOST_OFFSET(FilterRecord, outPostDummyPlanes, 296, 364);
VEL_HOST_OFFSET(FilterRecord, inColumnBytes, 300, 368);
VEL_HOST_OFFSET(FilterRecord, inPlaneBytes, 304, 372);
VEL_HOST_OFFSET(FilterRecord, outColumnBytes, 308, 376);
VEL_HOST_OFFSET(FilterRecord, outPlaneBytes, 312, 380);
VEL_HOST_OFFSET(FilterRecord, imageServicesProcs, 316, 384);
VEL_HOST_OFFSET(FilterRecord, propertyProcs, 320, 392);
VEL_HOST_OFFSET(FilterRecord, inTileHeight, 324, 400);
VEL_HOST_OFFSET(FilterRecord, inTileWidth, 326, 402);
VEL_HOST_OFFSET(FilterRecord, inTileOrigin, 328, 404);
VEL_HOST_OFFSET(FilterRecord, absTileHeight, 332, 408);
VEL_HOST_OFFSET(FilterRecord, absTileWidth, 334, 410);
VEL_HOST_OFFSET(FilterRecord, absTileOrigin, 336, 412);
VEL_HOST_OFFSET(FilterRecord, outTileHeight, 340, 416);
VEL_HOST_OFFSET(FilterRecord, outTileWidth, 342, 418);
VEL_HOST_OFFSET(FilterRecord, outTileOrigin, 344, 420);
VEL_HOST_OFFSET(FilterRecord, maskTileHeight, 348, 424);
VEL_HOST_OFFSET(FilterRecord, maskTileWidth, 350, 426);
VEL_HOST_OFFSET(FilterRecord, maskTileOrigin, 352, 428);
VEL_HOST_OFFSET(FilterRecord, descriptorParameters, 356, 432);
VEL_HOST_OFFSET(FilterRecord, errorString, 360, 440);
VEL_HOST_OFFSET(FilterRecord, channelPortProcs, 364, 448);
VEL_HOST_OFFSET(FilterRecord, documentInfo, 368, 456);
VEL_HOST_OFFSET(FilterRecord, sSPBasic, 372, 464);
VEL_HOST_OFFSET(FilterRecord, plugInRef, 376, 472);
VEL_HOST_OFFSET(FilterRecord, depth, 380, 480);
VEL_HOST_OFFSET(FilterRecord, iCCprofileData, 384, 484);
VEL_HOST_OFFSET(FilterRecord, iCCprofileSize, 388, 492);
VEL_HOST_OFFSET(FilterRecord, canUseICCProfiles, 392, 496);
VEL_HOST_OFFSET(FilterRecord, hasImageScrap, 396, 500);
VEL_HOST_OFFSET(FilterRecord, bigDocumentData, 400, 504);
VEL_HOST_OFFSET(FilterRecord, input3DScene, 404, 512);
VEL_HOST_OFFSET(FilterRecord, output3DScene, 408, 520);
VEL_HOST_OFFSET(FilterRecord, createNewLayer, 412, 528);
VEL_HOST_OFFSET(FilterRecord, iCCWorkingProfileData, 416, 532);
VEL_HOST_OFFSET(FilterRecord, iCCWorkingProfileSize, 420, 540);
VEL_HOST_OFFSET(FilterRecord, bufferSpace64, 424, 544);
VEL_HOST_OFFSET(FilterRecord, maxSpace64, 432, 552);
VEL_HOST_OFFSET(FilterRecord, allowOverrangeColors, 440, 560);
VEL_HOST_OFFSET(FilterRecord, reserved, 441, 561);
VEL_HOST_SIZE(FilterRecord, 488, 608);

} // namespace vel
