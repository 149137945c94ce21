#include "params/SettingsFile.h"
#include "params/TextFile.h"

#include "platform/Folders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace vel {
namespace {

struct Geometry {
    int32_t Left, Top, Width, Height, CharLeft, CharTop, CharHeight, CharWidth;
    bool operator==(const Geometry&) const = default;
};

Geometry GeometryOf(const ParameterBlock& b)
{
    return {b.WindowLeft,     b.WindowTop,     b.WindowWidth,      b.WindowHeight,
            b.CharWindowLeft, b.CharWindowTop, b.CharWindowHeight, b.CharWindowWidth};
}

void SetGeometry(ParameterBlock& b, const Geometry& g)
{
    b.WindowLeft = g.Left;
    b.WindowTop = g.Top;
    b.WindowWidth = g.Width;
    b.WindowHeight = g.Height;
    b.CharWindowLeft = g.CharLeft;
    b.CharWindowTop = g.CharTop;
    b.CharWindowHeight = g.CharHeight;
    b.CharWindowWidth = g.CharWidth;
}

std::ostream& operator<<(std::ostream& out, const Geometry& g)
{
    return out << g.Left << ' ' << g.Top << ' ' << g.Width << ' ' << g.Height << ' ' << g.CharLeft << ' '
               << g.CharTop << ' ' << g.CharHeight << ' ' << g.CharWidth;
}

class SettingsFileTest : public testing::Test {
protected:
    SettingsFileTest() { ResetWindowGeometry(block); }

    std::string FileText() const
    {
        std::ifstream in(folder.Path() + SettingsFileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    test::TempFolder folder;
    ParameterBlock block{};
};

TEST_F(SettingsFileTest, WritesTheNineLines)
{
    SetGeometry(block, {-5, 20, 1000, 700, 30, 40, 401, 451});
    WriteSettings(folder.Path(), block);
    EXPECT_EQ(FileText(), ";Parameters for Kestrine plug-in UI\n"
                          "tfeL -5 \t\t\t\t;Left of window\n"
                          " poT 20 \t\t\t\t;Top of window\n"
                          "htdW 1000 \t\t\t\t;Width of window\n"
                          "thgH 700 \t\t\t\t;Height of window\n"
                          "fLrC 30 \t\t\t\t;Left of character window\n"
                          "pTrC 40 \t\t\t\t;Top of character window\n"
                          "dWrC 451 \t\t\t\t;Width of character window\n"
                          "gHrC 401 \t\t\t\t;Height of character window\n");
}

TEST_F(SettingsFileTest, ReadBackRestoresAllEightValuesAndNothingElse)
{
    const Geometry saved{-1200, -30, 1600, 1100, 7, 8, 9, 10};
    SetGeometry(block, saved);
    WriteSettings(folder.Path(), block);

    ParameterBlock read{};
    ResetWindowGeometry(read);
    read.Layers[1].Angle = 12.5f;
    ParameterBlock expected = read;
    SetGeometry(expected, saved);
    ReadSettings(folder.Path(), read);
    EXPECT_EQ(GeometryOf(read), saved);
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0);
}

TEST_F(SettingsFileTest, ReadsHandEditedFiles)
{
    const Geometry defaults = GeometryOf(block);
    struct Case {
        const char* Text;
        Geometry Expected;
    };
    const Case cases[] = {
        {"  tfeL 11\n\t poT\t12 ;top\n\t\thtdW   13\n", {11, 12, 13, 602, 100, 100, 400, 450}},
        {"poT 55\n", {100, 55, 828, 602, 100, 100, 400, 450}}, // the top key without its space
        {" poT 56\n", {100, 56, 828, 602, 100, 100, 400, 450}},
        {"tfeL +12\nthgH 12.7\n", {0, 100, 828, 12, 100, 100, 400, 450}},
        {"gHrC 3\ndWrC 4\nxxxx 5\nLeft 6\n;tfeL 7\n", {100, 100, 828, 602, 100, 100, 3, 4}},
        {"fLrC 1\r\npTrC 2\r\n", {100, 100, 828, 602, 1, 2, 400, 450}},
        {"tfeL 9", defaults}, // a last line without its end is not read
        {"", defaults},
    };
    for (const Case& c : cases) {
        ResetWindowGeometry(block);
        folder.WriteFile(SettingsFileName, c.Text);
        ReadSettings(folder.Path(), block);
        EXPECT_EQ(GeometryOf(block), c.Expected) << c.Text;
    }
}

TEST_F(SettingsFileTest, MissingOrUnwritableFilesAreIgnored)
{
    const std::string nowhere = folder.Path() + "missing" + PathSeparator;
    const Geometry before = GeometryOf(block);
    ReadSettings(nowhere, block);
    EXPECT_EQ(GeometryOf(block), before);

    test::AlertRecorder alerts;
    WriteSettings(nowhere, block);
    EXPECT_TRUE(alerts.Shown().empty());
}

TEST_F(SettingsFileTest, FailedWriteKeepsTheOldFile)
{
    SetGeometry(block, {-5, 20, 1000, 700, 30, 40, 401, 451});
    WriteSettings(folder.Path(), block);
    const std::string before = FileText();
    SetGeometry(block, {15, 20, 1000, 700, 30, 40, 401, 451});
    SetTextWriteFault(10);
    WriteSettings(folder.Path(), block);
    SetTextWriteFault(-1);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(ListFolder(folder.Path(), "*.partial").size(), 0u);
    WriteSettings(folder.Path(), block);
    EXPECT_NE(FileText(), before);
}

} // namespace
} // namespace vel
