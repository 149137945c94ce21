// The ink palette editor on the "Effects" page.

#include "ui/pages/InkPaletteWindow.h"

namespace vel::ui {

namespace {
InkEditor SessionEditor; // the active ink outlives a dialog
}

void InkPaletteView::Attach(HWND page, InkPaletteLinks links)
{
    page_ = page;
    links_ = std::move(links);
}

void InkPaletteView::Detach()
{
    page_ = nullptr;
}

void InkPaletteView::Paint() {}

bool InkPaletteView::Mouse(UINT, WPARAM, LPARAM)
{
    return false;
}

bool InkPaletteView::Command(int, int)
{
    return false;
}

void InkPaletteView::CancelPicking() {}

void InkPaletteView::SetInteraction(bool interactive)
{
    interactive_ = interactive;
}

InkEditor& InkPaletteView::Editor()
{
    return SessionEditor;
}

} // namespace vel::ui
