#pragma once
// The main dialog (Windows only): "DISSOLVEDIALOG" run by DissolveProc, with
// the live preview of the visible area and the navigator.

#include "session/SessionState.h"
#include "ui/help/HelpLauncher.h"

#include <windows.h>

namespace vel::ui {

// Runs the dialog modally on the host's parent window and writes the
// settings file when it has closed. True when it was closed with OK.
bool ShowMainDialog(PluginSession& session);

// The open dialog's window, or null (tests find it by its title too).
HWND MainDialogWindow();

// The number of preview renders since the dialog opened; a window property
// of the dialog with this name holds the same count for a watcher.
inline constexpr wchar_t RenderCountProperty[] = L"VellistoPreviewRenders";
int PreviewRenderCount();

// What F1, the manual button and the product-page button hand their page to
// (the system's "open" unless a test says otherwise). Launches run on their
// own thread: the dialog never waits for them.
void SetHelpOpener(HelpLauncher::OpenFn open);

} // namespace vel::ui

// The dialog procedure, exported under its plain name.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    DissolveProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
