#include "platform/Alert.h"

#include <windows.h>

namespace vel {

AlertAnswer PlatformAlert(const AlertMessage& message)
{
    UINT style = message.Buttons == AlertButtons::YesNoCancel ? MB_YESNOCANCEL : MB_OK;
    switch (message.Icon) {
    case AlertIcon::Error: style |= MB_ICONERROR; break;
    case AlertIcon::Warning: style |= MB_ICONWARNING; break;
    case AlertIcon::Information: style |= MB_ICONINFORMATION; break;
    case AlertIcon::Question: style |= MB_ICONQUESTION; break;
    }
    switch (MessageBoxA(GetActiveWindow(), message.Text.c_str(), message.Title.c_str(), style | MB_TASKMODAL)) {
    case IDYES: return AlertAnswer::Yes;
    case IDNO: return AlertAnswer::No;
    case IDCANCEL: return AlertAnswer::Cancel;
    default: return AlertAnswer::Ok;
    }
}

} // namespace vel
