#include "params/FieldTable.h"

#include "platform/Truncate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vel {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr FieldRange Unlimited{-Inf, Inf};
constexpr FieldRange Bool{0, 1};

constexpr FieldRange R(double lo, double hi) { return {lo, hi}; }

template <size_t N>
constexpr FieldRange Choices(const char* const (&)[N]) { return {0, double(N - 1)}; }

#define COMMON(field) FieldScope::Common, offsetof(ParameterBlock, field)
#define LAYER(field) FieldScope::Layer, offsetof(LayerParameters, field)

using S = ValueShape;

// clang-format off
const FieldInfo Fields[] = {
    // Common fields, in descriptor and preset order.
    {"NInks",             COMMON(NInks),             S::Integer, "NInk", "NInks",                        R(1, 4),      R(1, 4),       {2, 2},     {}, nullptr},
    {"LayerTwoExist",     COMMON(LayerTwoExist),     S::Flag,    "L2Ex", "Layer two exist",              Bool,         Bool,          {0, 0},     {}, nullptr},
    {"Interfere",         COMMON(Interfere),         S::Choice,  "Intf", "Layers one and two interfere", Choices(LayerInteractionNames), Choices(LayerInteractionNames), {0, 0}, LayerInteractionNames, nullptr},
    {"ColorSchema",       COMMON(ColorSchema),       S::Choice,  "ClSt", "Color schema",                 Choices(ColorSchemaNames), Choices(ColorSchemaNames), {0, 0}, ColorSchemaNames, nullptr},
    {"PaperSchema",       COMMON(PaperSchema),       S::Choice,  "PrSc", "Paper schema",                 Choices(PaperSchemaNames), Choices(PaperSchemaNames), {0, 0}, PaperSchemaNames, nullptr},
    {"PaperName",         COMMON(PaperName),         S::Text,    "PrNm", "Paper name",                   R(0, 0),      R(0, 0),       {0, 0},     {}, "Solid"},
    {"PaperScale",        COMMON(PaperScale),        S::Real,    "PrSl", "Paper scale",                  R(0, 200),    R(0, 400),     {100, 100}, {}, nullptr},
    {"PaperIntensity",    COMMON(PaperIntensity),    S::Real,    "PrIn", "Paper Intensity",              R(0, 100),    R(0, 200),     {50, 50},   {}, nullptr},
    {"PaperColorization", COMMON(PaperColorization), S::Real,    "PrCz", "Paper Colorization",           R(0, 100),    R(0, 100),     {0, 0},     {}, nullptr},
    {"PaperColor",        COMMON(PaperColor),        S::Integer, "PrCr", "Paper Color",                  R(0, 0xFFFFFF), R(0, 0xFFFFFF), {0xFFFFFF, 0xFFFFFF}, {}, nullptr},
    {"InksOpacity",       COMMON(InksOpacity),       S::Real,    "IkOp", "Inks Opacity",                 R(-100, 100), R(-100, 100),  {0, 0},     {}, nullptr},
    {"EmbossDepth",       COMMON(EmbossDepth),       S::Real,    "EmDp", "Emboss Depth",                 R(-100, 100), R(-200, 200),  {0, 0},     {}, nullptr},
    {"EmbossAlpha",       COMMON(EmbossAlpha),       S::Real,    "EmAl", "Emboss Alpha",                 R(0, 360),    Unlimited,     {45, 45},   {}, nullptr},
    {"EmbossBeta",        COMMON(EmbossBeta),        S::Real,    "EmBt", "Emboss Beta",                  R(0, 90),     Unlimited,     {45, 45},   {}, nullptr},

    // Layer fields, in LayerParameters order.
    {"Geometry",            LAYER(Geometry),            S::Choice,  "Gmt", "Geometry",            Choices(PatternGeometryNames), Choices(PatternGeometryNames), {1, 1}, PatternGeometryNames, nullptr},
    {"Invert",              LAYER(Invert),              S::Integer, "Inv", "Invert",              Choices(EngraveTypeNames), Choices(EngraveTypeNames), {0, 0}, EngraveTypeNames, nullptr},
    {"Big",                 LAYER(Big),                 S::Integer, "Big", "Big",                 Bool,         Bool,          {0, 0},     {}, nullptr},
    {"LinkWidth",           LAYER(LinkWidth),           S::Flag,    "Lkw", "LinkWidth",           Bool,         Bool,          {1, 1},     {}, nullptr},
    {"Angle",               LAYER(Angle),               S::Real,    "Ang", "Angle",               R(0, 360),    Unlimited,     {30, 120},  {}, nullptr},
    {"Space",               LAYER(Space),               S::Real,    "Sps", "Space",               R(1, 100),    R(1, 200),     {15, 15},   {}, nullptr},
    {"Offset",              LAYER(Offset),              S::Real,    "Ofs", "Offset",              R(-100, 100), R(-200, 200),  {20, 20},   {}, nullptr},
    {"Width",               LAYER(Width),               S::Real,    "Wdt", "Width",               R(1, 100),    R(1, 200),     {8, 20},    {}, nullptr},
    {"Threshold",           LAYER(Threshold),           S::Real,    "Tsh", "Threshold",           R(-100, 100), R(-200, 300),  {0, 0},     {}, nullptr},
    {"BRelief",             LAYER(BRelief),             S::Real,    "Rlf", "BRelief",             R(-100, 100), R(-200, 200),  {0, 0},     {}, nullptr},
    {"Amplitude",           LAYER(Amplitude),           S::Real,    "Amp", "Amplitude",           R(-100, 100), R(-200, 200),  {10, 10},   {}, nullptr},
    {"Frequency",           LAYER(Frequency),           S::Real,    "Frq", "Frequency",           R(-100, 100), R(-200, 200),  {10, 10},   {}, nullptr},
    {"Shift",               LAYER(Shift),               S::Real,    "Sft", "Shift",               R(-100, 100), R(-200, 200),  {0, 0},     {}, nullptr},
    {"Contrast",            LAYER(Contrast),            S::Real,    "Cnr", "Contrast",            R(-100, 100), R(-200, 200),  {0, 0},     {}, nullptr},
    {"CenterX",             LAYER(CenterX),             S::Real,    "CnX", "CenterX",             R(-100, 100), R(-100, 100),  {0, 0},     {}, nullptr},
    {"CenterY",             LAYER(CenterY),             S::Real,    "CnY", "CenterY",             R(-100, 100), R(-100, 100),  {0, 0},     {}, nullptr},
    {"Noise",               LAYER(Noise),               S::Real,    "Nis", "Noise",               R(0, 100),    R(0, 200),     {0, 0},     {}, nullptr},
    {"Discontinuous",       LAYER(Discontinuous),       S::Real,    "Dcn", "Discontinuous",       R(0, 100),    R(0, 100),     {0, 0},     {}, nullptr},
    {"DiscontinuousRandom", LAYER(DiscontinuousRandom), S::Real,    "DcR", "DiscontinuousRandom", R(0, 100),    R(0, 100),     {50, 50},   {}, nullptr},
    {"DiscontinuousShift",  LAYER(DiscontinuousShift),  S::Real,    "DcS", "DiscontinuousShift",  R(-100, 100), R(-100, 100),  {0, 0},     {}, nullptr},
    {"DiscontinuousLenght", LAYER(DiscontinuousLenght), S::Real,    "DcL", "DiscontinuousLenght", R(0, 100),    R(0, 200),     {50, 50},   {}, nullptr},
    {"LoNoiseIntensity",    LAYER(LoNoiseIntensity),    S::Real,    "LnI", "LoNoiseIntensity",    R(0, 100),    R(0, 200),     {0, 0},     {}, nullptr},
    {"LoNoiseScale",        LAYER(LoNoiseScale),        S::Real,    "LnS", "LoNoiseScale",        R(0, 200),    R(0, 400),     {100, 100}, {}, nullptr},
    {"RoughnessIntensity",  LAYER(RoughnessIntensity),  S::Real,    "RgI", "RoughnessIntensity",  R(0, 100),    R(0, 100),     {0, 0},     {}, nullptr},
    {"RoughnessScale",      LAYER(RoughnessScale),      S::Real,    "RgS", "RoughnessScale",      R(0, 200),    R(0, 400),     {50, 50},   {}, nullptr},
    {"RoughnessShift",      LAYER(RoughnessShift),      S::Real,    "RgF", "RoughnessShift",      R(0, 100),    R(0, 200),     {0, 0},     {}, nullptr},
    {"RoughnessPolar",      LAYER(RoughnessPolar),      S::Flag,    "RgP", "RoughnessPolar",      Bool,         Bool,          {0, 0},     {}, nullptr},
    {"RoughnessPositive",   LAYER(RoughnessPositive),   S::Flag,    "RgZ", "RoughnessPositive",   Bool,         Bool,          {0, 0},     {}, nullptr},
    {"Coverage",            LAYER(Coverage),            S::Real,    "Cvr", "Coverage",            R(0, 100),    R(0, 100),     {100, 100}, {}, nullptr},
    {"CoverageScale",       LAYER(CoverageScale),       S::Real,    "CvS", "CoverageScale",       R(0, 200),    R(0, 300),     {100, 100}, {}, nullptr},
    {"CoverageContrast",    LAYER(CoverageContrast),    S::Real,    "CvC", "CoverageContrast",    R(0, 100),    R(0, 200),     {50, 50},   {}, nullptr},
    {"CoverageInvert",      LAYER(CoverageInvert),      S::Flag,    "CvI", "CoverageInvert",      Bool,         Bool,          {0, 0},     {}, nullptr},
    {"CoverageSmooth",      LAYER(CoverageSmooth),      S::Flag,    "CvM", "CoverageSmooth",      Bool,         Bool,          {0, 0},     {}, nullptr},
    {"CoverageRandom",      LAYER(CoverageRandom),      S::Integer, "CvR", "CoverageRandom",      R(0, 999),    R(-999, 999),  {0, 0},     {}, nullptr},
    {"EdgeType",            LAYER(EdgeType),            S::Choice,  "EdT", "EdgeType",            Choices(EdgeKindNames), Choices(EdgeKindNames), {0, 0}, EdgeKindNames, nullptr},
    {"EdgeWidth",           LAYER(EdgeWidth),           S::Real,    "EdW", "EdgeWidth",           R(0, 100),    R(0, 200),     {50, 50},   {}, nullptr},
};

#define GEOMETRY(field) #field, offsetof(ParameterBlock, field)
const GeometryField Geometry[] = {
    {GEOMETRY(WindowLeft),       "Left", "Left of window",             100},
    {GEOMETRY(WindowTop),        "Top ", "Top of window",              100},
    {GEOMETRY(WindowWidth),      "Wdth", "Width of window",            828},
    {GEOMETRY(WindowHeight),     "Hght", "Height of window",           602},
    {GEOMETRY(CharWindowLeft),   "CrLf", "Left of character window",   100},
    {GEOMETRY(CharWindowTop),    "CrTp", "Top of character window",    100},
    {GEOMETRY(CharWindowWidth),  "CrWd", "Width of character window",  450},
    {GEOMETRY(CharWindowHeight), "CrHg", "Height of character window", 400},
};
// clang-format on

char LayerDigit(LayerIndex layer) { return layer == LayerIndex::Two ? '2' : '1'; }

} // namespace

std::span<const FieldInfo> ParameterFields() { return Fields; }
std::span<const GeometryField> WindowGeometryFields() { return Geometry; }

uint32_t DescriptorKey(const FieldInfo& field, LayerIndex layer)
{
    char code[5];
    std::memcpy(code, field.Key, 5);
    if (field.Scope == FieldScope::Layer)
        code[3] = LayerDigit(layer);
    return FourCC(code);
}

std::string PresetKeyOf(uint32_t code)
{
    std::string key(4, ' ');
    for (int i = 0; i < 4; ++i)
        key[size_t(i)] = char((code >> (8 * i)) & 0xFF);
    return key;
}

std::string PresetKey(const FieldInfo& field, LayerIndex layer)
{
    return PresetKeyOf(DescriptorKey(field, layer));
}

std::string PresetLabel(const FieldInfo& field, LayerIndex layer)
{
    std::string label = std::string(";") + field.Label;
    if (field.Scope == FieldScope::Layer) {
        label += ' ';
        label += LayerDigit(layer);
    }
    return label;
}

std::string FieldName(const FieldInfo& field, LayerIndex layer)
{
    std::string name = field.Name;
    if (field.Scope == FieldScope::Layer)
        name += LayerDigit(layer);
    return name;
}

const FieldInfo* FindField(const std::string& name, LayerIndex* layer)
{
    for (const FieldInfo& field : Fields) {
        for (LayerIndex l : {LayerIndex::One, LayerIndex::Two}) {
            if (FieldName(field, l) == name) {
                if (layer)
                    *layer = l;
                return &field;
            }
            if (field.Scope == FieldScope::Common)
                break;
        }
    }
    return nullptr;
}

void* FieldAddress(ParameterBlock& block, const FieldInfo& field, LayerIndex layer)
{
    auto* base = field.Scope == FieldScope::Layer ? reinterpret_cast<unsigned char*>(&SelectLayer(block, layer))
                                                  : reinterpret_cast<unsigned char*>(&block);
    return base + field.Offset;
}

const void* FieldAddress(const ParameterBlock& block, const FieldInfo& field, LayerIndex layer)
{
    return FieldAddress(const_cast<ParameterBlock&>(block), field, layer);
}

double GetFieldValue(const ParameterBlock& block, const FieldInfo& field, LayerIndex layer)
{
    const void* p = FieldAddress(block, field, layer);
    switch (field.Shape) {
    case ValueShape::Integer: {
        int32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case ValueShape::Choice:
    case ValueShape::Flag:
        return *static_cast<const uint8_t*>(p);
    case ValueShape::Real: {
        float v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case ValueShape::Text:
        break;
    }
    return 0;
}

void SetFieldValue(ParameterBlock& block, const FieldInfo& field, LayerIndex layer, double value)
{
    void* p = FieldAddress(block, field, layer);
    switch (field.Shape) {
    case ValueShape::Integer: {
        const int32_t v = int32_t(TruncateBetween(value, INT32_MIN, INT32_MAX, 0));
        std::memcpy(p, &v, sizeof v);
        break;
    }
    case ValueShape::Choice:
    case ValueShape::Flag:
        *static_cast<uint8_t*>(p) = uint8_t(uint32_t(TruncateBetween(value, INT32_MIN, INT32_MAX, 0)) & 0xFF);
        break;
    case ValueShape::Real: {
        // Values beyond the float range (from scripting or the command line)
        // become the largest float of their sign rather than undefined.
        constexpr double largest = std::numeric_limits<float>::max();
        const float v = float(value != value ? value : std::clamp(value, -largest, largest));
        std::memcpy(p, &v, sizeof v);
        break;
    }
    case ValueShape::Text:
        break;
    }
}

} // namespace vel
