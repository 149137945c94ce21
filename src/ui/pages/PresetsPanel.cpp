#include "ui/pages/PresetsPanel.h"

#include "platform/AsciiText.h"

#include <algorithm>

namespace vel::ui {
namespace {

bool IsFolderEntry(const std::string& entry)
{
    return !entry.empty() && entry[0] == '\t';
}

// The order a sorted list box keeps: letter case ignored.
bool ListOrder(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
}

// Removes the last folder of a subfolder ("A\B\" becomes "A\").
std::string ParentOf(std::string subfolder)
{
    while (!subfolder.empty() && (subfolder.back() == '\\' || subfolder.back() == '/'))
        subfolder.pop_back();
    const size_t cut = subfolder.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : subfolder.substr(0, cut + 1);
}

// Clears the user list's selection just before a preset is written.
class PanelPrompts : public PresetSavePrompts {
  public:
    PanelPrompts(PresetSavePrompts& inner, int& userSelection) : inner_(inner), selection_(userSelection) {}
    bool AskName(std::string& name) override { return inner_.AskName(name); }
    AlertAnswer AskOverwrite(const std::string& path) override { return inner_.AskOverwrite(path); }
    void BeforeWrite() override
    {
        selection_ = -1;
        inner_.BeforeWrite();
    }

  private:
    PresetSavePrompts& inner_;
    int& selection_;
};

} // namespace

EntryLook LookOfEntry(const std::string& entry, PresetTree tree, int index)
{
    if (tree == PresetTree::Factory && index == 0 && entry == DefaultPresetEntry)
        return {EntryKind::Default, entry, 3};
    if (!IsFolderEntry(entry))
        return {EntryKind::Preset, entry, 3};
    const std::string name = entry.substr(1);
    return {name == ".." ? EntryKind::Parent : EntryKind::Folder, name, 23};
}

PresetsPanelModel::PresetsPanelModel(PresetLibrary& library) : library_(library) {}

std::string& PresetsPanelModel::SubfolderOf(PresetTree tree)
{
    return tree == PresetTree::Factory ? library_.FactorySubfolder : library_.UserSubfolder;
}

void PresetsPanelModel::SortUserList()
{
    std::stable_sort(user_.Entries.begin(), user_.Entries.end(), ListOrder);
}

void PresetsPanelModel::Fill(PresetTree tree)
{
    List& list = ListOf(tree);
    list.Entries = ListPresets(library_, tree);
    list.Selected = -1;
    if (tree == PresetTree::User)
        SortUserList();
}

const std::vector<std::string>& PresetsPanelModel::Entries(PresetTree tree) const
{
    return ListOf(tree).Entries;
}

int PresetsPanelModel::Selected(PresetTree tree) const
{
    return ListOf(tree).Selected;
}

const std::string& PresetsPanelModel::FolderLabel(PresetTree tree) const
{
    return tree == PresetTree::Factory ? library_.FactorySubfolder : library_.UserSubfolder;
}

bool PresetsPanelModel::OpenEntry(PresetTree tree, int index)
{
    const List& list = ListOf(tree);
    if (index < 0 || index >= int(list.Entries.size()) || !IsFolderEntry(list.Entries[size_t(index)]))
        return false;
    const std::string name = list.Entries[size_t(index)].substr(1);
    std::string& subfolder = SubfolderOf(tree);
    if (name == "..")
        subfolder = ParentOf(subfolder);
    else
        subfolder += name + library_.Separator;
    Fill(tree);
    return true;
}

SelectionOutcome PresetsPanelModel::Select(PresetTree tree, int index, ParameterBlock& block, InkState& inks)
{
    List& list = ListOf(tree);
    if (index < 0 || index >= int(list.Entries.size())) {
        list.Selected = -1;
        return {};
    }
    list.Selected = index;
    const std::string& entry = list.Entries[size_t(index)];
    const EntryKind kind = LookOfEntry(entry, tree, index).Kind;
    if (kind == EntryKind::Default) {
        SelectionOutcome outcome{SelectionAction::ResetDefaults, ResetToDefaults(block)};
        outcome.Changes |= ReloadInkState(block, inks);
        return outcome;
    }
    if (kind != EntryKind::Preset)
        return {};
    if (!LoadPresetByName(library_, entry, tree, block))
        return {};
    return {SelectionAction::Applied, ReloadInkState(block, inks)};
}

bool PresetsPanelModel::DeleteEnabled() const
{
    return user_.Selected >= 0 && user_.Selected < int(user_.Entries.size()) &&
           !IsFolderEntry(user_.Entries[size_t(user_.Selected)]);
}

void PresetsPanelModel::DeleteSelected()
{
    if (!DeleteEnabled())
        return;
    DeletePreset(library_, user_.Entries[size_t(user_.Selected)]);
    user_.Entries.erase(user_.Entries.begin() + user_.Selected);
    user_.Selected = -1;
}

PresetSaveOutcome PresetsPanelModel::Save(const ParameterBlock& block, PresetSavePrompts& prompts)
{
    PanelPrompts panelPrompts(prompts, user_.Selected);
    const PresetSaveOutcome outcome = SavePreset(library_, block, panelPrompts);
    if (outcome.Result == PresetSaveResult::Created) {
        user_.Entries.push_back(outcome.Name);
        SortUserList();
    }
    return outcome;
}

} // namespace vel::ui
