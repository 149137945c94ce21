#pragma once
// The ink palette editor of the "Effects" page without its windows: the
// swatch strip's geometry and hit test, the active ink, what the mouse and
// the screen picker ask for, and how a chosen colour or a removed ink
// reaches the block and the live palette.

#include "color/InkColor.h"
#include "color/PrintState.h"

#include <vector>

namespace vel::ui {

inline constexpr int InkSwatchesId = 1197;
inline constexpr int PickInkColorId = 1000;
inline constexpr int DeleteInkId = 1001;
inline constexpr int ScreenPickerId = 1505;
inline constexpr int InkCheckerSquare = 6; // "Initial colors": 6 × 6 squares of grey 210 and white

struct SwatchRect {
    int Left, Top, Right, Bottom;
    friend bool operator==(const SwatchRect&, const SwatchRect&) = default;
};

// The swatches of a strip `width` × `height` pixels for `inkCount` inks:
// equal shares of width − 2, from x = 2 and y = 2 to the bottom.
std::vector<SwatchRect> SwatchRects(int width, int height, int inkCount);

// The swatch drawn under a point of the strip, or -1: the point must lie
// more than 2 pixels inside the strip's edges.
int SwatchAt(int x, int y, int width, int height, int inkCount);

// The outline colour of the active swatch: dark on light inks, light on
// dark ones.
InkColor ContrastColor(InkColor ink);

// Whether an "Initial colors" checkerboard pixel (x, y) of a swatch is grey.
bool CheckerIsGrey(int x, int y);

// What a mouse action on the strip asks of the page.
struct SwatchAnswer {
    bool Redraw = false;
    bool OpenChooser = false; // for the active ink
    bool ReloadPages = false; // command 9777 to the main dialog
};

class InkEditor {
  public:
    uint8_t ActiveInk = 0;
    bool PickingScreen = false;
    bool ChooserOpen = false;

    // The strip answers the mouse only while the palette can be changed:
    // not in the Original view, not for "Initial colors", not while picking
    // from the screen.
    static bool Interactive(bool paletteInteraction, uint8_t colorSchema, bool pickingScreen);

    SwatchAnswer LeftDown(int swatch, bool interactive);
    SwatchAnswer RightDown(int swatch, bool interactive);
    SwatchAnswer ButtonUp(int swatch, bool interactive);

    // Keeps the active ink among `inkCount` inks.
    void KeepWithin(int inkCount);
};

// Gives the ink a chosen colour: the live palette shows it at once and the
// block stores it as the current schema's adjustment from the ink's base
// colour. Nothing for "Initial colors" or an ink the schema does not have.
void ApplyInkColor(ParameterBlock& block, PrintState& state, int ink, InkColor color);

// Removes the active ink of a custom palette that has more than one; the
// removal is recorded in the block. Returns the ink count afterwards (what
// "Number of Inks" shows) and keeps the active ink among the inks.
int RemoveActiveInk(ParameterBlock& block, PrintState& state, InkEditor& editor);

// The screen picker: the active ink shows the colour under the pointer
// without storing it; picking stores it; cancelling derives the palette
// from the block again.
void PreviewPickedColor(PrintState& state, const InkEditor& editor, InkColor color);
void CancelScreenPicking(const ParameterBlock& block, PrintState& state, InkEditor& editor);
void FinishScreenPicking(ParameterBlock& block, PrintState& state, InkEditor& editor, InkColor color);

} // namespace vel::ui
