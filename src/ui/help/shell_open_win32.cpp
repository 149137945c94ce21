#include "ui/help/HelpLauncher.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

namespace vel::ui {

void ShellOpen(const std::string& target)
{
    // The shell may hand the file to a COM server; this thread is its own.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com))
        CoUninitialize();
}

} // namespace vel::ui
