#pragma once
// The controls of the three parameter pages "Engrave", "Randomize" and
// "Effects": what each control is, the field it edits, its texts and how a
// command from it is stored. Ranges, defaults and combo contents come from
// the field table; a binding names its field only.

#include "params/FieldTable.h"
#include "ui/controls/SpinValue.h"

#include <span>

namespace vel::ui {

enum class PageKind : uint8_t { Engrave, Randomize, Effects };

// Dialog templates of the pages.
inline constexpr int EngravePageTemplate = 164;
inline constexpr int RandomizePageTemplate = 15093;
inline constexpr int EffectsPageTemplate = 166;

// The main dialog's view, which selects the layer the per-layer controls edit.
enum class PageView : uint8_t { Composite, LayerOne, LayerTwo, Original };

enum class ControlKind : uint8_t {
    Numeric,     // "Spin Edit CPP"
    Combo,       // combo box filled with the field's names
    Check,       // check box
    Toggle,      // "Control Button CPP" toggle
    Rotor,       // "Rotor CPP" (one or two fields)
    Edit,        // a typed number
    Button,      // push button or push-like check box
    InkSwatches, // the ink strip of the "Effects" page
    PaperStrip,  // "ZolVel3Class"
    ColorSwatch, // "Contaner Color CPP"
};

// What a page does with a command, after the listed fields were stored.
enum class StoreGroup : uint8_t {
    None,
    EngraveShape,      // 1002-1009, 1011, 1182
    RandomizeValues,   // noise scale, coverage look, roughness look, edge width
    RandomizeEnablers, // 1013, 1811, 1813, 1816: values other controls depend on
    Continuity,        // 1817-1819
    EngraveType,       // 1020
    UseCircles,        // 1021
    Pattern,           // 1035
    LinkWidth,         // 1295
    Interfere,         // 1775
    EdgeType,          // 1198
    Center,            // 1935
    CenterField,       // 1015, 1016
    Seed,              // 1915
    RandomSeed,        // 2
    ColorSchema,       // 1036
    InkNumber,         // 2007
    OpacityEmboss,     // 1190, 2008
    EmbossAngleField,  // 1191, 1192
    PaperLook,         // 1195, 2004, 2005
    PaperScale,        // 2003
    EmbossDepth,       // 2006
    PaperSchema,       // 1837
    PaperName,         // 1902
    Inks,              // 1000, 1001, 1505: the ink palette editor
};

// What follows the storing of a group, in this order.
struct StoreFollowUp {
    bool EngraveRules = false;
    bool RandomizeRules = false;
    bool EffectsRules = false;
    bool ReloadEffects = false;
    bool RedrawStrip = false;      // the paper strip redraws its thumbnails
    bool DropPaperTexture = false; // the next render scales the texture again
    bool Refresh = false;          // the refresh request to the main dialog
};

struct ControlBinding {
    int Id;
    PageKind Page;
    ControlKind Kind;
    const char* Caption; // the control's caption or its label's text; may be empty
    int LabelId;         // the caption label, 0 when none
    const char* Group;   // the group box it sits in; may be empty
    const char* Field;   // the field-table name of the edited field, or null
    const char* Field2;  // a rotor's second field, or null
    bool Decimals;       // numeric display "%0.2f" rather than integers
    const char* ValueName;
    const char* Tooltip;
    StoreGroup Store;
};

std::span<const ControlBinding> PageControls(PageKind page);

// The binding of a control of a page, or null.
const ControlBinding* FindControl(PageKind page, int id);

// The field a binding edits (its first field), or null when it edits none.
const FieldInfo* BoundField(const ControlBinding& control);
const FieldInfo* BoundSecondField(const ControlBinding& control);

// The combo box's entries in value order (empty for other controls).
std::span<const char* const> ComboEntries(const ControlBinding& control);

// A numeric control's setup: slider and typed range from the field table,
// widening exactly when they differ, integer display unless Decimals.
SpinValues NumericSetup(const ControlBinding& control);

// The value a double-click on the control's slider restores for the edited
// layer; 0 for a control without a field.
double DoubleClickDefault(const ControlBinding& control, LayerIndex layer);

// The layer the per-layer controls edit in a view.
LayerIndex EditedLayer(PageView view);

// The controls whose values a command stores (every control of its group,
// not only the one that sent it), and what follows.
std::span<const int> StoredControls(StoreGroup group);
StoreFollowUp FollowUpOf(StoreGroup group);

} // namespace vel::ui
