#pragma once
// The plug-in's session: the record of the current host call, the module's
// render state and data paths, and the entry point that dispatches the host's
// selectors. Everything here is portable; only the exported glue is Windows'.

#include "engine/RenderHost.h"
#include "engine/RenderState.h"
#include "params/ParameterBlock.h"
#include "session/DataFolders.h"
#include "session/HostRecords.h"

namespace vel {

struct SessionState {
    FilterRecord* HostRecord = nullptr; // the filter record of the current call (null for About)
    intptr_t* DataSlot = nullptr;       // the host's data slot: the handle of the PrivateBlock
    int16_t* ResultWord = nullptr;      // the host's result word
    SPBasicSuite* BasicSuite = nullptr;
    ParameterBlock* Params = nullptr; // the locked parameters handle, null when unlocked
    PrivateBlock* Private = nullptr;  // the locked data-slot handle, null when unlocked
    AboutRecord* About = nullptr;     // the About record of an About call

    int16_t& Result() { return *ResultWord; }
};

struct PluginSession;

// The main dialog: true when closed with OK, false when cancelled.
using MainDialogFn = bool (*)(PluginSession& session);

// The About box, shown modally for the host's About selector.
using AboutBoxFn = void (*)(PluginSession& session);

// The render driver: renders the whole filter rectangle into the host's output
// buffer and returns the host result code (noErr when it went through).
using RenderImageFn = OSErr (*)(RenderState& state, const ParameterBlock& params, RenderHost& host);

// Everything the module keeps between host calls.
struct PluginSession {
    SessionState State;
    RenderState Render;
    DataFolders Folders;

    // Shown by Start when the dialog is asked for. Until a dialog is
    // installed, Start goes on as if the dialog had been closed with OK.
    MainDialogFn ShowMainDialog = nullptr;

    // Shown for the About selector; without one the selector does nothing.
    AboutBoxFn ShowAboutBox = nullptr;

    // Run by Start's "Process the image" on the whole filter rectangle.
    RenderImageFn RenderImage = nullptr;

    int16_t SpareResult = 0; // the result word when a host passes none
};

// The render driver as the module installs it in RenderImage: the host gets
// noErr whatever the render did, since an image that could not be rendered
// is passed through and the user has seen the alert.
OSErr RenderForHost(RenderState& state, const ParameterBlock& params, RenderHost& host);

// The main dialog as the module installs it in ShowMainDialog; defined by
// the dialog's library (Windows only), so that the module links it without
// the session knowing windows.
bool RunMainDialogWindow(PluginSession& session);

// The About box over the host's active window, as the module installs it in
// ShowAboutBox; defined by the dialog's library (Windows only) like the dialog.
void ShowAboutWindow(PluginSession& session);

// The body of PluginMain: stores the call's pointers in the session,
// dispatches the selector and reports failures through the result word.
void PluginEntry(PluginSession& session, int16_t selector, void* record, intptr_t* data, int16_t* result);

} // namespace vel
