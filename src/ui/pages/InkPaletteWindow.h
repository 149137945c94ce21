#pragma once
// The ink palette editor on the "Effects" page (Windows only): the swatch
// strip drawn by the page in frame control 1197, the colour-picker button
// 1000, the delete button 1001 and the screen picker 1505. The page hands
// its paint, mouse and command messages to an InkPaletteView.

#include "color/PrintState.h"
#include "ui/pages/InkSwatches.h"

#include <windows.h>

#include <functional>

namespace vel::ui {

// The colour chooser the editor opens: true, with `color` set, when a colour
// was chosen. ChooseColorFor unless replaced (tests answer it without a
// modal dialog); an empty function restores ChooseColorFor.
using InkColorChooser = std::function<bool(HWND owner, COLORREF& color)>;
void SetInkColorChooser(InkColorChooser chooser);

struct InkPaletteLinks {
    ParameterBlock* Block = nullptr;
    PrintState* State = nullptr;         // the live palette the preview prints with
    std::function<void()> Refresh;       // the refresh request to the main dialog
    std::function<void()> ReloadPages;   // command 9777 to the main dialog
    std::function<void()> ReloadEffects; // the "Effects" page reloads itself
};

class InkPaletteView {
  public:
    // Binds to the page (which holds controls 1197, 1000, 1001 and 1505):
    // the frame 1197 paints the strip from then on and the eyedropper cursor
    // is made. The view stays at one address until Detach, which ends the
    // screen picker and the hover and destroys the cursor.
    void Attach(HWND page, InkPaletteLinks links);
    void Detach();

    // The page's WM_PAINT: draws the strip off-screen and copies it.
    void Paint();

    // The page's mouse messages (moves, presses, double-clicks, releases)
    // and WM_CAPTURECHANGED, in the page's client coordinates; true when the
    // view took the message.
    bool Mouse(UINT message, WPARAM wParam, LPARAM lParam);

    // Commands 1000, 1001 and 1505; true when the view took the command.
    bool Command(int id, int code);

    // Right click, Esc, Cancel or the dialog losing activation: the screen
    // picker stops and the palette shows the block's colours again.
    void CancelPicking();

    // Whether the palette may change (the view is not Original); the page
    // calls it on every reload, and the strip is redrawn.
    void SetInteraction(bool interactive);

    // The active ink and the picking state; the active ink lasts for the
    // plug-in session.
    InkEditor& Editor();

    // Draws the strip at the frame's size into `dc` (off-screen first).
    void DrawStrip(HDC dc) const;

    // The swatch drawn sunken (under the pointer), or -1.
    int HotSwatch() const { return hot_; }

    // The eyedropper shown while picking from the screen.
    HCURSOR PickerCursor() const { return pickerCursor_; }

  private:
    bool Ready() const;
    bool StripInteractive();
    int SwatchUnder(POINT at) const;
    void Redraw();
    void EndHover();
    void OpenChooser(int ink);
    bool PickerMouse(UINT message, POINT at, LPARAM lParam);
    void StartPicking();
    void ShowPickerState();
    bool OnPickerButton(POINT at) const;

    HWND page_ = nullptr;
    HWND strip_ = nullptr; // frame 1197
    InkPaletteLinks links_;
    bool interactive_ = false;
    int hot_ = -1;              // the swatch under the pointer while hovering
    bool hoverCapture_ = false; // the page's capture was taken for the hover
    HCURSOR pickerCursor_ = nullptr;
};

} // namespace vel::ui
