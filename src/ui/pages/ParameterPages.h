#pragma once
// The parameter pages "Engrave", "Randomize" and "Effects" (Windows only):
// child dialogs in the main dialog's tabs, run by one page procedure that
// binds their controls to the parameter block, stores every change, reloads
// them from the block and applies the enable rules.

#include "session/SessionState.h"
#include "ui/pages/InkPaletteWindow.h"
#include "ui/pages/PageTables.h"

#include <windows.h>

#include <functional>

namespace vel::ui {

// What the pages ask of the main dialog.
struct PageLinks {
    PluginSession* Session = nullptr;
    HWND Dialog = nullptr;                    // ended with 2 by Esc in a field showing its value
    std::function<PageView(PageKind)> ViewOf; // the view of the page's tab
    std::function<void()> Refresh;            // the coalesced refresh request (posted)
    std::function<void()> RefreshNow;         // renders before returning
    std::function<void()> ReloadPages;        // command 9777
    std::function<void(int done, int count)> Progress;
    // The preview's centre mark for a page: shown or not, and the centre it
    // shows (the edited layer's CenterX/CenterY).
    std::function<void(HWND page, bool shown, float x, float y)> Crosshair;
};

// Creates a page as a child of the main dialog, set up and reloaded, hidden.
HWND CreateParameterPage(HWND dialog, PageKind kind, const PageLinks& links);

// Sets every control of the page from the block and applies its enable
// rules; setting a control never notifies the page.
void ReloadParameterPage(HWND page);

// The ink palette of the "Effects" page, null for the other pages.
InkPaletteView* PageInkPalette(HWND page);

} // namespace vel::ui
