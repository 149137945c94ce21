// The paper strip window "ZolVel3Class".

#include "ui/pages/PaperStripWindow.h"

#include "ui/controls/Controls.h"

namespace vel::ui {

void BindPaperStrip(HWND, PaperStripSources, COLORREF) {}

void RedrawPaperStrip(HWND, COLORREF, const std::string&) {}

std::string SelectedPaperName(HWND)
{
    return {};
}

} // namespace vel::ui
