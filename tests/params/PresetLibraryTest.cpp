#include "params/PresetLibrary.h"

#include "params/PresetFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vel {
namespace {

TEST(PresetLibrary, PathJoinsTreeSubfolderAndName)
{
    struct Case {
        char Separator;
        const char* Subfolder;
        PresetTree Tree;
        const char* Path;
    };
    const Case cases[] = {
        {'\\', "", PresetTree::Factory, "C:\\Host\\Presets\\Basic\\Etching.vel3pst"},
        {'\\', "Mine\\", PresetTree::User, "C:\\Host\\Presets\\User\\Mine\\Etching.vel3pst"},
        {'\\', "Mine", PresetTree::User, "C:\\Host\\Presets\\User\\Mine\\Etching.vel3pst"},
        {'\\', "Mine/", PresetTree::User, "C:\\Host\\Presets\\User\\Mine/Etching.vel3pst"},
        {'\\', "Old\\Inks\\", PresetTree::Factory, "C:\\Host\\Presets\\Basic\\Old\\Inks\\Etching.vel3pst"},
        {'/', "Mine", PresetTree::User, "/opt/Presets/User/Mine/Etching.vel3pst"},
        {'/', "", PresetTree::User, "/opt/Presets/User/Etching.vel3pst"},
    };
    for (const Case& c : cases) {
        PresetLibrary library;
        library.Separator = c.Separator;
        library.PresetsFolder = c.Separator == '\\' ? "C:\\Host\\Presets\\" : "/opt/Presets/";
        (c.Tree == PresetTree::Factory ? library.FactorySubfolder : library.UserSubfolder) = c.Subfolder;
        EXPECT_EQ(PresetPath(library, c.Tree, "Etching"), c.Path);
    }
}

TEST(PresetLibrary, NamesLoseTheExtension)
{
    struct Case {
        const char* Given;
        const char* Name;
    };
    const Case cases[] = {
        {"Etching", "Etching"},
        {"Etching.vel3pst", "Etching"},
        {"A.VEL3PST", "A"},
        {".vel3pst", ".vel3pst"}, // nothing but the extension
        {"x.vel3pst.vel3pst", "x.vel3pst"},
        {"Etchingvel3pst", "Etchingvel3pst"}, // no dot, no extension
        {"Etching.vel3ps", "Etching.vel3ps"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PresetNameOf(c.Given), c.Name) << c.Given;
}

class PresetLibraryTest : public testing::Test {
protected:
    PresetLibraryTest()
    {
        folder.MakeFolder("Presets" + Sep() + "Basic" + Sep() + "Portraits");
        folder.MakeFolder("Presets" + Sep() + "User" + Sep() + "Mine");
        library.PresetsFolder = folder.Path() + "Presets" + Sep();
        ResetWindowGeometry(block);
    }

    static std::string Sep() { return std::string(1, PathSeparator); }

    // A preset file whose only value is NInks.
    void WritePresetFile(const std::string& relative, int32_t inks) const
    {
        folder.WriteFile("Presets" + Sep() + relative,
                         std::string(PresetHeader) + "\nknIN " + std::to_string(inks) + "\n");
    }

    std::string UserFile(const std::string& relative) const
    {
        return folder.Path() + "Presets" + Sep() + "User" + Sep() + relative;
    }

    test::TempFolder folder;
    PresetLibrary library;
    ParameterBlock block{};
};

// "Default", then folders, then presets; within a group in listing order.
void ExpectListing(std::vector<std::string> entries, std::vector<std::string> expected)
{
    auto groupSort = [](std::vector<std::string>& list) {
        std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
            auto group = [](const std::string& s) {
                return s == DefaultPresetEntry ? 0 : s[0] == '\t' ? 1 : 2;
            };
            return group(a) != group(b) ? group(a) < group(b) : a < b;
        });
    };
    EXPECT_EQ(entries.empty() ? "" : entries[0], expected.empty() ? "" : expected[0]);
    groupSort(entries);
    groupSort(expected);
    EXPECT_EQ(entries, expected);
}

TEST_F(PresetLibraryTest, ListsDefaultFoldersAndPresets)
{
    WritePresetFile("Basic" + Sep() + "Classic.vel3pst", 1);
    WritePresetFile("Basic" + Sep() + "A.VEL3PST", 1);
    WritePresetFile("Basic" + Sep() + "notes.txt", 1);
    WritePresetFile("Basic" + Sep() + "Portraits" + Sep() + "Deep.vel3pst", 1);
    WritePresetFile("User" + Sep() + "Etching.vel3pst", 1);

    ExpectListing(ListPresets(library, PresetTree::Factory), {"Default", "\tPortraits", "A", "Classic"});
    ExpectListing(ListPresets(library, PresetTree::User), {"\tMine", "Etching"});

    library.FactorySubfolder = "Portraits" + Sep();
    ExpectListing(ListPresets(library, PresetTree::Factory), {"Default", "\t..", "Deep"});
    library.UserSubfolder = "Mine";
    ExpectListing(ListPresets(library, PresetTree::User), {"\t.."});

    library.PresetsFolder = folder.Path() + "Nowhere" + Sep();
    ExpectListing(ListPresets(library, PresetTree::Factory), {"Default"});
    ExpectListing(ListPresets(library, PresetTree::User), {});
}

TEST_F(PresetLibraryTest, LoadsByNameFromTheCurrentSubfolder)
{
    WritePresetFile("User" + Sep() + "Mine" + Sep() + "Etching.vel3pst", 3);
    WritePresetFile("Basic" + Sep() + "Etching.vel3pst", 4);

    EXPECT_FALSE(LoadPresetByName(library, "Etching", PresetTree::User, block));
    library.UserSubfolder = "Mine" + Sep();
    EXPECT_TRUE(LoadPresetByName(library, "Etching", PresetTree::User, block));
    EXPECT_EQ(block.NInks, 3);
    EXPECT_TRUE(LoadPresetByName(library, "Etching", PresetTree::Factory, block));
    EXPECT_EQ(block.NInks, 4);

    for (const char* name : {"", "\tMine", "Missing"})
        EXPECT_FALSE(LoadPresetByName(library, name, PresetTree::User, block)) << name;
    EXPECT_EQ(block.NInks, 4);
}

TEST_F(PresetLibraryTest, DeletesOnlyFromTheUserTree)
{
    WritePresetFile("User" + Sep() + "Mine" + Sep() + "Etching.vel3pst", 3);
    WritePresetFile("Basic" + Sep() + "Etching.vel3pst", 4);
    library.UserSubfolder = "Mine" + Sep();

    DeletePreset(library, "Etching");
    DeletePreset(library, "Missing"); // silently nothing
    EXPECT_FALSE(FileExists(UserFile("Mine" + Sep() + "Etching.vel3pst")));
    EXPECT_TRUE(FileExists(library.PresetsFolder + "Basic" + Sep() + "Etching.vel3pst"));
}

using test::ScriptedPrompts;

TEST_F(PresetLibraryTest, SavingANewNameCreatesItsFileAndEntry)
{
    library.UserSubfolder = "Mine" + Sep();
    block.NInks = 3;
    ScriptedPrompts prompts;
    prompts.Names = {"Etching.vel3pst"};

    const PresetSaveOutcome outcome = SavePreset(library, block, prompts);
    EXPECT_EQ(outcome.Result, PresetSaveResult::Created);
    EXPECT_EQ(outcome.Name, "Etching");
    EXPECT_EQ(prompts.Prefilled, std::vector<std::string>{""});
    EXPECT_TRUE(prompts.Questioned.empty());
    EXPECT_EQ(prompts.Writes, 1);

    ParameterBlock read{};
    ResetWindowGeometry(read);
    EXPECT_TRUE(ReadPreset(UserFile("Mine" + Sep() + "Etching.vel3pst"), read));
    EXPECT_EQ(read.NInks, 3);

    prompts.Names = {".vel3pst"};
    EXPECT_EQ(SavePreset(library, block, prompts).Result, PresetSaveResult::Created);
    EXPECT_TRUE(FileExists(UserFile("Mine" + Sep() + ".vel3pst.vel3pst")));
}

TEST_F(PresetLibraryTest, AnExistingPresetIsReplacedOnlyAfterYes)
{
    library.UserSubfolder = "Mine" + Sep();
    WritePresetFile("User" + Sep() + "Mine" + Sep() + "Etching.vel3pst", 1);
    const std::string target = UserFile("Mine" + Sep() + "Etching.vel3pst");
    block.NInks = 4;
    auto storedInks = [&] {
        ParameterBlock read{};
        ResetWindowGeometry(read);
        ReadPreset(target, read);
        return read.NInks;
    };

    ScriptedPrompts cancelled;
    cancelled.Names = {"Etching"};
    cancelled.Overwrites = {AlertAnswer::Cancel};
    EXPECT_EQ(SavePreset(library, block, cancelled).Result, PresetSaveResult::Cancelled);
    EXPECT_EQ(cancelled.Questioned, std::vector<std::string>{target});
    EXPECT_EQ(cancelled.Writes, 0);
    EXPECT_EQ(storedInks(), 1);

    // "No" asks for the name again with the typed name filled in.
    ScriptedPrompts renamed;
    renamed.Names = {"Etching", "Etching 2"};
    renamed.Overwrites = {AlertAnswer::No};
    const PresetSaveOutcome created = SavePreset(library, block, renamed);
    EXPECT_EQ(created.Result, PresetSaveResult::Created);
    EXPECT_EQ(created.Name, "Etching 2");
    EXPECT_EQ(renamed.Prefilled, (std::vector<std::string>{"", "Etching"}));
    EXPECT_EQ(storedInks(), 1);

    ScriptedPrompts replaced;
    replaced.Names = {"Etching.VEL3PST"};
    replaced.Overwrites = {AlertAnswer::Yes};
    const PresetSaveOutcome outcome = SavePreset(library, block, replaced);
    EXPECT_EQ(outcome.Result, PresetSaveResult::Replaced); // no second list entry
    EXPECT_EQ(outcome.Name, "Etching");
    EXPECT_EQ(storedInks(), 4);
}

TEST_F(PresetLibraryTest, SaveEndsOnCancelAndReportsAFailedWrite)
{
    ScriptedPrompts cancelled;
    EXPECT_EQ(SavePreset(library, block, cancelled).Result, PresetSaveResult::Cancelled);
    EXPECT_EQ(cancelled.Writes, 0);

    test::AlertRecorder alerts;
    library.UserSubfolder = "Gone" + Sep();
    ScriptedPrompts failing;
    failing.Names = {"Etching"};
    EXPECT_EQ(SavePreset(library, block, failing).Result, PresetSaveResult::Failed);
    ASSERT_EQ(alerts.Shown().size(), 1u);
    EXPECT_EQ(alerts.Shown()[0].Text, "Cannot Save File!");
}

TEST_F(PresetLibraryTest, TheOverwriteQuestionIsAWarningWithThreeAnswers)
{
    struct NamesOnly : PresetSavePrompts {
        bool AskName(std::string& name) override
        {
            name = "Etching";
            return true;
        }
    } prompts;
    WritePresetFile("User" + Sep() + "Etching.vel3pst", 1);
    test::AlertRecorder alerts(AlertAnswer::Yes);

    EXPECT_EQ(SavePreset(library, block, prompts).Result, PresetSaveResult::Replaced);
    ASSERT_EQ(alerts.Shown().size(), 1u);
    const AlertMessage& question = alerts.Shown()[0];
    EXPECT_EQ(question.Text, "The file already exist!\n Do you want rewrite it?");
    EXPECT_EQ(question.Title, "File Save Warning");
    EXPECT_EQ(question.Icon, AlertIcon::Warning);
    EXPECT_EQ(question.Buttons, AlertButtons::YesNoCancel);
}

TEST(FactoryPresets, ShipAsCanonicalReadablePresets)
{
    PresetLibrary library;
    library.PresetsFolder = std::string(VEL_SOURCE_DIR) + "/data/VellistoIII/Presets/";
    library.Separator = '/';
    const std::vector<std::string> entries = ListPresets(library, PresetTree::Factory);
    ASSERT_GE(entries.size(), 6u);
    test::TempFolder folder;
    for (const std::string& name : entries) {
        if (name == DefaultPresetEntry || name[0] == '\t')
            continue;
        ParameterBlock block{};
        ResetWindowGeometry(block);
        ASSERT_TRUE(LoadPresetByName(library, name, PresetTree::Factory, block)) << name;
        // Written by the preset writer: writing the read block gives the same bytes.
        ASSERT_TRUE(WritePreset(folder.Path() + "again.vel3pst", block));
        std::ifstream shipped(PresetPath(library, PresetTree::Factory, name), std::ios::binary);
        std::ifstream again(folder.Path() + "again.vel3pst", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(shipped), {}),
                  std::string(std::istreambuf_iterator<char>(again), {}))
            << name;
    }
}

} // namespace
} // namespace vel
