#pragma once
// The main dialog's rules without a window: the layout for a client size,
// the minimum size of each dpi class, the layers bar's layout for a tab, the
// views the tabs keep and when a change of tab or view needs a render, the
// layers bar's commands, and the coalescing of refresh requests.

#include "engine/RenderState.h"
#include "ui/preview/PreviewMath.h"

#include <vector>

namespace vel::ui {

// Command and control ids of the main dialog.
enum DialogId : int {
    IdOk = 1,
    IdCancel = 2,
    IdComposite = 500,
    IdLayerOne = 502,
    IdLayerTwo = 503,
    IdAddLayer = 504,
    IdDeleteOne = 505,
    IdDeleteTwo = 506,
    IdOriginal = 508,
    IdResetAll = 524,
    IdTabs = 999,
    IdZoomIn = 1000,
    IdZoomOut = 1001,
    IdPreview = 1002,
    IdZoomLabel = 1003,
    IdProgress = 1004,
    IdNavigator = 1005,
    IdRefreshButton = 1009,
    IdReference = 1010,
    IdCompositeCheck = 1020,
    IdBannerRight = 1128,
    IdAbout = 1154,
    IdManual = 1155,
    IdProductPage = 1156,
    IdBannerLeft = 1163,
    IdZoomFit = 9001,
    IdZoomActual = 9002,
    IdCompositeLabel = 9111,
    IdRefresh = 7777,
    IdReloadPages = 9777,
};
// The notification a pane sends after a left drag.
inline constexpr int DragEndCode = 9;

enum class DpiClass { Standard, Large, Huge }; // 96, 120..143, 144 and above
DpiClass ClassOfDpi(int dpi);

struct Size {
    int Width = 0, Height = 0;
    bool operator==(const Size&) const = default;
};
// The smallest the dialog may be dragged to.
Size MinimumTrackSize(int dpi);

struct Box {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool operator==(const Box&) const = default;
};

// Where everything goes for a client area of width × height.
struct DialogLayout {
    int BannerTileWidth = 0; // between the two banner pictures
    Box BannerRight, Manual;
    IntRect PreviewFrame; // the pane and the strips above and below it
    int PreviewWidth = 0; // a multiple of 4
    Box Tabs, Pages;
    Box Ok, Cancel, ZoomIn, ZoomOut, ZoomLabel, Progress;
    IntRect TopStrip, BottomStrip;
    Box ResetAll, CompositeCheck, CompositeLabel;
    Box PresetsPanel;
    Box Preview;
};
inline constexpr int StripHeight = 33;
// `frameLeft`/`frameTop` are where the preview frame starts (from the
// template, moved at init); `barTop` is the layers bar's top;
// `captionHeight` is the height of a small window caption.
DialogLayout LayOutDialog(int width, int height, int pageWidth, int frameLeft, int frameTop, int barTop,
                          int dpi, int captionHeight, const Box& presetsPanel);

// The preview frame's left edge at init: moved left at dpi other than 96.
int FrameLeftForDpi(int templateLeft, int dpi);
// The layers bar's top below the reference box's top.
int BarTopForDpi(int referenceTop, int dpi);

// One item of the layers bar, relative to the bar's origin.
struct BarItem {
    int Id = 0; // a button id, or 0 for a separator
    int X = 0, Y = 0, Width = 0, Height = 0;
};
// The visible items for a tab (2 is "Effects") with one or two layers, at
// 96 dpi and grown for the screen's dpi; the buttons not listed are hidden.
std::vector<BarItem> LayOutLayersBar96(int tab, bool twoLayers);
std::vector<BarItem> LayOutLayersBar(int tab, bool twoLayers, int dpi);
// A length in 96-dpi pixels at `dpi`, rounded.
int ScaleForDpi(int pixels, int dpi);

// The views of the two tab groups.
struct ViewSlots {
    ViewMode Engrave = ViewMode::Composite; // "Engrave" and "Randomize"
    ViewMode Effects = ViewMode::Composite; // "Effects"
};
inline constexpr int EffectsTab = 2;
ViewMode ViewForTab(const ViewSlots& slots, int tab);
// Layer views count as composite when the switch is on, and layer one alone
// is the composite of one layer.
ViewMode EffectiveView(ViewMode view, bool alwaysComposite, bool layerTwoExist);
bool TabSwitchNeedsRender(const ViewSlots& slots, int fromTab, int toTab, bool alwaysComposite,
                          bool layerTwoExist);

// Applies a layers-bar command (500, 502..506, 508) to the tab's view slot
// and layer two's existence. False for any other id.
bool ApplyLayersBarCommand(int id, int tab, ViewSlots& slots, int32_t& layerTwoExist);

// A burst of refresh requests posts one refresh: Request says whether a
// post is needed, Take marks the posted one handled.
class RefreshCoalescer {
  public:
    bool Request()
    {
        if (pending_)
            return false;
        pending_ = true;
        return true;
    }
    void Take() { pending_ = false; }
    bool Pending() const { return pending_; }

  private:
    bool pending_ = false;
};

} // namespace vel::ui
