// The paper strip's pages, slides and clicks, and its thumbnail cache.

#include "ui/pages/PaperStrip.h"
#include "ui/pages/PaperThumbnails.h"

#include "platform/Folders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vel::ui {
namespace {

std::vector<std::string> Papers(int textures)
{
    std::vector<std::string> names = {"None", "Solid"};
    for (int i = 0; i < textures; ++i)
        names.push_back("Paper" + std::to_string(i) + ".png");
    return names;
}

// The middle of cell `cell` (0..3).
int CellX(int cell)
{
    return StripArrowWidth + cell * StripCellWidth + StripCellWidth / 2;
}

void Slide(PaperStripModel& strip, int direction)
{
    ASSERT_TRUE(strip.StartSlide(direction));
    int ticks = 0;
    while (!strip.Tick())
        ++ticks;
    EXPECT_EQ(ticks, 9) << "ten ticks of 10 percent";
}

TEST(PaperStrip, PagesOfFourWithArrowsEnabledByPage)
{
    PaperStripModel strip;
    strip.SetNames(Papers(7), "Paper3.png");
    EXPECT_EQ(strip.PageCount(), 3);
    EXPECT_EQ(strip.SelectedIndex(), 5);
    EXPECT_FALSE(strip.PreviousEnabled());
    EXPECT_TRUE(strip.NextEnabled());
    EXPECT_FALSE(strip.StartSlide(-1)) << "no page before the first";

    ASSERT_TRUE(strip.StartSlide(1));
    EXPECT_FALSE(strip.StartSlide(1)) << "clicks during a slide are ignored";
    strip.Tick();
    strip.Tick();
    EXPECT_EQ(strip.SlideOffset(), -StripCellsPerPage * StripCellWidth / 5);
    EXPECT_EQ(strip.Press(CellX(0), 30), StripRequest::Nothing) << "no clicks while sliding";
    while (!strip.Tick()) {
    }
    EXPECT_EQ(strip.Page(), 1);
    EXPECT_EQ(strip.SlideOffset(), 0);
    Slide(strip, 1);
    EXPECT_EQ(strip.Page(), 2);
    EXPECT_TRUE(strip.PreviousEnabled());
    EXPECT_FALSE(strip.NextEnabled());
    EXPECT_EQ(strip.EntryAt(CellX(0), 30), 8);
    EXPECT_EQ(strip.EntryAt(CellX(1), 30), -1) << "the last page holds one entry";
    Slide(strip, -1);
    EXPECT_EQ(strip.Page(), 1);
}

TEST(PaperStrip, PointerAndClicks)
{
    PaperStripModel strip;
    strip.SetNames(Papers(3), "Paper0.png");
    EXPECT_TRUE(strip.MoveTo(CellX(3), 10));
    EXPECT_EQ(strip.HotIndex(), 3);
    EXPECT_FALSE(strip.MoveTo(10, 10)) << "over the arrow";
    EXPECT_EQ(strip.HotIndex(), -1);
    EXPECT_FALSE(strip.MoveTo(CellX(1), StripHeight));
    EXPECT_EQ(PaperStripModel::CellAt(StripWidth - StripArrowWidth, 5), -1);

    // "Solid": the first click selects it, the second chooses its colour.
    EXPECT_EQ(strip.Press(CellX(1), 30), StripRequest::SelectPaper);
    EXPECT_EQ(strip.SelectedName(), "Solid");
    strip.Release(CellX(1), 30);
    EXPECT_EQ(strip.Press(CellX(1), 30), StripRequest::ChoosePaperColor);
    EXPECT_EQ(strip.Press(CellX(2), 30), StripRequest::SelectPaper);
    EXPECT_EQ(strip.SelectedName(), "Paper0.png");
    EXPECT_EQ(strip.Press(CellX(2), 30), StripRequest::SelectPaper) << "a texture has no second click";

    strip.RemoveEntry(0);
    EXPECT_EQ(strip.SelectedName(), "Paper0.png");
}

struct ThumbFixture : ::testing::Test {
    ThumbFixture()
    {
        folder.MakeFolder("Papers");
        folder.MakeFolder("Thumbs");
        papers = folder.Path() + "Papers" + PathSeparator;
        thumbs = folder.Path() + "Thumbs" + PathSeparator;
    }
    // A texture of two halves: red left, blue right.
    void WriteTexture(const std::string& name, int width, int height)
    {
        std::vector<uint8_t> rgb(size_t(width) * height * 3);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint8_t* p = rgb.data() + 3 * (size_t(y) * width + x);
                p[0] = x < width / 2 ? 200 : 0;
                p[2] = x < width / 2 ? 0 : 200;
            }
        test::WriteBmp(papers + name, width, height, rgb);
    }
    test::TempFolder folder;
    std::string papers;
    std::string thumbs;
};

TEST_F(ThumbFixture, ThumbnailsAreCachedAndRebuiltWhenOfTheWrongSize)
{
    WriteTexture("Laid.bmp", 300, 200);
    std::vector<std::string> names = {"None", "Solid", "Laid.bmp"};
    std::vector<std::pair<int, int>> steps;
    const auto thumbsMade =
        BuildPaperThumbnails(papers, thumbs, names, [&](int i, int count) { steps.emplace_back(i, count); });
    ASSERT_EQ(thumbsMade.size(), 3u);
    EXPECT_EQ(thumbsMade[0].Kind, CellKind::NoPaper);
    EXPECT_EQ(thumbsMade[1].Kind, CellKind::Solid);
    EXPECT_EQ(steps.back(), std::make_pair(0, 3));
    const std::vector<uint8_t>& laid = thumbsMade[2].Rgb;
    ASSERT_EQ(laid.size(), size_t(ThumbnailSize * ThumbnailSize * 3));
    EXPECT_EQ(laid[0], 200) << "left half red";
    EXPECT_EQ(laid[3 * 60 + 2], 200) << "right half blue";

    int w = 0, h = 0;
    std::vector<uint8_t> cached;
    ASSERT_TRUE(ReadBmp24(ThumbnailPath(thumbs, "Laid.bmp"), w, h, cached));
    EXPECT_EQ(w, ThumbnailSize);
    EXPECT_EQ(h, ThumbnailSize);
    EXPECT_EQ(cached, laid);

    // A cache file is used as it is; one of another size is made again.
    std::vector<uint8_t> green(size_t(ThumbnailSize) * ThumbnailSize * 3, 0);
    for (size_t i = 1; i < green.size(); i += 3)
        green[i] = 99;
    ASSERT_TRUE(WriteBmp24(ThumbnailPath(thumbs, "Laid.bmp"), ThumbnailSize, ThumbnailSize, green));
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(TextureThumbnail(papers, thumbs, "Laid.bmp", rgb));
    EXPECT_EQ(rgb, green);
    ASSERT_TRUE(WriteBmp24(ThumbnailPath(thumbs, "Laid.bmp"), 60, 61, green));
    ASSERT_TRUE(TextureThumbnail(papers, thumbs, "Laid.bmp", rgb));
    EXPECT_EQ(rgb, laid);
    ASSERT_TRUE(ReadBmp24(ThumbnailPath(thumbs, "Laid.bmp"), w, h, cached));
    EXPECT_EQ(w, ThumbnailSize);
}

TEST_F(ThumbFixture, SmallTexturesRepeatAndBrokenOnesAreLeftOut)
{
    WriteTexture("Tiny.bmp", 10, 7);
    folder.WriteFile("Papers" + std::string(1, PathSeparator) + "Broken.png", "not a picture");
    std::vector<std::string> names = {"None", "Broken.png", "Solid", "Tiny.bmp"};
    test::AlertRecorder alerts;
    const auto made = BuildPaperThumbnails(papers, thumbs, names);
    EXPECT_EQ(names, (std::vector<std::string>{"None", "Solid", "Tiny.bmp"}));
    ASSERT_EQ(made.size(), 3u);
    EXPECT_FALSE(alerts.Shown().empty());
    EXPECT_FALSE(FileExists(ThumbnailPath(thumbs, "Broken.png")));
    const std::vector<uint8_t>& tiny = made[2].Rgb;
    // A centred 61-pixel region of a 10-pixel texture (from x = -25): its
    // halves repeat, blue at 0, red at 5, blue again at 10.
    EXPECT_EQ(tiny[2], 200);
    EXPECT_EQ(tiny[3 * 5], 200);
    EXPECT_EQ(tiny[3 * 10 + 2], 200);
    EXPECT_EQ(tiny[3 * 60 + 2], 200);
}

TEST(PaperThumbnails, AlphaDarkensTheColour)
{
    Plane<uint8_t> rgba;
    ASSERT_TRUE(rgba.Allocate(61, 61, 4));
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 61; ++x) {
            uint8_t* p = rgba.Row(y) + 4 * x;
            p[0] = 255;
            p[1] = 100;
            p[2] = 0;
            p[3] = 128;
        }
    const std::vector<uint8_t> rgb = SampleThumbnail(rgba);
    EXPECT_EQ(rgb[0], 128);
    EXPECT_EQ(rgb[1], 50);
    EXPECT_EQ(rgb[2], 0);
}

} // namespace
} // namespace vel::ui
