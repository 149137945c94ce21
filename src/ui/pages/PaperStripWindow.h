#pragma once
// The paper strip window "ZolVel3Class" (Windows only), id 1902 on the
// "Effects" page. It shows the papers four at a time and reports clicks to
// its parent as WM_COMMAND with id 1902: code 0 when an entry was picked
// (the page applies SelectedPaperName), StripChooseColorCode when "Solid",
// already selected, was clicked again (the page chooses the paper colour).

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vel::ui {

inline constexpr int StripChooseColorCode = 1;

struct PaperStripSources {
    std::string PapersFolder;       // the texture files
    std::string ThumbsFolder;       // the 61 × 61 thumbnail cache
    std::vector<std::string> Names; // "None", "Solid", then the texture names
    std::string Current;            // the block's PaperName
    std::function<void(int done, int count)> Progress; // while thumbnails are made
};

// Gives the strip its entries and thumbnails (made or read from the cache);
// the first page shows, the current paper selected.
void BindPaperStrip(HWND strip, PaperStripSources sources, COLORREF paperColor);

// Draws again, with the "Solid" cell in `paperColor`, selecting `current`.
void RedrawPaperStrip(HWND strip, COLORREF paperColor, const std::string& current);

// The name of the entry last picked, empty when none.
std::string SelectedPaperName(HWND strip);

} // namespace vel::ui
