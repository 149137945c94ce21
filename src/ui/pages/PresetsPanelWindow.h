#pragma once
// The presets panel window (Windows only): template 143 as a child of the
// main dialog, over PresetsPanelModel. A click on an entry applies it, a
// double-click on a folder opens it, "Save" and "Delete" act on the user
// list. Commands 7777 and 9777 that reach the panel go on to its parent.

#include "ui/pages/PresetsPanel.h"

#include <windows.h>

#include <functional>

namespace vel::ui {

struct PresetsPanelSetup {
    PresetLibrary Library;            // the presets folder; both lists start at the top
    ParameterBlock* Params = nullptr; // the block a selection writes and "Save" stores
    InkState* Inks = nullptr;         // follows the block
    // After "Default" or a preset changed the block: the dialog applies the
    // changes, resynchronises the layers bar, reloads its pages and refreshes.
    std::function<void(const SelectionOutcome&)> Applied;
};

// Creates the panel at (x, y) of `dialog`, `width` pixels wide and as tall as
// its template; null when it cannot be made. The panel lays its children out
// again whenever it is sized: the user group and list take the height, the
// buttons stay at the bottom.
HWND CreatePresetsPanel(HWND dialog, int x, int y, int width, PresetsPanelSetup setup);

} // namespace vel::ui
