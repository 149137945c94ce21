#include "color/InkState.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vel {
namespace {

TEST(ReloadInkState, TakesTheCountFromTheSchemaAndReappliesThePaper)
{
    ParameterBlock block{};
    ResetToDefaults(block);

    struct Case {
        uint8_t Schema;
        int32_t NInks;
        uint8_t InkCount;
    };
    const Case cases[] = {{0, 2, 1}, {1, 3, 3}, {1, 260, 4}, {2, 1, 4}, {3, 1, 3}, {4, 4, 1}};
    for (const Case& c : cases) {
        block.ColorSchema = c.Schema;
        block.NInks = c.NInks;
        InkState inks{};
        inks.PaletteValid = true;
        inks.NeedNewHistogram = false;
        const ParameterChanges changes = ReloadInkState(block, inks);
        EXPECT_EQ(inks.InkCount, c.InkCount) << int(c.Schema);
        EXPECT_FALSE(inks.PaletteValid);
        EXPECT_TRUE(inks.NeedNewHistogram);
        EXPECT_TRUE(changes.PaperNameChanged) << "the texture is always reloaded";
    }

    std::strcpy(block.PaperName, "Canvas.jpg   ");
    InkState inks{};
    ReloadInkState(block, inks);
    EXPECT_STREQ(block.PaperName, "Canvas.jpg");

    std::strcpy(block.PaperName, "   ");
    EXPECT_FALSE(ReloadInkState(block, inks).PaperNameChanged) << "an empty name drops nothing";
    EXPECT_STREQ(block.PaperName, "");
}

} // namespace
} // namespace vel
