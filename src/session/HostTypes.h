#pragma once
// Scalar types, codes and constants of the Photoshop-compatible filter
// plug-in interface, declared here from the interface's published facts.
// Names follow the host interface, since they are part of it.

#include <cstddef>
#include <cstdint>

// Every host callback and suite function uses the C calling convention. Only
// 32-bit Windows has a choice of conventions; elsewhere the attribute would
// merely be ignored with a warning.
#if defined(_WIN32) && defined(__i386__)
#define VEL_HOSTCALL __cdecl
#else
#define VEL_HOSTCALL
#endif

// Layout checks: a record's field offsets and size as hosts lay them out on
// 32-bit (i686) and on 64-bit (x86_64) targets.
#define VEL_HOST_OFFSET(type, field, i686, x64)                                                              \
    static_assert(offsetof(type, field) == (sizeof(void*) == 4 ? (i686) : (x64)), #type "::" #field)
#define VEL_HOST_SIZE(type, i686, x64)                                                                       \
    static_assert(sizeof(type) == (sizeof(void*) == 4 ? (i686) : (x64)), "size of " #type)

namespace vel {

using Boolean = unsigned char;
using SPBoolean = int32_t;
using OSErr = int16_t;
using SPErr = int32_t;
using Fixed = int32_t;
using OSType = uint32_t;
using ResType = uint32_t;
using PIType = uint32_t;
using DescriptorKeyID = uint32_t;
using DescriptorTypeID = uint32_t;
using DescriptorClassID = uint32_t;
using DescriptorEnumID = uint32_t;
using DescriptorEnumTypeID = uint32_t;
using DescriptorUnitID = uint32_t;
using DescriptorFormID = uint32_t;
using Ptr = char*;
using Handle = char**;
using PIDescriptorHandle = Handle;
using Str255 = unsigned char[256];

// Opaque host objects, only ever passed back to the host.
using PIChannelPort = struct PIChannelPortOpaque*;
using BufferID = struct BufferIDOpaque*;
using PIReadDescriptor = struct PIReadDescriptorOpaque*;
using PIWriteDescriptor = struct PIWriteDescriptorOpaque*;
using PIActionDescriptor = struct PIActionDescriptorOpaque*;
using PIActionReference = struct PIActionReferenceOpaque*;
using PIActionList = struct PIActionListOpaque*;
using ASZString = struct ASZStringOpaque*;
using ColorID = struct ColorIDOpaque*;

// Rectangles are half-open; the vertical coordinate comes first.
struct Point {
    int16_t v;
    int16_t h;
};
struct Rect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};
struct VPoint {
    int32_t v;
    int32_t h;
};
struct VRect {
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
};

struct RGBColor {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};
using FilterColor = uint8_t[4];

struct PlugInMonitor {
    Fixed gamma;
    Fixed redX;
    Fixed redY;
    Fixed greenX;
    Fixed greenY;
    Fixed blueX;
    Fixed blueY;
    Fixed whiteX;
    Fixed whiteY;
    Fixed ambient;
};

inline constexpr Fixed FixedOne = 0x10000;

// Selectors of the filter entry point.
inline constexpr int16_t filterSelectorAbout = 0;
inline constexpr int16_t filterSelectorParameters = 1;
inline constexpr int16_t filterSelectorPrepare = 2;
inline constexpr int16_t filterSelectorStart = 3;
inline constexpr int16_t filterSelectorContinue = 4;
inline constexpr int16_t filterSelectorFinish = 5;

// Result codes.
inline constexpr OSErr noErr = 0;
inline constexpr OSErr coercedParamErr = 2;
inline constexpr OSErr paramErr = -50;
inline constexpr OSErr memFullErr = -108;
inline constexpr OSErr nilHandleErr = -109;
inline constexpr OSErr userCanceledErr = -128;
inline constexpr OSErr errMissingParameter = -1715;
inline constexpr OSErr filterBadParameters = -30100;
inline constexpr OSErr filterBadMode = -30101;
inline constexpr OSErr errPlugInHostInsufficient = -30900;

inline constexpr SPErr kSPNoError = 0;
inline constexpr SPErr kSPUnimplementedError = 0x21494D50; // '!IMP'
inline constexpr SPErr kSPSuiteNotFoundError = 0x53214664; // 'S!Fd'

// Document modes.
inline constexpr int16_t plugInModeBitmap = 0;
inline constexpr int16_t plugInModeGrayScale = 1;
inline constexpr int16_t plugInModeIndexedColor = 2;
inline constexpr int16_t plugInModeRGBColor = 3;
inline constexpr int16_t plugInModeCMYKColor = 4;
inline constexpr int16_t plugInModeMultichannel = 7;
inline constexpr int16_t plugInModeDuotone = 8;
inline constexpr int16_t plugInModeLabColor = 9;
inline constexpr int16_t plugInModeGray16 = 10;
inline constexpr int16_t plugInModeRGB48 = 11;
inline constexpr int16_t plugInModeLab48 = 12;
inline constexpr int16_t plugInModeCMYK64 = 13;
inline constexpr int16_t plugInModeDeepMultichannel = 14;
inline constexpr int16_t plugInModeDuotone16 = 15;

// Playback and recording of the dialog.
inline constexpr int16_t plugInDialogDontDisplay = 0;
inline constexpr int16_t plugInDialogDisplay = 1;
inline constexpr int16_t plugInDialogSilent = 2;
inline constexpr int16_t plugInDialogOptional = 0;
inline constexpr int16_t plugInDialogRequired = 1;
inline constexpr int16_t plugInDialogNone = 2;

// Descriptor value types.
inline constexpr DescriptorTypeID typeInteger = 0x6C6F6E67; // 'long'
inline constexpr DescriptorTypeID typeFloat = 0x646F7562;   // 'doub'
inline constexpr DescriptorTypeID typeBoolean = 0x626F6F6C; // 'bool'
inline constexpr DescriptorTypeID typeChar = 0x54455854;    // 'TEXT'
inline constexpr DescriptorTypeID typeNull = 0x6E756C6C;    // 'null'

// Colour-services selectors and colour spaces.
inline constexpr int16_t plugIncolorServicesChooseColor = 0;
inline constexpr int16_t plugIncolorServicesConvertColor = 1;
inline constexpr int16_t plugIncolorServicesRGBSpace = 0;
inline constexpr int16_t plugIncolorServicesCMYKSpace = 2;
inline constexpr int16_t plugIncolorServicesLabSpace = 3;
inline constexpr int16_t plugIncolorServicesGraySpace = 4;

static_assert(sizeof(Point) == 4 && alignof(Point) == 2);
static_assert(sizeof(Rect) == 8 && alignof(Rect) == 2);
static_assert(sizeof(VPoint) == 8 && sizeof(VRect) == 16);
static_assert(sizeof(RGBColor) == 6 && sizeof(PlugInMonitor) == 40);
static_assert(sizeof(Boolean) == 1 && sizeof(Str255) == 256);

} // namespace vel
