#pragma once
// The paper strip "ZolVel3Class" without its window: the paper entries, the
// pages of four thumbnails, the sliding between pages, the hot and selected
// cells and what a click asks for. Its thumbnails come from PaperThumbnails.

#include <string>
#include <vector>

namespace vel::ui {

inline constexpr char PaperStripClass[] = "ZolVel3Class";
inline constexpr int PaperStripId = 1902;
inline constexpr int StripPreviousId = 1004;
inline constexpr int StripNextId = 1003;

// Layout in pixels: a 20-pixel arrow button each side of four 63-pixel cells.
inline constexpr int StripCellWidth = 63;
inline constexpr int StripArrowWidth = 20;
inline constexpr int StripCellsPerPage = 4;
inline constexpr int StripWidth = 2 * StripArrowWidth + StripCellsPerPage * StripCellWidth; // 292
inline constexpr int StripHeight = 63;
inline constexpr int StripSlideStep = 10; // percent a 30 ms tick moves
inline constexpr int StripSlideTickMs = 30;

enum class StripRequest {
    Nothing,
    ChoosePaperColor, // "Solid" clicked again: choose PaperColor
    SelectPaper,      // report command 1902: the page applies SelectedName()
};

class PaperStripModel {
  public:
    // The entries ("None", "Solid", the textures). The selected entry is the
    // one named `current` (letter case ignored), if any; the first page shows.
    void SetNames(std::vector<std::string> names, const std::string& current);

    // Selects the entry named `name` (letter case ignored), none when there
    // is no such entry; the page stays.
    void SelectName(const std::string& name);

    const std::vector<std::string>& Names() const { return names_; }
    int PageCount() const;
    int Page() const { return page_; }
    int HotIndex() const { return hot_; }
    int SelectedIndex() const { return selected_; }
    std::string SelectedName() const;
    int Sliding() const { return sliding_; }
    int SlideProgress() const { return progress_; }

    bool PreviousEnabled() const { return page_ > 0; }
    bool NextEnabled() const { return page_ < PageCount() - 1; }

    // An arrow click (-1 previous, 1 next) while idle and with a page that
    // way starts a slide. True when it did (the window starts its timer).
    bool StartSlide(int direction);

    // A timer tick: true when the slide has ended (the window stops the
    // timer, the new page shows and the arrows are enabled anew).
    bool Tick();

    // How far the cells are drawn shifted during a slide, in pixels.
    int SlideOffset() const;

    // The cell (0..3) of the thumbnail area under a point, or -1.
    static int CellAt(int x, int y);

    // The entry under a point on the current page, or -1.
    int EntryAt(int x, int y) const;

    // Pointer moves: the hot entry follows (-1 outside the area). True when
    // the pointer is over the area (the window holds the capture then).
    bool MoveTo(int x, int y);
    void Leave() { hot_ = -1; }

    // Left button down and up.
    StripRequest Press(int x, int y);
    void Release(int x, int y);

    // Removes an entry whose thumbnail could not be made.
    void RemoveEntry(int index);

  private:
    std::vector<std::string> names_;
    int page_ = 0;
    int hot_ = -1;
    int selected_ = -1;
    int sliding_ = 0;
    int progress_ = 0;
};

} // namespace vel::ui
