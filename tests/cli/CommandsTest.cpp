#include "Commands.h"
#include "params/FieldTable.h"
#include "params/PresetFile.h"
#include "params/TextFile.h"
#include "platform/Folders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace vel {
namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CommandsTest : public testing::Test {
  protected:
    void SetUp() override
    {
        folder.MakeFolder("data");
        folder.MakeFolder("data/Presets");
        folder.MakeFolder("data/Presets/Basic");
        folder.MakeFolder("data/Presets/User");
        folder.MakeFolder("data/Presets/User/Mine");
    }

    std::string Data() const { return folder.Path() + "data"; }

    test::TempFolder folder;
};

TEST_F(CommandsTest, PresetWriteOfTheDefaultsIsThePluginsDefaultPreset)
{
    const std::string tool = folder.Path() + "tool.vel3pst";
    ASSERT_EQ(RunPresetCommand({"write", tool, "--data", Data()}), 0);
    ParameterBlock defaults{};
    ResetWindowGeometry(defaults);
    const std::string plugin = folder.Path() + "plugin.vel3pst";
    ASSERT_TRUE(WritePreset(plugin, defaults));
    EXPECT_EQ(ReadAll(tool), ReadAll(plugin));
}

TEST_F(CommandsTest, PresetWriteAppliesThePresetThenTheSettings)
{
    const std::string first = folder.Path() + "first.vel3pst";
    ASSERT_EQ(RunPresetCommand(
                  {"write", first, "--set", "Geometry1=Star 5", "--set", "Width1=30", "--data", Data()}),
              0);
    const std::string second = folder.Path() + "second.vel3pst";
    ASSERT_EQ(RunPresetCommand({"write", second, "--preset", first, "--set", "NInks=3", "--data", Data()}),
              0);

    ParameterBlock block{};
    ResetWindowGeometry(block);
    ASSERT_TRUE(ReadPreset(second, block));
    LayerIndex layer;
    EXPECT_EQ(block.Layers[0].Geometry, uint8_t(PatternGeometry::Star5));
    EXPECT_EQ(GetFieldValue(block, *FindField("Width1", &layer), layer), 30.0);
    EXPECT_EQ(block.NInks, 3);
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunPresetCommand({"show", second}), 0);
    const std::string shown = testing::internal::GetCapturedStdout();
    EXPECT_NE(shown.find("Geometry1              42 (Star 5)"), std::string::npos) << shown;
}

TEST_F(CommandsTest, FailedPresetOverwriteKeepsTheOldFile)
{
    const std::string path = folder.Path() + "kept.vel3pst";
    ASSERT_EQ(RunPresetCommand({"write", path, "--data", Data()}), 0);
    const std::string before = ReadAll(path);
    SetTextWriteFault(100);
    testing::internal::CaptureStderr();
    const int status = RunPresetCommand({"write", path, "--set", "NInks=4", "--data", Data()});
    const std::string errors = testing::internal::GetCapturedStderr();
    SetTextWriteFault(-1);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(errors, "vellisto: Cannot Save File!\n");
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(CommandsTest, BadUsageAndBadFilesFail)
{
    folder.WriteFile("text.vel3pst", "not a preset\n");
    struct Case {
        Arguments Args;
        int Status;
    };
    const Case cases[] = {
        {{}, 2},
        {{"erase"}, 2},
        {{"write"}, 2},
        {{"write", folder.Path() + "a.vel3pst", "--set"}, 2},
        {{"write", folder.Path() + "a.vel3pst", "--set", "Nothing=1"}, 2},
        {{"write", folder.Path() + "a.vel3pst", "--preset", "Missing", "--data", Data()}, 2},
        {{"show"}, 2},
        {{"show", folder.Path() + "missing.vel3pst"}, 1},
        {{"show", folder.Path() + "text.vel3pst"}, 1},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(RunPresetCommand(c.Args), c.Status) << testing::PrintToString(c.Args);
        testing::internal::GetCapturedStderr();
    }
    EXPECT_FALSE(FileExists(folder.Path() + "a.vel3pst"));
}

TEST_F(CommandsTest, PresetsAreListedByTreeAndFolder)
{
    folder.WriteFile("data/Presets/Basic/Etching.vel3pst", "VellistoIII Preset;\n");
    folder.WriteFile("data/Presets/User/Mine/Portrait.vel3pst", "VellistoIII Preset;\n");
    folder.WriteFile("data/Presets/User/Quick.vel3pst", "VellistoIII Preset;\n");
    testing::internal::CaptureStdout();
    ASSERT_EQ(RunPresetsCommand({"--data", Data()}), 0);
    const std::string listed = testing::internal::GetCapturedStdout();
    const std::string presets = Data() + PathSeparator + "Presets" + PathSeparator;
    EXPECT_EQ(listed, "Factory presets (" + presets + "Basic):\n  Default\n  Etching\nUser presets (" +
                          presets + "User):\n  Quick\n  Mine/\n    Portrait\n");
}

TEST_F(CommandsTest, PatternsAndCompletionComeFromTheTables)
{
    testing::internal::CaptureStdout();
    ASSERT_EQ(RunPatternsCommand({}), 0);
    const std::string patterns = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(patterns.begin(), patterns.end(), '\n'), PatternGeometryCount);
    EXPECT_NE(patterns.find(" 0  Lines\n"), std::string::npos);
    EXPECT_NE(patterns.find("46  Iso Lines 2\n"), std::string::npos);

    const std::string completion = BashCompletion();
    for (const FieldInfo& field : ParameterFields()) {
        const std::string name = FieldName(field, LayerIndex::One);
        EXPECT_TRUE(completion.find(" " + name + "=") != std::string::npos ||
                    completion.find("'" + name + "=") != std::string::npos)
            << name;
    }
    EXPECT_NE(completion.find("Geometry2) values=("), std::string::npos);
    EXPECT_NE(completion.find("'Rings Waves 2'"), std::string::npos);
    EXPECT_EQ(VersionLine().rfind("vellisto 3.", 0), 0u);
}

} // namespace
} // namespace vel
