#pragma once
// The save flow's questions as windows (Windows only): the "Save Parameters
// Preset" name dialog, and the overwrite question as a warning message box.

#include "params/PresetLibrary.h"

#include <windows.h>

namespace vel::ui {

inline constexpr int SavePresetTemplate = 15094;
inline constexpr int PresetNameEditId = 1301;
inline constexpr int PresetNameLimit = 255;

class WindowSavePrompts : public PresetSavePrompts {
  public:
    // `instance` holds the dialog template; `owner` is the presets panel.
    WindowSavePrompts(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}

    // The name dialog, modal on the owner, with `name` in its field; "Save"
    // is enabled while the field is not empty.
    bool AskName(std::string& name) override;

  private:
    HINSTANCE instance_;
    HWND owner_;
};

} // namespace vel::ui
