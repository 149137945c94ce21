// The module's exported face: the entry point that hosts find through the
// property list, and the DLL attach hook that keeps the module handle.

#include "engine/RenderDriver.h"
#include "platform/Folders.h"
#include "session/SessionState.h"

#include <windows.h>

namespace {

// The session for as long as the host keeps the module loaded, with the
// main dialog and the render driver behind Start.
struct Module {
    vel::PluginSession Session;

    Module()
    {
        Session.ShowMainDialog = vel::RunMainDialogWindow;
        Session.ShowAboutBox = vel::ShowAboutWindow;
        Session.RenderImage = vel::RenderForHost;
    }
};

Module& TheModule()
{
    static Module module;
    return module;
}

} // namespace

// Hosts built with MSVC call in with only 4-byte stack alignment on i686.
#if defined(__i386__)
#define VEL_ENTRY_ALIGN __attribute__((force_align_arg_pointer))
#else
#define VEL_ENTRY_ALIGN
#endif

extern "C" __declspec(dllexport) VEL_ENTRY_ALIGN void VEL_HOSTCALL
    PluginMain(int16_t selector, void* record, intptr_t* data, int16_t* result)
{
    vel::PluginEntry(TheModule().Session, selector, record, data, result);
}

extern "C" VEL_ENTRY_ALIGN BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        vel::StoreModuleHandle(instance);
    return TRUE;
}
