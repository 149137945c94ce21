#include "platform/Alert.h"
#include "platform/Folders.h"
#include "platform/PageMemory.h"
#include "platform/Truncate.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vel {
namespace {

TEST(PageMemory, PlanesAreZeroFilledAndReleaseToEmpty)
{
    Plane<uint8_t> plane;
    EXPECT_FALSE(plane);
    ASSERT_TRUE(plane.Allocate(1000, 700, 4));
    EXPECT_EQ(plane.Bytes(), 1000u * 700u * 4u);
    EXPECT_TRUE(std::all_of(plane.Data(), plane.Data() + plane.Count(), [](uint8_t b) { return b == 0; }));
    plane.Row(699)[3999] = 7; // the last byte is ours to write

    Plane<uint8_t> moved = std::move(plane);
    EXPECT_FALSE(plane);
    EXPECT_EQ(moved.Row(699)[3999], 7);

    moved.Release();
    EXPECT_FALSE(moved);
    EXPECT_EQ(moved.Width(), 0);
}

TEST(PageMemory, ImpossibleSizesLeaveThePlaneEmpty)
{
    Plane<float> plane;
    EXPECT_FALSE(plane.Allocate(0, 10));
    EXPECT_FALSE(plane.Allocate(10, -1));
    EXPECT_FALSE(plane.Allocate(2000000000, 2000000000, 4)); // more than any address space
    EXPECT_FALSE(plane);
    EXPECT_EQ(AllocatePages(0), nullptr);
}

TEST(Truncation, TowardZeroWithinTheLimitsAndNaNAsAsked)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double Value;
        int64_t Expected;
    };
    const Case cases[] = {
        {2.9, 2},   {-2.9, -2},     {-0.5, 0},      {99.0, 99},   {100.0, 100},      {1e300, 100},
        {inf, 100}, {-200.0, -200}, {-200.5, -200}, {-inf, -200}, {std::nan(""), 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TruncateBetween(c.Value, -200, 100, 7), c.Expected) << c.Value;
    // The whole int64 range, whose upper limit is 2^63 as a double.
    EXPECT_EQ(TruncateBetween(9.3e18, INT64_MIN, INT64_MAX, 0), INT64_MAX);
    EXPECT_EQ(TruncateBetween(-9.3e18, INT64_MIN, INT64_MAX, 0), INT64_MIN);
}

TEST(Alerts, RecorderCapturesTextTitleAndAnswers)
{
    test::AlertRecorder recorder(AlertAnswer::No);
    EXPECT_EQ(ShowAlert("Not enough memory!"), AlertAnswer::No);
    EXPECT_EQ(ShowAlert("Cannot Save File!", "Save Preset Error", AlertIcon::Error), AlertAnswer::No);
    ASSERT_EQ(recorder.Shown().size(), 2u);
    EXPECT_EQ(recorder.Shown()[0].Text, "Not enough memory!");
    EXPECT_EQ(recorder.Shown()[0].Title, "Plugin Alert");
    EXPECT_EQ(recorder.Shown()[1].Title, "Save Preset Error");
    EXPECT_EQ(recorder.Shown()[1].Icon, AlertIcon::Error);
}

TEST(Folders, WildcardsIgnoreLetterCase)
{
    struct Case {
        const char* Name;
        const char* Pattern;
        bool Matches;
    };
    const Case cases[] = {
        {"A.VEL3PST", "*.vel3pst", true},   {"a.vel3pst", "*.vel3pst", true},
        {".vel3pst", "*.vel3pst", true},    {"a.vel3pst.bak", "*.vel3pst", false},
        {"avel3pst", "*.vel3pst", false},   {"x", "*", true},
        {"", "*", true},                    {"ab", "a?", true},
        {"abc", "a?", false},               {"a.b.c", "*.*.c", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesPattern(c.Name, c.Pattern), c.Matches) << c.Name << " ~ " << c.Pattern;
}

TEST(Folders, ListingReportsDirectoriesAndArchiveFiles)
{
    test::TempFolder folder;
    folder.MakeFolder("Sub");
    folder.WriteFile("One.vel3pst", "x");
    folder.WriteFile("TWO.VEL3PST", "x");
    folder.WriteFile("notes.txt", "x");

    const auto all = ListFolder(folder.Path(), "*");
    auto find = [&](const std::string& name) {
        return std::find_if(all.begin(), all.end(), [&](const FolderEntry& e) { return e.Name == name; });
    };
    ASSERT_NE(find("Sub"), all.end());
    EXPECT_TRUE(find("Sub")->IsDirectory);
    ASSERT_NE(find("notes.txt"), all.end());
    EXPECT_FALSE(find("notes.txt")->IsDirectory);
    EXPECT_TRUE(find("notes.txt")->IsArchive);

    const auto presets = ListFolder(folder.Path(), "*.vel3pst");
    EXPECT_EQ(presets.size(), 2u);
    EXPECT_TRUE(ListFolder(folder.Path() + "Missing", "*").empty());
}

TEST(Folders, DeleteRemovesOnlyExistingFiles)
{
    test::TempFolder folder;
    folder.WriteFile("gone.txt", "x");
    EXPECT_TRUE(FileExists(folder.Path() + "gone.txt"));
    EXPECT_TRUE(DeleteFileAt(folder.Path() + "gone.txt"));
    EXPECT_FALSE(FileExists(folder.Path() + "gone.txt"));
    EXPECT_FALSE(DeleteFileAt(folder.Path() + "gone.txt"));
}

TEST(Folders, ModulePathNamesThisExecutable)
{
    const std::string path = ModulePath();
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.find("test_"), std::string::npos) << path;
}

} // namespace
} // namespace vel
