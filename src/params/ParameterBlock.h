#pragma once
// The persisted effect parameters: one ParameterBlock per session, kept by the
// host between runs, plus the small PrivateBlock in the host's data slot.
// Field order and types are part of the stored layout; do not reorder.

#include <cstdint>

namespace vel {

enum class PatternGeometry : uint8_t {
    Lines, Waves1, Waves2, Waves3, Waves4, ZigZag, ZigZag1, ZigZag2,
    Rings, RingsWaves1, RingsWaves2, RingsWaves3, RingsWaves4, RingsWaves5, RingsWaves6,
    RingsZigZag, RingsZigZag1, RingsZigZag2,
    Spiral, SpiralWaves1, SpiralWaves2, SpiralWaves3, SpiralWaves4, SpiralWaves5, SpiralWaves6,
    SpiralZigZag, SpiralZigZag1, SpiralZigZag2,
    Box, BoxWave1, BoxWave2, BoxWave3, BoxWave4, BoxZigZag, BoxZigZag1, BoxZigZag2,
    BoxWaveNonuniform1, BoxWaveNonuniform2, BoxWaveNonuniform3, BoxWaveNonuniform4,
    BoxZigZagNonuniform,
    Star4, Star5, Star6, Star8,
    IsoLines1, IsoLines2,
};
inline constexpr int PatternGeometryCount = 47;

enum class EngraveType : int32_t { Positive, Negative, Combine };
inline constexpr int EngraveTypeCount = 3;

enum class LayerInteraction : uint8_t { Add, Subtract, LogicalAnd, LogicalXor, Interfere, Cross };
inline constexpr int LayerInteractionCount = 6;

enum class EdgeKind : uint8_t { NoEdges, Nodules, Bruise, Doubles };
inline constexpr int EdgeKindCount = 4;

enum class ColorSchemaKind : uint8_t { Monotone, CustomPalette, CmykPalette, RgbPalette, InitialColors };
inline constexpr int ColorSchemaCount = 5;

enum class PaperSchemaKind : uint8_t { Original, Surface, Colorized };
inline constexpr int PaperSchemaCount = 3;

// Display names in combo-box order; index = stored value.
extern const char* const PatternGeometryNames[PatternGeometryCount];
extern const char* const EngraveTypeNames[EngraveTypeCount];
extern const char* const LayerInteractionNames[LayerInteractionCount];
extern const char* const EdgeKindNames[EdgeKindCount];
extern const char* const ColorSchemaNames[ColorSchemaCount];
extern const char* const PaperSchemaNames[PaperSchemaCount];

inline constexpr int PaperNameSize = 65; // 64 characters and the terminator
inline constexpr uint8_t NoRemovedColor = 255;

struct LayerParameters {
    uint8_t Geometry;
    int32_t Invert;
    int32_t Big;
    uint8_t LinkWidth;
    float Angle;
    float Space;
    float Offset;
    float Width;
    float Threshold;
    float BRelief;
    float Amplitude;
    float Frequency;
    float Shift;
    float Contrast;
    float CenterX;
    float CenterY;
    float Noise;
    float Discontinuous;
    float DiscontinuousRandom;
    float DiscontinuousShift;
    float DiscontinuousLenght;
    float LoNoiseIntensity;
    float LoNoiseScale;
    float RoughnessIntensity;
    float RoughnessScale;
    float RoughnessShift;
    uint8_t RoughnessPolar;
    uint8_t RoughnessPositive;
    float Coverage;
    float CoverageScale;
    float CoverageContrast;
    uint8_t CoverageInvert;
    uint8_t CoverageSmooth;
    int32_t CoverageRandom;
    uint8_t EdgeType;
    float EdgeWidth;
};

enum class LayerIndex : int { One = 0, Two = 1 };

struct ParameterBlock {
    int32_t WindowLeft;
    int32_t WindowTop;
    int32_t WindowWidth;
    int32_t WindowHeight;
    int32_t CharWindowLeft;
    int32_t CharWindowTop;
    int32_t CharWindowHeight;
    int32_t CharWindowWidth;
    int32_t PaletteColorADD[12];
    int32_t PaletteCMYKADD[12];
    int32_t PaletteRGBADD[9];
    uint8_t RemovedColors[4];
    int32_t NInks;
    uint8_t LayerTwoExist;
    uint8_t Interfere;
    LayerParameters Layers[2];
    uint8_t ColorSchema;
    uint8_t PaperSchema;
    char PaperName[PaperNameSize];
    float PaperScale;
    float PaperIntensity;
    float PaperColorization;
    int32_t PaperColor;
    float InksOpacity;
    float EmbossDepth;
    float EmbossAlpha;
    float EmbossBeta;
};

struct PaneRect {
    int16_t Top;
    int16_t Left;
    int16_t Bottom;
    int16_t Right;
};

struct PrivateBlock {
    PaneRect PreviewRect;
    uint8_t ShowDialog;
};

// The layout is identical on every target (no pointers, no long); the host
// stores the block as raw bytes, so a change of size is a format change.
static_assert(sizeof(LayerParameters) == 136);
static_assert(sizeof(ParameterBlock) == 548);
static_assert(sizeof(PrivateBlock) == 10);

// Layer one or two of the block. Any index other than Two selects layer one.
LayerParameters& SelectLayer(ParameterBlock& block, LayerIndex layer);
const LayerParameters& SelectLayer(const ParameterBlock& block, LayerIndex layer);

// What a change of the block asks of the state derived from it (the render
// state's paper cache, palette and tables). The functions below that change
// the block return it; whoever owns derived state applies it there.
struct ParameterChanges {
    bool PaperNameChanged = false; // reload the paper texture
    bool PaletteStale = false;     // derive the palette again
    bool TablesStale = false;      // rebuild the one-time tables

    ParameterChanges& operator|=(const ParameterChanges& other)
    {
        PaperNameChanged |= other.PaperNameChanged;
        PaletteStale |= other.PaletteStale;
        TablesStale |= other.TablesStale;
        return *this;
    }
    bool operator==(const ParameterChanges&) const = default;
};

// Sets the parameter part (palette adjustments through emboss, both layers)
// to the defaults of the field table, the paper name through SetPaperName.
// The palette is always stale afterwards.
ParameterChanges ResetToDefaults(ParameterBlock& block);

// Sets the eight window-geometry fields to their defaults, then performs
// ResetToDefaults. The tables are always stale afterwards.
ParameterChanges ResetWindowGeometry(ParameterBlock& block);

// Stores a paper name; PaperNameChanged when it differs from the current one
// (ignoring case). A null name changes nothing; a name longer than 64
// characters is cut to 64.
ParameterChanges SetPaperName(ParameterBlock& block, const char* name);

// Removes the spaces at the end of PaperName (a preset file or a script may
// pad it) and zeroes every byte after the name. Drops nothing: the caller
// applies the name again.
void TrimPaperName(ParameterBlock& block);

// Zeroes all three palette adjustment arrays (done whenever the colour
// schema changes, so each schema starts from its derived colours).
void ClearPaletteAdjustments(ParameterBlock& block);

} // namespace vel
