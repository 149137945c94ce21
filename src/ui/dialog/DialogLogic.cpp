#include "ui/dialog/DialogLogic.h"

#include <algorithm>
#include <cstdint>

namespace vel::ui {

DpiClass ClassOfDpi(int dpi)
{
    if (dpi >= 144)
        return DpiClass::Huge;
    if (dpi >= 120)
        return DpiClass::Large;
    return DpiClass::Standard;
}

Size MinimumTrackSize(int dpi)
{
    switch (ClassOfDpi(dpi)) {
    case DpiClass::Huge:
        return {1190, 883};
    case DpiClass::Large:
        return {1060, 734};
    case DpiClass::Standard:
        break;
    }
    return {990, 690};
}

int FrameLeftForDpi(int templateLeft, int dpi)
{
    if (dpi == 96)
        return templateLeft;
    return templateLeft - (dpi == 120 ? 70 : 15);
}

int BarTopForDpi(int referenceTop, int dpi)
{
    const int extra = dpi > 120 ? 20 : dpi == 120 ? 10 : 0;
    return referenceTop + 8 + extra;
}

DialogLayout LayOutDialog(int width, int height, int pageWidth, int frameLeft, int frameTop, int barTop,
                          int dpi, int captionHeight, const Box& presetsPanel)
{
    DialogLayout l;
    l.BannerTileWidth = std::max(width - 571, 0);
    l.BannerRight = {width - 96, 0, 96, 46};
    l.Manual = {width - 67, 17, 34, 16};

    l.PreviewFrame = {frameTop, frameLeft, height - 104, width - pageWidth - 13};
    l.PreviewWidth = (l.PreviewFrame.Width() + 3) & ~3;

    // The tabs start level with the preview frame (50 at 96 dpi).
    l.Tabs = {width - pageWidth - 5, frameTop, pageWidth, height - frameTop - 9};
    l.Pages = {l.PreviewFrame.Right + 9, frameTop + 24, pageWidth - 1, height - 65 - captionHeight};
    l.PresetsPanel = {presetsPanel.X, presetsPanel.Y, presetsPanel.Width,
                      std::max(height - presetsPanel.Y - 8, 0)};

    // The bottom row grows with the fonts, which follow the dpi.
    const auto s = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    const int centre = (l.PreviewFrame.Left + l.PreviewFrame.Right) / 2;
    const int y = height - s(37);
    l.Ok = {centre + s(91), y, s(89), s(22)};
    l.Cancel = {centre - s(180), y, s(89), s(22)};
    l.ZoomIn = {centre + s(28), y, s(29), s(22)};
    l.ZoomOut = {centre - s(57), y, s(29), s(22)};
    Size label{38, 16};
    if (ClassOfDpi(dpi) == DpiClass::Standard)
        label = {30, 12};
    else if (ClassOfDpi(dpi) == DpiClass::Large)
        label = {34, 14};
    label = {std::max(label.Width, s(36)), std::max(label.Height, s(14))};
    l.ZoomLabel = {centre - label.Width / 2, height - s(21) - label.Height, label.Width, label.Height};
    l.Progress = {l.PreviewFrame.Left + 24, height - s(57), l.PreviewFrame.Width() - 48, s(10)};

    l.TopStrip = {l.PreviewFrame.Top, l.PreviewFrame.Left, l.PreviewFrame.Top + StripHeight,
                  l.PreviewFrame.Right};
    l.BottomStrip = {l.PreviewFrame.Bottom - StripHeight, l.PreviewFrame.Left, l.PreviewFrame.Bottom,
                     l.PreviewFrame.Right};
    l.ResetAll = {l.PreviewFrame.Right - s(80), barTop, s(60), s(16)};
    // The switch and its label stay inside the strip at every dpi.
    const int switchHeight = std::min(s(20), StripHeight - 6);
    const int switchTop = l.BottomStrip.Top + std::min(6, (StripHeight - switchHeight) / 2);
    l.CompositeCheck = {l.BottomStrip.Left + 20, switchTop, switchHeight, switchHeight};
    l.CompositeLabel = {l.BottomStrip.Left + 20 + switchHeight + 2, switchTop, s(200), switchHeight};
    l.Preview = {l.PreviewFrame.Left, l.PreviewFrame.Top + StripHeight, l.PreviewWidth,
                 std::max(l.PreviewFrame.Height() - 2 * StripHeight, 0)};
    return l;
}

int ScaleForDpi(int pixels, int dpi)
{
    return int((int64_t(pixels) * dpi + 48) / 96);
}

std::vector<BarItem> LayOutLayersBar(int tab, bool twoLayers, int dpi)
{
    std::vector<BarItem> items = LayOutLayersBar96(tab, twoLayers);
    for (BarItem& item : items)
        // Edges scale, so that touching items still touch.
        item = {item.Id, ScaleForDpi(item.X, dpi), ScaleForDpi(item.Y, dpi),
                ScaleForDpi(item.X + item.Width, dpi) - ScaleForDpi(item.X, dpi),
                ScaleForDpi(item.Height, dpi)};
    return items;
}

std::vector<BarItem> LayOutLayersBar96(int tab, bool twoLayers)
{
    std::vector<BarItem> items{{IdComposite, 0, 0, 66, 16}, {0, 66, 0, 8, 16}};
    if (tab == EffectsTab) {
        items.push_back({IdOriginal, 74, 0, 75, 16});
        return items;
    }
    items.push_back({IdLayerOne, 74, 0, 62, 16});
    if (twoLayers) {
        items.push_back({IdDeleteOne, 137, 2, 13, 13});
        items.push_back({0, 156, 0, 7, 16});
        items.push_back({IdLayerTwo, 163, 0, 62, 16});
        items.push_back({IdDeleteTwo, 228, 2, 13, 13});
        items.push_back({0, 247, 0, 7, 16});
        items.push_back({IdOriginal, 254, 0, 75, 16});
    } else {
        items.push_back({0, 136, 0, 7, 16});
        items.push_back({IdAddLayer, 143, 0, 61, 16});
        items.push_back({0, 204, 0, 7, 16});
        items.push_back({IdOriginal, 211, 0, 75, 16});
    }
    return items;
}

ViewMode ViewForTab(const ViewSlots& slots, int tab)
{
    return tab == EffectsTab ? slots.Effects : slots.Engrave;
}

ViewMode EffectiveView(ViewMode view, bool alwaysComposite, bool layerTwoExist)
{
    if (alwaysComposite && (view == ViewMode::LayerOne || view == ViewMode::LayerTwo))
        return ViewMode::Composite;
    if (!layerTwoExist && view == ViewMode::LayerOne)
        return ViewMode::Composite;
    return view;
}

bool TabSwitchNeedsRender(const ViewSlots& slots, int fromTab, int toTab, bool alwaysComposite,
                          bool layerTwoExist)
{
    return EffectiveView(ViewForTab(slots, fromTab), alwaysComposite, layerTwoExist) !=
           EffectiveView(ViewForTab(slots, toTab), alwaysComposite, layerTwoExist);
}

bool ApplyLayersBarCommand(int id, int tab, ViewSlots& slots, int32_t& layerTwoExist)
{
    ViewMode& slot = tab == EffectsTab ? slots.Effects : slots.Engrave;
    switch (id) {
    case IdComposite:
        slot = ViewMode::Composite;
        return true;
    case IdLayerOne:
        slot = ViewMode::LayerOne;
        return true;
    case IdLayerTwo:
        slot = ViewMode::LayerTwo;
        return true;
    case IdAddLayer:
        layerTwoExist = 1;
        slot = ViewMode::LayerTwo;
        return true;
    case IdDeleteOne:
    case IdDeleteTwo:
        layerTwoExist = 0;
        slot = ViewMode::LayerOne;
        return true;
    case IdOriginal:
        slot = ViewMode::Original;
        return true;
    default:
        return false;
    }
}

} // namespace vel::ui
