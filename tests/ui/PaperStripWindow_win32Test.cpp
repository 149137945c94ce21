// The paper strip window driven by window messages: pages slid with the
// arrows on their timer, clicks reported to the parent, the "Solid" cell in
// the paper colour.

#include "ui/pages/PaperStripWindow.h"

#include "ControlHarness.h"
#include "support/TestSupport.h"

#include "ui/pages/PaperStrip.h"

namespace vel::ui::test {
namespace {

class PaperStripWindow : public ControlHarness {
  protected:
    // "None", "Solid" and seven small textures: three pages.
    HWND MakeStrip(COLORREF paperColor, const std::string& current = "None")
    {
        folder.MakeFolder("Thumb");
        PaperStripSources sources;
        sources.PapersFolder = folder.Path();
        sources.ThumbsFolder = folder.Path() + "Thumb\\";
        sources.Names = {"None", "Solid"};
        for (int i = 0; i < 7; ++i) {
            const std::string name = "Tex" + std::to_string(i) + ".bmp";
            vel::test::WriteBmp(folder.Path() + name, 8 + i, 9,
                                std::vector<uint8_t>(size_t(8 + i) * 9 * 3, uint8_t(30 * i)));
            sources.Names.push_back(name);
        }
        sources.Current = current;
        HWND strip = Create(TFilmstripControl::ClassName, PaperStripId, 10, 10, StripWidth, StripHeight);
        BindPaperStrip(strip, std::move(sources), paperColor);
        Pump(20);
        return strip;
    }

    static bool Enabled(HWND strip, int id) { return IsWindowEnabled(GetDlgItem(strip, id)) != 0; }

    // Clicks an arrow and lets its slide run to the end (the arrows change
    // when it ends); a click on the cells comes while it slides.
    static void SlideBy(HWND strip, int arrow, bool clickCellMeanwhile = false)
    {
        const bool before[2] = {Enabled(strip, StripPreviousId), Enabled(strip, StripNextId)};
        Click(GetDlgItem(strip, arrow), 10, 30);
        Pump(0);
        if (clickCellMeanwhile)
            Click(strip, CellX(0), 30);
        for (int waited = 0; waited < 3000; waited += 30) {
            if (Enabled(strip, StripPreviousId) != before[0] || Enabled(strip, StripNextId) != before[1])
                return;
            Pump(30);
        }
    }

    // The x of a thumbnail cell's middle.
    static int CellX(int cell) { return StripArrowWidth + cell * StripCellWidth + StripCellWidth / 2; }

    vel::test::TempFolder folder;
};

TEST_F(PaperStripWindow, ArrowsSlideThroughThreePagesOnTheTimer)
{
    HWND strip = MakeStrip(RGB(255, 255, 255));
    ASSERT_NE(GetDlgItem(strip, StripNextId), nullptr);
    ASSERT_NE(GetDlgItem(strip, StripPreviousId), nullptr);
    struct Step {
        bool Previous, Next;
    };
    std::vector<Step> seen{{Enabled(strip, StripPreviousId), Enabled(strip, StripNextId)}};
    for (int page = 1; page <= 2; ++page) {
        // A click while the cells slide picks nothing.
        SlideBy(strip, StripNextId, true);
        seen.push_back({Enabled(strip, StripPreviousId), Enabled(strip, StripNextId)});
    }
    EXPECT_TRUE(Commands(PaperStripId).empty()) << "clicked during slides";
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_FALSE(seen[0].Previous);
    EXPECT_TRUE(seen[0].Next);
    EXPECT_TRUE(seen[1].Previous);
    EXPECT_TRUE(seen[1].Next);
    EXPECT_TRUE(seen[2].Previous);
    EXPECT_FALSE(seen[2].Next) << "the last page";

    // The last page holds the ninth entry alone.
    Click(strip, CellX(0), 30);
    Click(strip, CellX(1), 30);
    Pump(20);
    ASSERT_EQ(Commands(PaperStripId).size(), 1u);
    EXPECT_EQ(SelectedPaperName(strip), "Tex6.bmp");

    SlideBy(strip, StripPreviousId);
    EXPECT_TRUE(Enabled(strip, StripNextId));
}

TEST_F(PaperStripWindow, SolidIsPickedThenAsksForItsColour)
{
    const COLORREF paper = RGB(20, 190, 60);
    HWND strip = MakeStrip(paper);
    // The paper colour fills the cell inside its frame, above the caption.
    EXPECT_GT(CountPixels(strip, paper), 55 * 45);

    Click(strip, CellX(1), 30);
    Click(strip, CellX(1), 30);
    Click(strip, CellX(2), 30);
    Pump(20);
    const std::vector<Notice> reports = Commands(PaperStripId);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].Code, 0);
    EXPECT_EQ(reports[1].Code, StripChooseColorCode);
    EXPECT_EQ(reports[2].Code, 0);
    EXPECT_EQ(SelectedPaperName(strip), "Tex0.bmp");

    // A new colour and the page's own choice of paper.
    const COLORREF chosen = RGB(200, 30, 120);
    RedrawPaperStrip(strip, chosen, "solid");
    EXPECT_EQ(SelectedPaperName(strip), "Solid");
    EXPECT_EQ(CountPixels(strip, paper), 0);
    EXPECT_GT(CountPixels(strip, chosen), 55 * 45);
}

} // namespace
} // namespace vel::ui::test
