// The main dialog's rules without a window.

#include "ui/dialog/DialogLogic.h"

#include <gtest/gtest.h>

namespace vel::ui {
namespace {

TEST(DialogLayout, MinimumSizePerDpiClass)
{
    const struct {
        int Dpi;
        Size Minimum;
    } cases[] = {{96, {990, 690}},   {119, {990, 690}},  {120, {1060, 734}},
                 {143, {1060, 734}}, {144, {1190, 883}}, {192, {1190, 883}}};
    for (const auto& c : cases)
        EXPECT_EQ(MinimumTrackSize(c.Dpi), c.Minimum) << c.Dpi;
    EXPECT_EQ(FrameLeftForDpi(200, 96), 200);
    EXPECT_EQ(FrameLeftForDpi(200, 120), 130);
    EXPECT_EQ(FrameLeftForDpi(200, 144), 185);
    EXPECT_EQ(BarTopForDpi(50, 96), 58);
    EXPECT_EQ(BarTopForDpi(50, 120), 68);
    EXPECT_EQ(BarTopForDpi(50, 144), 78);
}

TEST(DialogLayout, EverythingFollowsTheClientSize)
{
    const DialogLayout l = LayOutDialog(1200, 800, 300, 210, 50, 58, 96, 16, {8, 200, 190, 0});
    EXPECT_EQ(l.BannerTileWidth, 629);
    EXPECT_EQ(l.BannerRight, (Box{1104, 0, 96, 46}));
    EXPECT_EQ(l.PreviewFrame, (IntRect{50, 210, 696, 887}));
    EXPECT_EQ(l.PreviewWidth, 680); // 677 rounded up to a multiple of 4
    EXPECT_EQ(l.Tabs, (Box{895, 50, 300, 741}));
    EXPECT_EQ(l.Pages.X, 896);
    EXPECT_EQ(l.Pages.Width, 299);
    const int centre = (210 + 887) / 2;
    EXPECT_EQ(l.Ok, (Box{centre + 91, 763, 89, 22}));
    EXPECT_EQ(l.Cancel, (Box{centre - 180, 763, 89, 22}));
    EXPECT_EQ(l.ZoomIn, (Box{centre + 28, 763, 29, 22}));
    EXPECT_EQ(l.ZoomOut, (Box{centre - 57, 763, 29, 22}));
    EXPECT_EQ(l.ZoomLabel, (Box{centre - 18, 765, 36, 14}));
    EXPECT_EQ(l.Progress, (Box{234, 743, 629, 10}));
    EXPECT_EQ(l.TopStrip, (IntRect{50, 210, 83, 887}));
    EXPECT_EQ(l.BottomStrip, (IntRect{663, 210, 696, 887}));
    EXPECT_EQ(l.Preview, (Box{210, 83, 680, 580}));
    EXPECT_EQ(l.ResetAll, (Box{807, 58, 60, 16}));
    EXPECT_EQ(l.CompositeCheck, (Box{230, 669, 20, 20}));
    EXPECT_EQ(l.PresetsPanel.Height, 592);

    // Nothing of the bottom row overlaps at the minimum size of any class.
    for (int dpi : {96, 120, 144}) {
        const Size min = MinimumTrackSize(dpi);
        const DialogLayout m = LayOutDialog(min.Width - 16, min.Height - 39, 300, 210, 50, 58, dpi, 16, {});
        EXPECT_LT(m.Cancel.X + m.Cancel.Width, m.ZoomOut.X);
        EXPECT_LT(m.ZoomOut.X + m.ZoomOut.Width, m.ZoomLabel.X);
        EXPECT_LT(m.ZoomLabel.X + m.ZoomLabel.Width, m.ZoomIn.X);
        EXPECT_LT(m.ZoomIn.X + m.ZoomIn.Width, m.Ok.X);
        EXPECT_GT(m.Preview.Height, 0);
    }
}

TEST(LayersBar, ItemsPerTabAndLayerCount)
{
    const auto ids = [](const std::vector<BarItem>& items) {
        std::vector<int> out;
        for (const BarItem& item : items)
            out.push_back(item.Id);
        return out;
    };
    EXPECT_EQ(ids(LayOutLayersBar96(EffectsTab, true)), (std::vector<int>{IdComposite, 0, IdOriginal}));
    EXPECT_EQ(ids(LayOutLayersBar96(0, false)),
              (std::vector<int>{IdComposite, 0, IdLayerOne, 0, IdAddLayer, 0, IdOriginal}));
    const std::vector<BarItem> two = LayOutLayersBar(1, true, 144);
    EXPECT_EQ(ids(two), (std::vector<int>{IdComposite, 0, IdLayerOne, IdDeleteOne, 0, IdLayerTwo, IdDeleteTwo,
                                          0, IdOriginal}));
    EXPECT_EQ(two[2].X, 111); // 74 at 96 dpi
    EXPECT_EQ(two[2].Height, 24);
    // No two items overlap, left to right.
    for (size_t i = 1; i < two.size(); ++i)
        EXPECT_LE(two[i - 1].X + two[i - 1].Width, two[i].X) << i;
}

TEST(Views, BarCommandsSetTheTabsSlotAndLayerTwo)
{
    ViewSlots slots;
    int32_t two = 0;
    EXPECT_TRUE(ApplyLayersBarCommand(IdAddLayer, 0, slots, two));
    EXPECT_EQ(two, 1);
    EXPECT_EQ(slots.Engrave, ViewMode::LayerTwo);
    EXPECT_EQ(slots.Effects, ViewMode::Composite);
    EXPECT_TRUE(ApplyLayersBarCommand(IdDeleteOne, 0, slots, two));
    EXPECT_EQ(two, 0);
    EXPECT_EQ(slots.Engrave, ViewMode::LayerOne);
    EXPECT_TRUE(ApplyLayersBarCommand(IdOriginal, EffectsTab, slots, two));
    EXPECT_EQ(slots.Effects, ViewMode::Original);
    EXPECT_EQ(ViewForTab(slots, EffectsTab), ViewMode::Original);
    EXPECT_EQ(ViewForTab(slots, 1), ViewMode::LayerOne);
    EXPECT_FALSE(ApplyLayersBarCommand(IdOk, 0, slots, two));
}

TEST(Views, TabSwitchRendersOnlyWhenTheShownViewChanges)
{
    const struct {
        ViewMode Engrave, Effects;
        bool AlwaysComposite, TwoLayers;
        bool Renders;
    } cases[] = {
        {ViewMode::LayerOne, ViewMode::Composite, false, true, true},   // layer one alone → composite
        {ViewMode::LayerOne, ViewMode::Composite, true, true, false},   // the switch shows both anyway
        {ViewMode::LayerOne, ViewMode::Composite, false, false, false}, // one layer: the same picture
        {ViewMode::LayerTwo, ViewMode::Composite, true, true, false},
        {ViewMode::Composite, ViewMode::Original, true, true, true},
        {ViewMode::Composite, ViewMode::Composite, false, true, false},
    };
    for (const auto& c : cases) {
        const ViewSlots slots{c.Engrave, c.Effects};
        EXPECT_EQ(TabSwitchNeedsRender(slots, 0, EffectsTab, c.AlwaysComposite, c.TwoLayers), c.Renders);
        EXPECT_EQ(TabSwitchNeedsRender(slots, 0, 1, c.AlwaysComposite, c.TwoLayers), false);
    }
}

TEST(Refresh, ABurstOfRequestsPostsOnce)
{
    RefreshCoalescer refresh;
    EXPECT_TRUE(refresh.Request());
    EXPECT_FALSE(refresh.Request());
    EXPECT_FALSE(refresh.Request());
    refresh.Take();
    EXPECT_FALSE(refresh.Pending());
    EXPECT_TRUE(refresh.Request()); // an edit after the render posts again
}

} // namespace
} // namespace vel::ui
