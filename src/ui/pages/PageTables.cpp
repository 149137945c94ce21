#include "ui/pages/PageTables.h"

#include <algorithm>
#include <cstring>

namespace vel::ui {
namespace {

using K = ControlKind;
using G = StoreGroup;
constexpr PageKind E = PageKind::Engrave;
constexpr PageKind R = PageKind::Randomize;
constexpr PageKind F = PageKind::Effects;

// Texts are UTF-8. Tooltips are the ones users know, spelling included.
// clang-format off
const ControlBinding EngraveControls[] = {
    {1035, E, K::Combo, "Pattern:", 1201, "", "Geometry", nullptr, false, "", "The list of adjustable geometric patterns in the engraving layer", G::Pattern},
    {1021, E, K::Check, "Use Circles", 0, "", "Big", nullptr, false, "", "Draw geometric patterns with docs, giving the appearance of a halftone print", G::UseCircles},
    {1295, E, K::Toggle, "", 0, "", "LinkWidth", nullptr, false, "", "This is available only when Use Circles is on. It binds horizontal and vertical spaces between dotted elements", G::LinkWidth},
    {1020, E, K::Combo, "Engrave Type:", 1202, "", "Invert", nullptr, false, "", "Determines how the source picture intensity should be interpreted", G::EngraveType},
    {1775, E, K::Combo, "Combine Layers One and Two:", 1200, "", "Interfere", nullptr, false, "", "When using two engraving layers, this option determines the interaction between layers", G::Interfere},
    {1002, E, K::Numeric, "Line Width", 1170, "", "Width", nullptr, true, "Width", "Thickness of engraving elements", G::EngraveShape},
    {1003, E, K::Numeric, "Line Spacing", 1171, "", "Space", nullptr, true, "Space", "Spacesing between elements", G::EngraveShape},
    {1004, E, K::Numeric, "Offset", 1172, "", "Offset", nullptr, true, "Offset", "Shift of patterns, or ink plates when a multicolor palette is used", G::EngraveShape},
    {1005, E, K::Numeric, "Width Contrast", 1173, "", "Contrast", nullptr, true, "Contrast", " depending on initial picture intensity, increases line width or increases line space if Engraving Type is Negative", G::EngraveShape},
    {1006, E, K::Numeric, "Threshold", 1174, "", "Threshold", nullptr, true, "Threshold", "Adjusts a dependence of line widths and initial picture intensity. If this parameter value is -100 then line width is not dependent on initial picture intensity", G::EngraveShape},
    {1011, E, K::Numeric, "Relief", 1179, "", "BRelief", nullptr, true, "Barelief", "Sets up additional artistic distortion depending on initial picture intensity", G::EngraveShape},
    {1007, E, K::Numeric, "Amplitude", 1175, "", "Amplitude", nullptr, true, "Amplitude", "Waves amplitude", G::EngraveShape},
    {1008, E, K::Numeric, "Frequency", 1176, "", "Frequency", nullptr, true, "Frequency", "The frequency of patterns, waves or zigzags", G::EngraveShape},
    {1009, E, K::Numeric, "Phase Shift", 1177, "", "Shift", nullptr, true, "Phase Shift", "Shift of phase. Defines waves pattern offset", G::EngraveShape},
    {1935, E, K::Rotor, "Position of Center", 0, "Center of Effect", "CenterX", "CenterY", true, "", "The center of some geometric patterns. Also, you can adjust this parameter directly in preview by moving a crosshair mark with mouse", G::Center},
    {1015, E, K::Edit, "X:", 1183, "Center of Effect", "CenterX", nullptr, true, "", "Enter X coordinate of center", G::CenterField},
    {1016, E, K::Edit, "Y:", 1184, "Center of Effect", "CenterY", nullptr, true, "", "Enter Y coordinate of center", G::CenterField},
    {1182, E, K::Rotor, "Angle", 0, "Rotation", "Angle", nullptr, true, "", "The angle a geometric pattern is rotated.", G::EngraveShape},
};

const ControlBinding RandomizeControls[] = {
    {1811, R, K::Numeric, "Intensity", 1179, "Lo-Frequency Noise", "LoNoiseIntensity", nullptr, true, "Intensity", "Lo-frequency noise intensity", G::RandomizeEnablers},
    {1012, R, K::Numeric, "Scale", 1180, "Lo-Frequency Noise", "LoNoiseScale", nullptr, true, "Scale", "Lo-frequency noise scale", G::RandomizeValues},
    {1010, R, K::Numeric, "Intensity", 1178, "Hi-Frequency Noise", "Noise", nullptr, true, "Noise", "Hi-frequency noise", G::RandomizeValues},
    {1813, R, K::Numeric, "Intensity", 1189, "Line Roughness", "RoughnessIntensity", nullptr, true, "Roughness Intensity", "Value of noise pattern", G::RandomizeEnablers},
    {1814, R, K::Numeric, "Scale", 1190, "Line Roughness", "RoughnessScale", nullptr, true, "Roughness Scale", "Size of noise pattern", G::RandomizeValues},
    {1820, R, K::Numeric, "Shift", 1191, "Line Roughness", "RoughnessShift", nullptr, true, "Roughness Shift", "Offset of noise pattern", G::RandomizeValues},
    {1895, R, K::Check, "Polar coordinates", 0, "Line Roughness", "RoughnessPolar", nullptr, false, "", "Pcalculates noise pattern in polar coordinates. It affects certain engraving patterns like rings, helixes, etc. ", G::RandomizeValues},
    {1995, R, K::Check, "Positive Only", 0, "Line Roughness", "RoughnessPositive", nullptr, false, "", "Applies width noise only as positive (available when Intensity is > 0)", G::RandomizeValues},
    {1013, R, K::Numeric, "Intensity", 1181, "Coverage", "Coverage", nullptr, true, "Coverage", "100 = engraving pattern fully covers picture, 0 = pattern doesn\xE2\x80\x99t completely cover picture.", G::RandomizeEnablers},
    {1014, R, K::Numeric, "Scale", 1182, "Coverage", "CoverageScale", nullptr, true, "Coverage Scale", "Size of coverage pattern", G::RandomizeValues},
    {1815, R, K::Numeric, "Contrast", 1183, "Coverage", "CoverageContrast", nullptr, true, "Contrast", "Contrast of coverage field edges", G::RandomizeValues},
    {1915, R, K::Edit, "", 0, "Coverage", "CoverageRandom", nullptr, false, "", "Initial random seed", G::Seed},
    {2, R, K::Button, "Random", 0, "Coverage", "CoverageRandom", nullptr, false, "", "Setup initial random seed", G::RandomSeed},
    {1215, R, K::Check, "Smooth", 0, "Coverage", "CoverageSmooth", nullptr, false, "", "Whether coverage field edges are smooth or carved", G::RandomizeValues},
    {1905, R, K::Check, "Invert", 0, "Coverage", "CoverageInvert", nullptr, false, "", "Invert coverage pattern. You can use this option to create an interesting effect with two layers. Set the same coverage pattern to both, but sets one layer to Invert.", G::RandomizeValues},
    {1816, R, K::Numeric, "Discontinuous", 1185, "Line Continuity", "Discontinuous", nullptr, true, "Discontinuous", "If the value is 0 lines are continuous. As values move towards 100, lines break up and start to disappear", G::RandomizeEnablers},
    {1817, R, K::Numeric, "Randomized", 1186, "Line Continuity", "DiscontinuousRandom", nullptr, true, "Discontinuous Random", " Whether discontinuity is regular (all line segments and spaces have similar length) or random (segments and spaces are random)", G::Continuity},
    {1819, R, K::Numeric, "Length", 1188, "Line Continuity", "DiscontinuousLenght", nullptr, true, "Discontinuous Lenght", "Lenght of segments", G::Continuity},
    {1818, R, K::Numeric, "Shift", 1187, "Line Continuity", "DiscontinuousShift", nullptr, true, "Discontinuous Shift", "Offset for discontinuity pattern", G::Continuity},
    {1198, R, K::Combo, "Edge Type:", 1203, "Edges", "EdgeType", nullptr, false, "", "Ttype of edge effect. Some noise artifacts on curve edges", G::EdgeType},
    {1812, R, K::Numeric, "Thickness", 1184, "Edges", "EdgeWidth", nullptr, true, "Edge Width", "Thickness of edge effect", G::RandomizeValues},
};

const ControlBinding EffectsControls[] = {
    {1036, F, K::Combo, "Color Palette:", 1207, "Inks", "ColorSchema", nullptr, false, "", "You can choose a type of color palette used in effect", G::ColorSchema},
    {1197, F, K::InkSwatches, "", 0, "Inks", nullptr, nullptr, false, "", "Currently used colors palette", G::None},
    {1505, F, K::Button, "", 0, "Inks", nullptr, nullptr, false, "", "Picks up a color from anywhere on screen", G::Inks},
    {1000, F, K::Button, "", 0, "Inks", nullptr, nullptr, false, "", "Launch a color picker dialog to update ink color", G::Inks},
    {1001, F, K::Button, "", 0, "Inks", nullptr, nullptr, false, "", "Deletes the currently active color from palette", G::Inks},
    {2007, F, K::Numeric, "Inks Number", 1193, "Inks", "NInks", nullptr, false, "Number of Inks", "Number of inks used in color palette", G::InkNumber},
    {2008, F, K::Numeric, "Inks Opacity", 1194, "Inks", "InksOpacity", nullptr, true, "Ink Opacity", "Defines how inks are blended with paper color", G::OpacityEmboss},
    {1837, F, K::Combo, "Paper Texture Type:", 1204, "Paper", "PaperSchema", nullptr, false, "", "Defines how to interpret initial paper texture", G::PaperSchema},
    {1902, F, K::PaperStrip, "", 0, "Paper", "PaperName", nullptr, false, "", "Select a paper texture.", G::PaperName},
    {1195, F, K::ColorSwatch, "Color", 1196, "Paper", "PaperColor", nullptr, false, "", "Paper color (is available when Paper Texture Type is Surface or Colorized)", G::PaperLook},
    {2003, F, K::Numeric, "Scale", 1186, "Paper", "PaperScale", nullptr, true, "Paper Scale", "Defines the scale of paper texture", G::PaperScale},
    {2004, F, K::Numeric, "Intensity", 1187, "Paper", "PaperIntensity", nullptr, true, "Paper Intensity", "The intensity of paper texture", G::PaperLook},
    {2005, F, K::Numeric, "Colorization", 1188, "Paper", "PaperColorization", nullptr, true, "Paper Colorize", "Defines how the paper texture blends with custom colors", G::PaperLook},
    {2006, F, K::Numeric, "Emboss", 1189, "Stamping", "EmbossDepth", nullptr, true, "Emboss", "Depth of the emboss or deboss effect", G::EmbossDepth},
    {1190, F, K::Rotor, "Emboss direction", 0, "Stamping", "EmbossAlpha", "EmbossBeta", true, "", "The direction of embossing pressure", G::OpacityEmboss},
    {1191, F, K::Edit, "Alpha:", 1205, "Stamping", "EmbossAlpha", nullptr, true, "", "Enter angle of emboss direction", G::EmbossAngleField},
    {1192, F, K::Edit, "Beta:", 1206, "Stamping", "EmbossBeta", nullptr, true, "", "Enter angle of emboss direction", G::EmbossAngleField},
};

// The controls each group stores, all of them whichever one sent the command.
constexpr int EngraveShapeIds[] = {1002, 1003, 1004, 1005, 1006, 1011, 1007, 1008, 1009, 1182};
constexpr int RandomizeValueIds[] = {1010, 1012, 1014, 1815, 1905, 1215, 1814, 1820, 1895, 1995, 1812};
constexpr int RandomizeEnablerIds[] = {1811, 1013, 1813, 1816};
constexpr int ContinuityIds[] = {1817, 1818, 1819};
constexpr int EngraveTypeIds[] = {1020};
constexpr int UseCirclesIds[] = {1021};
constexpr int PatternIds[] = {1035};
constexpr int LinkWidthIds[] = {1295};
constexpr int InterfereIds[] = {1775};
constexpr int EdgeTypeIds[] = {1198};
constexpr int CenterIds[] = {1935};
constexpr int OpacityEmbossIds[] = {2008, 1190};
constexpr int PaperLookIds[] = {2004, 2005, 1195};
constexpr int PaperScaleIds[] = {2003};
constexpr int EmbossDepthIds[] = {2006};
constexpr int PaperSchemaIds[] = {1837};
// clang-format on

} // namespace

std::span<const ControlBinding> PageControls(PageKind page)
{
    switch (page) {
    case PageKind::Engrave:
        return EngraveControls;
    case PageKind::Randomize:
        return RandomizeControls;
    case PageKind::Effects:
        return EffectsControls;
    }
    return {};
}

const ControlBinding* FindControl(PageKind page, int id)
{
    const auto controls = PageControls(page);
    const auto found =
        std::find_if(controls.begin(), controls.end(), [id](const ControlBinding& c) { return c.Id == id; });
    return found == controls.end() ? nullptr : &*found;
}

namespace {

const FieldInfo* FieldNamed(const char* name)
{
    if (!name)
        return nullptr;
    for (const FieldInfo& field : ParameterFields())
        if (std::strcmp(field.Name, name) == 0)
            return &field;
    return nullptr;
}

} // namespace

const FieldInfo* BoundField(const ControlBinding& control)
{
    return FieldNamed(control.Field);
}

const FieldInfo* BoundSecondField(const ControlBinding& control)
{
    return FieldNamed(control.Field2);
}

std::span<const char* const> ComboEntries(const ControlBinding& control)
{
    const FieldInfo* field = BoundField(control);
    if (control.Kind != ControlKind::Combo || !field)
        return {};
    return field->Names;
}

SpinValues NumericSetup(const ControlBinding& control)
{
    const FieldInfo* field = BoundField(control);
    return field ? SpinValuesFor(*field, !control.Decimals) : SpinValues{};
}

double DoubleClickDefault(const ControlBinding& control, LayerIndex layer)
{
    const FieldInfo* field = BoundField(control);
    if (!field)
        return 0;
    return field->Default[layer == LayerIndex::Two ? 1 : 0];
}

LayerIndex EditedLayer(PageView view)
{
    return view == PageView::LayerTwo ? LayerIndex::Two : LayerIndex::One;
}

std::span<const int> StoredControls(StoreGroup group)
{
    switch (group) {
    case G::EngraveShape:
        return EngraveShapeIds;
    case G::RandomizeValues:
        return RandomizeValueIds;
    case G::RandomizeEnablers:
        return RandomizeEnablerIds;
    case G::Continuity:
        return ContinuityIds;
    case G::EngraveType:
        return EngraveTypeIds;
    case G::UseCircles:
        return UseCirclesIds;
    case G::Pattern:
        return PatternIds;
    case G::LinkWidth:
        return LinkWidthIds;
    case G::Interfere:
        return InterfereIds;
    case G::EdgeType:
        return EdgeTypeIds;
    case G::Center:
        return CenterIds;
    case G::OpacityEmboss:
        return OpacityEmbossIds;
    case G::PaperLook:
        return PaperLookIds;
    case G::PaperScale:
        return PaperScaleIds;
    case G::EmbossDepth:
        return EmbossDepthIds;
    case G::PaperSchema:
        return PaperSchemaIds;
    default: // stored by their own rules (fields, seed, schema, inks, paper name)
        return {};
    }
}

StoreFollowUp FollowUpOf(StoreGroup group)
{
    StoreFollowUp after;
    switch (group) {
    case G::None:
    case G::Inks:
    case G::CenterField:
    case G::EmbossAngleField:
    case G::Seed:
    case G::RandomSeed:
    case G::ColorSchema:
    case G::InkNumber:
        return after; // their own rules say what follows
    case G::RandomizeEnablers:
    case G::EdgeType:
        after.RandomizeRules = true;
        break;
    case G::UseCircles:
    case G::Pattern:
        after.EngraveRules = true;
        break;
    case G::PaperLook:
        after.RedrawStrip = true;
        break;
    case G::PaperScale:
        after.DropPaperTexture = true;
        break;
    case G::EmbossDepth:
        after.EffectsRules = true;
        break;
    case G::PaperSchema:
    case G::PaperName:
        after.ReloadEffects = true;
        break;
    default:
        break;
    }
    after.Refresh = true;
    return after;
}

} // namespace vel::ui
