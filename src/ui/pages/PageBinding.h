#pragma once
// What a page does with the block: storing a command's controls, the typed
// centre, angle and seed fields, the colour schema and the number of inks,
// and which controls the enable rules leave enabled.

#include "color/PrintState.h"
#include "ui/pages/PageTables.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vel::ui {

// The value a control shows: part 0, or part 1 for a rotor's second value.
// The centre rotor's second value is the screen's y (downward), the negated
// CenterY.
using ControlReader = std::function<double(int id, int part)>;

// Stores the values of every control of the group into the block (per-layer
// fields into the edited layer of the view) and returns what follows.
StoreFollowUp StoreCommand(ParameterBlock& block, PageView view, StoreGroup group, const ControlReader& read);

// What a control shows when its page is reloaded from the block: its field
// of the edited layer (part 1: a rotor's second value, for the centre rotor
// the negated CenterY, as the screen's y points down). "Number of Inks"
// shows the inks in use, `inkCount`. 0 for controls without a field.
double ReloadValue(const ControlBinding& control, const ParameterBlock& block, PageView view, int part,
                   int inkCount);

// A typed number as the page's edits read it: at most 15 characters, a
// decimal number, 0 when it is not one.
double TypedNumber(std::string_view text);

// A committed "X:" or "Y:" edit: the value limited to -100..100. True when
// it differs from the stored one and was stored (the centre rotor and the
// shown centre then follow, and the preview refreshes).
bool CommitCenterField(ParameterBlock& block, PageView view, int id, std::string_view text);

// A committed "Alpha:" or "Beta:" edit, stored as typed. True when it changed.
bool CommitEmbossAngleField(ParameterBlock& block, int id, std::string_view text);

// The seed edit: the integer part of the typed number, remainder of 1000
// (keeping its sign).
void CommitSeed(ParameterBlock& block, PageView view, std::string_view text);

// "Random": the seed from a draw of 0..32767. Returns the edit's new text.
std::string DrawSeed(ParameterBlock& block, PageView view, int draw);

// Esc in a typed field. Closes the dialog when the field shows the stored
// value (its integer part as a decimal integer, or the value itself with
// its decimals); otherwise the field gets that text back.
struct EscapeAnswer {
    bool CloseDialog;
    std::string Text; // the text to show when the dialog stays
};
EscapeAnswer EscapeInField(const ParameterBlock& block, PageView view, int id, std::string_view shown);

// The inks the "Number of Inks" control shows for a schema before the
// palette is derived again: NInks for "Custom palette", 4 for CMYK, 3 for
// RGB, 1 otherwise.
int SchemaInkCount(const ParameterBlock& block, uint8_t schema);

// A new colour schema: every palette adjustment of every schema is zeroed,
// the palette derived again, a custom palette's NInks lowered to the inks
// the picture gives, the active ink kept within the inks. Returns the count
// "Number of Inks" shows.
int ChangeColorSchema(ParameterBlock& block, PrintState& state, uint8_t schema, uint8_t& activeInk);

// A new "Number of Inks": NInks from the value, no ink removed any more, the
// palette derived again, the active ink kept within the inks. Returns the
// count the control shows.
int ChangeInkNumber(ParameterBlock& block, PrintState& state, double value, uint8_t& activeInk);

// The enable rules of a page for the block in a view.
struct ControlEnable {
    int Id;
    bool Enabled;
};
struct PageEnables {
    std::vector<ControlEnable> Controls; // controls and their labels
    bool CrosshairShown = false;         // the preview's centre mark
    bool PaletteInteraction = false;     // the ink strip answers the mouse ("Effects")

    // Whether the rules enable the control; controls the rules do not name
    // are always enabled.
    bool Enabled(int id) const;
};

// Whether per-layer controls can edit a layer in the view: never in
// Original, in Composite only while there is one layer.
bool LayerEditable(const ParameterBlock& block, PageView view);

// A paper name that names a texture file (not "None", "Solid" or empty).
bool PaperIsTexture(const char* paperName);

PageEnables EngraveEnables(const ParameterBlock& block, PageView view);
PageEnables RandomizeEnables(const ParameterBlock& block, PageView view);
PageEnables EffectsEnables(const ParameterBlock& block, PageView view);
PageEnables PageEnablesFor(PageKind page, const ParameterBlock& block, PageView view);

} // namespace vel::ui
