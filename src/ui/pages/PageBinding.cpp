#include "ui/pages/PageBinding.h"

#include "color/InkPalette.h"
#include "platform/AsciiText.h"
#include "ui/controls/ValueText.h"

#include <algorithm>

namespace vel::ui {
namespace {

constexpr size_t TypedFieldChars = 15;

void Store(ParameterBlock& block, LayerIndex layer, const char* name, double value)
{
    for (const FieldInfo& field : ParameterFields())
        if (std::string_view(field.Name) == name) {
            SetFieldValue(block, field, layer, value);
            return;
        }
}

double Stored(const ParameterBlock& block, LayerIndex layer, const char* name)
{
    for (const FieldInfo& field : ParameterFields())
        if (std::string_view(field.Name) == name)
            return GetFieldValue(block, field, layer);
    return 0;
}

// The page a control of the typed fields belongs to: the centre and seed
// edits edit a layer, the emboss angles the block.
const ControlBinding* TypedControl(int id)
{
    for (PageKind page : {PageKind::Engrave, PageKind::Randomize, PageKind::Effects})
        if (const ControlBinding* control = FindControl(page, id);
            control && control->Kind == ControlKind::Edit)
            return control;
    return nullptr;
}

bool SameText(const char* a, const char* b)
{
    return EqualIgnoringCase(a, b, size_t(-1));
}

void KeepActiveInk(const PrintState& state, uint8_t& activeInk)
{
    if (state.Inks.InkCount > 0 && activeInk >= state.Inks.InkCount)
        activeInk = uint8_t(state.Inks.InkCount - 1);
}

void Derive(ParameterBlock& block, PrintState& state)
{
    MarkPaletteStale(state);
    DerivePalette(state, block);
}

} // namespace

StoreFollowUp StoreCommand(ParameterBlock& block, PageView view, StoreGroup group, const ControlReader& read)
{
    const LayerIndex layer = EditedLayer(view);
    for (int id : StoredControls(group)) {
        const ControlBinding* control = nullptr;
        for (PageKind page : {PageKind::Engrave, PageKind::Randomize, PageKind::Effects})
            if (!control)
                control = FindControl(page, id);
        if (!control || !control->Field)
            continue;
        if (control->Id == 1935) { // the rotor's y points down the screen
            Store(block, layer, "CenterX", read(id, 0));
            Store(block, layer, "CenterY", -read(id, 1));
            continue;
        }
        Store(block, layer, control->Field, read(id, 0));
        if (control->Field2)
            Store(block, layer, control->Field2, read(id, 1));
    }
    return FollowUpOf(group);
}

double ReloadValue(const ControlBinding& control, const ParameterBlock& block, PageView view, int part,
                   int inkCount)
{
    if (control.Id == 2007)
        return inkCount;
    const FieldInfo* field = part == 0 ? BoundField(control) : BoundSecondField(control);
    if (!field)
        return 0;
    const double value = GetFieldValue(block, *field, EditedLayer(view));
    return control.Id == 1935 && part == 1 ? -value : value;
}

double TypedNumber(std::string_view text)
{
    return ReadTypedNumber(text, TypedFieldChars);
}

bool CommitCenterField(ParameterBlock& block, PageView view, int id, std::string_view text)
{
    if (id != 1015 && id != 1016)
        return false;
    const double typed = std::clamp(TypedNumber(text), -100.0, 100.0);
    LayerParameters& layer = SelectLayer(block, EditedLayer(view));
    float& target = id == 1015 ? layer.CenterX : layer.CenterY;
    if (float(typed) == target)
        return false;
    target = float(typed);
    return true;
}

bool CommitEmbossAngleField(ParameterBlock& block, int id, std::string_view text)
{
    if (id != 1191 && id != 1192)
        return false;
    float& target = id == 1191 ? block.EmbossAlpha : block.EmbossBeta;
    const float typed = float(TypedNumber(text));
    if (typed == target)
        return false;
    target = typed;
    return true;
}

void CommitSeed(ParameterBlock& block, PageView view, std::string_view text)
{
    SelectLayer(block, EditedLayer(view)).CoverageRandom = IntegerPart(TypedNumber(text)) % 1000;
}

std::string DrawSeed(ParameterBlock& block, PageView view, int draw)
{
    const int32_t seed = draw % 1000;
    SelectLayer(block, EditedLayer(view)).CoverageRandom = seed;
    return std::to_string(seed);
}

EscapeAnswer EscapeInField(const ParameterBlock& block, PageView view, int id, std::string_view shown)
{
    const ControlBinding* control = TypedControl(id);
    if (!control)
        return {false, std::string(shown)};
    const double value = Stored(block, EditedLayer(view), control->Field);
    const std::string stored = std::to_string(IntegerPart(value));
    // The field may show the value with its decimals ("12.50"): that is the
    // stored value too.
    const bool showsValue = !shown.empty() && float(TypedNumber(shown)) == float(value);
    if (shown == stored || showsValue)
        return {true, stored};
    return {false, stored};
}

int SchemaInkCount(const ParameterBlock& block, uint8_t schema)
{
    switch (ColorSchemaKind(schema)) {
    case ColorSchemaKind::CustomPalette:
        return block.NInks;
    case ColorSchemaKind::CmykPalette:
        return 4;
    case ColorSchemaKind::RgbPalette:
        return 3;
    default:
        return 1;
    }
}

int ChangeColorSchema(ParameterBlock& block, PrintState& state, uint8_t schema, uint8_t& activeInk)
{
    block.ColorSchema = schema;
    ClearPaletteAdjustments(block);
    const bool custom = ColorSchemaKind(schema) == ColorSchemaKind::CustomPalette;
    int shown = SchemaInkCount(block, schema);
    const int before = state.Inks.InkCount;
    if (custom)
        state.Inks.InkCount = LimitInkCount(block.NInks);
    Derive(block, state);
    if (custom && state.Inks.InkCount < before) {
        block.NInks = state.Inks.InkCount;
        shown = block.NInks;
    }
    KeepActiveInk(state, activeInk);
    return shown;
}

int ChangeInkNumber(ParameterBlock& block, PrintState& state, double value, uint8_t& activeInk)
{
    block.NInks = IntegerPart(value);
    state.Inks.InkCount = LimitInkCount(block.NInks);
    std::fill(std::begin(block.RemovedColors), std::end(block.RemovedColors), NoRemovedColor);
    Derive(block, state);
    int shown = block.NInks;
    if (state.Inks.InkCount < block.NInks)
        shown = state.Inks.InkCount;
    KeepActiveInk(state, activeInk);
    return shown;
}

bool PageEnables::Enabled(int id) const
{
    for (const ControlEnable& control : Controls)
        if (control.Id == id)
            return control.Enabled;
    return true;
}

bool LayerEditable(const ParameterBlock& block, PageView view)
{
    if (view == PageView::Original)
        return false;
    return view == PageView::LayerOne || view == PageView::LayerTwo || block.LayerTwoExist == 0;
}

bool PaperIsTexture(const char* paperName)
{
    return paperName[0] != '\0' && !SameText(paperName, "None") && !SameText(paperName, "Solid");
}

namespace {

void Set(PageEnables& rules, std::initializer_list<int> ids, bool enabled)
{
    for (int id : ids)
        rules.Controls.push_back({id, enabled});
}

} // namespace

PageEnables EngraveEnables(const ParameterBlock& block, PageView view)
{
    const bool e = LayerEditable(block, view);
    const LayerParameters& layer = SelectLayer(block, EditedLayer(view));
    const int g = layer.Geometry;
    const bool star = g >= 41 && g <= 44;
    const bool noWaves = g == 0 || g == 8 || g == 18 || g == 28;
    PageEnables rules;
    Set(rules, {1775, 1200}, block.LayerTwoExist == 1 && view != PageView::Original);
    Set(rules, {1035, 1201, 1020, 1202, 1002, 1003, 1004, 1005, 1006, 1011}, e);
    const bool radial = e && g >= 8 && g <= 44;
    Set(rules, {1935, 1015, 1016, 1183, 1184}, radial);
    rules.CrosshairShown = radial;
    Set(rules, {1182}, e && g <= 44 && g != 8);
    Set(rules, {1007}, !noWaves && e && g <= 44);
    Set(rules, {1008}, !noWaves && e && !star);
    Set(rules, {1009}, !noWaves && e && g <= 45 && !star);
    Set(rules, {1021}, e && g <= 44);
    Set(rules, {1295}, e && g <= 44 && layer.Big == 1);
    return rules;
}

PageEnables RandomizeEnables(const ParameterBlock& block, PageView view)
{
    const bool e = LayerEditable(block, view);
    const LayerParameters& layer = SelectLayer(block, EditedLayer(view));
    const int g = layer.Geometry;
    const bool rough = e && layer.RoughnessIntensity != 0;
    const bool covered = e && layer.Coverage != 100;
    PageEnables rules;
    Set(rules, {1811, 1010, 1813, 1013, 1198, 1203}, e);
    Set(rules, {1012}, e && layer.LoNoiseIntensity != 0);
    Set(rules, {1814, 1820, 1995}, rough);
    Set(rules, {1895}, rough && g >= 8 && g <= 27);
    Set(rules, {1014, 1815, 1915, 2, 1215, 1905}, covered);
    Set(rules, {1816}, e && g <= 44);
    Set(rules, {1817, 1819, 1818}, e && g <= 44 && layer.Discontinuous != 0);
    Set(rules, {1812}, e && layer.EdgeType != 0);
    return rules;
}

PageEnables EffectsEnables(const ParameterBlock& block, PageView view)
{
    const bool v = view != PageView::Original;
    const auto schema = ColorSchemaKind(block.ColorSchema);
    const bool texture = PaperIsTexture(block.PaperName);
    const bool solid = SameText(block.PaperName, "Solid");
    const bool none = SameText(block.PaperName, "None");
    PageEnables rules;
    rules.PaletteInteraction = v;
    Set(rules, {1036, 1207, 1902, 2006}, v);
    Set(rules, {2007}, v && schema == ColorSchemaKind::CustomPalette);
    Set(rules, {1000, 1505}, v && schema != ColorSchemaKind::InitialColors);
    Set(rules, {1001}, v && schema == ColorSchemaKind::CustomPalette);
    Set(rules, {1837, 1204, 2003}, v && texture);
    Set(rules, {2004, 2005}, v && texture && block.PaperSchema != 0);
    Set(rules, {1195, 1196}, v && (solid || (texture && block.PaperSchema != 0)));
    Set(rules, {2008}, v && !none && schema != ColorSchemaKind::InitialColors);
    Set(rules, {1190, 1205, 1206}, v && block.EmbossDepth != 0);
    return rules;
}

PageEnables PageEnablesFor(PageKind page, const ParameterBlock& block, PageView view)
{
    switch (page) {
    case PageKind::Engrave:
        return EngraveEnables(block, view);
    case PageKind::Randomize:
        return RandomizeEnables(block, view);
    case PageKind::Effects:
        return EffectsEnables(block, view);
    }
    return {};
}

} // namespace vel::ui
