#pragma once
// The presets panel without its windows: the factory and the user list as
// the preset library fills them, folder navigation, what a selection does,
// and the save and delete flows.

#include "color/InkState.h"
#include "params/PresetLibrary.h"

#include <string>
#include <vector>

namespace vel::ui {

// Ids of the panel (template 143).
inline constexpr int PresetsPanelTemplate = 143;
inline constexpr int FactoryFolderLabelId = 1091;
inline constexpr int FactoryListId = 1084;
inline constexpr int UserFolderLabelId = 1093;
inline constexpr int UserListId = 1913;
inline constexpr int SavePresetButtonId = 1300;
inline constexpr int DeletePresetButtonId = 1092;

enum class EntryKind { Preset, Folder, Parent, Default };

// How an owner-drawn entry looks: its kind (folders get a 16 × 14 folder
// icon at (2, 1), ".." the "up" icon), the text shown and where it starts.
struct EntryLook {
    EntryKind Kind;
    std::string Text;
    int TextLeft; // 23 after an icon, else 3
};
EntryLook LookOfEntry(const std::string& entry, PresetTree tree, int index);

// What a selection asks of the dialog.
enum class SelectionAction {
    Nothing,       // no selection, a folder, or a preset that could not be read
    ResetDefaults, // "Default": the block was reset; resynchronise the layers bar
    Applied,       // a preset was read into the block
};
struct SelectionOutcome {
    SelectionAction Action = SelectionAction::Nothing;
    ParameterChanges Changes; // for the derived state (palette, paper)
};

class PresetsPanelModel {
  public:
    explicit PresetsPanelModel(PresetLibrary& library);

    // Lists the tree's current subfolder anew; the selection is cleared.
    void Fill(PresetTree tree);

    const std::vector<std::string>& Entries(PresetTree tree) const;
    int Selected(PresetTree tree) const;

    // The label over a list: the current subfolder, empty at the top.
    const std::string& FolderLabel(PresetTree tree) const;

    // A double-click: enters the folder or goes up for "..". True when the
    // list now shows another folder.
    bool OpenEntry(PresetTree tree, int index);

    // A click on an entry (-1 clears the selection). The block changes only
    // for "Default" and a preset that was read; the ink state follows the
    // block.
    SelectionOutcome Select(PresetTree tree, int index, ParameterBlock& block, InkState& inks);

    // "Delete" is enabled while a user preset (not a folder) is selected.
    bool DeleteEnabled() const;

    // Deletes the selected user preset's file and its entry.
    void DeleteSelected();

    // "Save": asks through `prompts`; a new preset gets its entry in the
    // user list, in sorted place.
    PresetSaveOutcome Save(const ParameterBlock& block, PresetSavePrompts& prompts);

  private:
    struct List {
        std::vector<std::string> Entries;
        int Selected = -1;
    };
    List& ListOf(PresetTree tree) { return tree == PresetTree::Factory ? factory_ : user_; }
    const List& ListOf(PresetTree tree) const { return tree == PresetTree::Factory ? factory_ : user_; }
    std::string& SubfolderOf(PresetTree tree);
    void SortUserList();

    PresetLibrary& library_;
    List factory_;
    List user_;
};

} // namespace vel::ui
