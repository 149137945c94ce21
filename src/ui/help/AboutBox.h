#pragma once
// The About box (template 128, Windows only): version, the product and maker
// links, "Close".

#include "session/SessionState.h"
#include "ui/help/HelpLauncher.h"

#include <windows.h>

namespace vel::ui {

inline constexpr int AboutBoxTemplate = 128;
inline constexpr int AboutVersionId = 1033;
inline constexpr int AboutProductLinkId = 1005;
inline constexpr int AboutMakerLinkId = 1004;
inline constexpr int AboutPictureId = 1101;
inline constexpr wchar_t AboutVersionText[] = L"1.0";

// Shows the box modally over `owner` and returns when it is closed; the
// links open their pages through `launcher`. Without an open control kit
// (the host's About call, no main dialog) the kit is opened for the box and
// closed after it.
void ShowAboutBox(HINSTANCE instance, HWND owner, HelpLauncher& launcher);

} // namespace vel::ui
