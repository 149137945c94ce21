// The presets panel's lists, navigation, selection, save and delete, with
// the files on disk.

#include "ui/pages/PresetsPanel.h"

#include "params/PresetFile.h"
#include "platform/Folders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>

namespace vel::ui {
namespace {

// Scripted answers to the save flow's questions.
test::ScriptedPrompts Script(std::deque<std::string> names, std::deque<AlertAnswer> answers)
{
    test::ScriptedPrompts prompts;
    prompts.Names = std::move(names);
    prompts.Overwrites = std::move(answers);
    return prompts;
}

struct PanelFixture : ::testing::Test {
    PanelFixture()
    {
        folder.MakeFolder("Basic");
        folder.MakeFolder("Basic" + Sep() + "Portraits");
        folder.MakeFolder("User");
        folder.MakeFolder("User" + Sep() + "Mine");
        library.PresetsFolder = folder.Path();
        ResetToDefaults(block);
        ParameterBlock deep = block;
        deep.Layers[0].Width = 42;
        EXPECT_TRUE(
            WritePreset(folder.Path() + "Basic" + Sep() + "Portraits" + Sep() + "Deep.vel3pst", deep));
        EXPECT_TRUE(WritePreset(folder.Path() + "User" + Sep() + "zeta.vel3pst", deep));
        EXPECT_TRUE(WritePreset(folder.Path() + "User" + Sep() + "Alpha.vel3pst", deep));
        folder.WriteFile("Basic" + Sep() + "Broken.vel3pst", "not a preset\n");
        panel.Fill(PresetTree::Factory);
        panel.Fill(PresetTree::User);
    }
    static std::string Sep() { return std::string(1, PathSeparator); }
    std::string UserFile(const std::string& name) const { return folder.Path() + "User" + Sep() + name; }

    test::TempFolder folder;
    PresetLibrary library;
    PresetsPanelModel panel{library};
    ParameterBlock block{};
    InkState inks;
};

TEST_F(PanelFixture, FoldersAreEnteredAndLeftThroughTheirEntries)
{
    const auto& factory = panel.Entries(PresetTree::Factory);
    ASSERT_EQ(factory.front(), "Default");
    EXPECT_EQ(std::count(factory.begin(), factory.end(), "\t.."), 0) << "no parent at the top";
    const auto portraits = std::find(factory.begin(), factory.end(), "\tPortraits");
    ASSERT_NE(portraits, factory.end());
    EXPECT_EQ(LookOfEntry(*portraits, PresetTree::Factory, 1).TextLeft, 23);
    EXPECT_EQ(LookOfEntry(*portraits, PresetTree::Factory, 1).Text, "Portraits");

    EXPECT_FALSE(panel.OpenEntry(PresetTree::Factory, 0)) << "a preset entry is not a folder";
    EXPECT_TRUE(panel.OpenEntry(PresetTree::Factory, int(portraits - factory.begin())));
    EXPECT_EQ(panel.FolderLabel(PresetTree::Factory), "Portraits" + Sep());
    EXPECT_EQ(panel.Entries(PresetTree::Factory), (std::vector<std::string>{"Default", "\t..", "Deep"}));
    EXPECT_EQ(LookOfEntry("\t..", PresetTree::Factory, 1).Kind, EntryKind::Parent);

    EXPECT_TRUE(panel.OpenEntry(PresetTree::Factory, 1));
    EXPECT_EQ(panel.FolderLabel(PresetTree::Factory), "");
    EXPECT_EQ(panel.Entries(PresetTree::Factory).size(), factory.size());
}

TEST_F(PanelFixture, TheUserListIsSortedWithoutRegardToCase)
{
    EXPECT_EQ(panel.Entries(PresetTree::User), (std::vector<std::string>{"\tMine", "Alpha", "zeta"}));
}

TEST_F(PanelFixture, SelectingAppliesPresetsAndDefaultResetsBothLayers)
{
    panel.OpenEntry(PresetTree::Factory, 1); // Portraits
    SelectionOutcome applied = panel.Select(PresetTree::Factory, 2, block, inks);
    EXPECT_EQ(applied.Action, SelectionAction::Applied);
    EXPECT_EQ(block.Layers[0].Width, 42);
    EXPECT_TRUE(applied.Changes.PaletteStale || applied.Changes.PaperNameChanged);

    EXPECT_EQ(panel.Select(PresetTree::Factory, 1, block, inks).Action, SelectionAction::Nothing) << "..";
    block.Layers[1].Angle = 7;
    block.LayerTwoExist = 1;
    EXPECT_EQ(panel.Select(PresetTree::Factory, 0, block, inks).Action, SelectionAction::ResetDefaults);
    EXPECT_EQ(block.Layers[0].Width, 8);
    EXPECT_EQ(block.Layers[1].Angle, 120);
    EXPECT_EQ(block.LayerTwoExist, 0);

    panel.OpenEntry(PresetTree::Factory, 1); // back to the top
    const auto& factory = panel.Entries(PresetTree::Factory);
    const int broken = int(std::find(factory.begin(), factory.end(), "Broken") - factory.begin());
    block.Layers[0].Width = 3;
    EXPECT_EQ(panel.Select(PresetTree::Factory, broken, block, inks).Action, SelectionAction::Nothing);
    EXPECT_EQ(block.Layers[0].Width, 3) << "a preset that cannot be read changes nothing";
}

TEST_F(PanelFixture, DeleteIsForSelectedUserPresetsOnly)
{
    EXPECT_FALSE(panel.DeleteEnabled());
    panel.Select(PresetTree::User, 0, block, inks); // the folder "Mine"
    EXPECT_FALSE(panel.DeleteEnabled());
    panel.Select(PresetTree::User, 2, block, inks); // "zeta"
    EXPECT_TRUE(panel.DeleteEnabled());
    panel.DeleteSelected();
    EXPECT_FALSE(FileExists(UserFile("zeta.vel3pst")));
    EXPECT_TRUE(FileExists(UserFile("Alpha.vel3pst")));
    EXPECT_EQ(panel.Entries(PresetTree::User), (std::vector<std::string>{"\tMine", "Alpha"}));
    EXPECT_FALSE(panel.DeleteEnabled());
}

TEST_F(PanelFixture, SavingCreatesOverwritesOrAsksAgain)
{
    // A new preset in the subfolder "Mine", listed in sorted place.
    panel.OpenEntry(PresetTree::User, 0);
    test::ScriptedPrompts create = Script({"Etching.vel3pst"}, {});
    EXPECT_EQ(panel.Save(block, create).Result, PresetSaveResult::Created);
    const std::string etching = UserFile("Mine" + Sep() + "Etching.vel3pst");
    EXPECT_TRUE(FileExists(etching));
    EXPECT_EQ(panel.Entries(PresetTree::User), (std::vector<std::string>{"\t..", "Etching"}));

    // Yes replaces the file and keeps one entry; the selection is cleared.
    panel.Select(PresetTree::User, 1, block, inks);
    block.Layers[0].Space = 77;
    test::ScriptedPrompts yes = Script({"Etching"}, {AlertAnswer::Yes});
    EXPECT_EQ(panel.Save(block, yes).Result, PresetSaveResult::Replaced);
    EXPECT_EQ(yes.Questioned, std::vector<std::string>{etching});
    EXPECT_EQ(panel.Entries(PresetTree::User).size(), 2u);
    EXPECT_EQ(panel.Selected(PresetTree::User), -1);
    EXPECT_FALSE(panel.DeleteEnabled());
    ParameterBlock read = block;
    read.Layers[0].Space = 0;
    ASSERT_TRUE(ReadPreset(etching, read));
    EXPECT_EQ(read.Layers[0].Space, 77);

    // No asks for the name again with the typed name; Cancel writes nothing.
    block.Layers[0].Space = 5;
    test::ScriptedPrompts noThenCancel =
        Script({"Etching", "Etching"}, {AlertAnswer::No, AlertAnswer::Cancel});
    EXPECT_EQ(panel.Save(block, noThenCancel).Result, PresetSaveResult::Cancelled);
    EXPECT_EQ(noThenCancel.Prefilled, (std::vector<std::string>{"", "Etching"}));
    ASSERT_TRUE(ReadPreset(etching, read));
    EXPECT_EQ(read.Layers[0].Space, 77);

    // No, then another name: a second preset.
    test::ScriptedPrompts noThenOther = Script({"Etching", "Burin"}, {AlertAnswer::No});
    EXPECT_EQ(panel.Save(block, noThenOther).Result, PresetSaveResult::Created);
    EXPECT_TRUE(FileExists(UserFile("Mine" + Sep() + "Burin.vel3pst")));
    EXPECT_EQ(panel.Entries(PresetTree::User), (std::vector<std::string>{"\t..", "Burin", "Etching"}));

    // Cancelling the name writes nothing.
    test::ScriptedPrompts cancel = Script({}, {});
    EXPECT_EQ(panel.Save(block, cancel).Result, PresetSaveResult::Cancelled);
    EXPECT_EQ(panel.Entries(PresetTree::User).size(), 3u);
}

} // namespace
} // namespace vel::ui
