#include "params/PresetLibrary.h"

#include "params/PresetFile.h"
#include "platform/AsciiText.h"

namespace vel {
namespace {

constexpr char FolderEntryMark = '\t';

bool IsPresetName(const std::string& name) { return !name.empty() && name[0] != FolderEntryMark; }

const std::string& Subfolder(const PresetLibrary& library, PresetTree tree)
{
    return tree == PresetTree::Factory ? library.FactorySubfolder : library.UserSubfolder;
}

} // namespace

std::string PresetFolder(const PresetLibrary& library, PresetTree tree)
{
    std::string folder = library.PresetsFolder + (tree == PresetTree::Factory ? "Basic" : "User");
    folder += library.Separator;
    const std::string& subfolder = Subfolder(library, tree);
    folder += subfolder;
    if (!subfolder.empty() && subfolder.back() != library.Separator && subfolder.back() != '/')
        folder += library.Separator;
    return folder;
}

std::string PresetPath(const PresetLibrary& library, PresetTree tree, const std::string& name)
{
    return PresetFolder(library, tree) + name + '.' + PresetExtension;
}

std::string PresetNameOf(const std::string& name)
{
    // The dot and the extension, and at least one character before them.
    const size_t suffix = sizeof PresetExtension; // "." + "vel3pst"
    if (name.size() <= suffix || name[name.size() - suffix] != '.' ||
        !EqualIgnoringCase(name.c_str() + name.size() - suffix + 1, PresetExtension, suffix - 1))
        return name;
    return name.substr(0, name.size() - suffix);
}

std::vector<std::string> ListPresets(const PresetLibrary& library, PresetTree tree)
{
    std::vector<std::string> entries;
    if (tree == PresetTree::Factory)
        entries.push_back(DefaultPresetEntry);
    const std::string folder = PresetFolder(library, tree);
    const bool atTop = Subfolder(library, tree).empty();
    for (const FolderEntry& entry : ListFolder(folder, "*")) {
        if (!entry.IsDirectory || entry.Name == "." || (entry.Name == ".." && atTop))
            continue;
        entries.push_back(FolderEntryMark + entry.Name);
    }
    for (const FolderEntry& entry : ListFolder(folder, std::string("*.") + PresetExtension)) {
        if (entry.IsArchive && !entry.IsDirectory)
            entries.push_back(PresetNameOf(entry.Name));
    }
    return entries;
}

bool LoadPresetByName(const PresetLibrary& library, const std::string& name, PresetTree tree,
                      ParameterBlock& block)
{
    return IsPresetName(name) && ReadPreset(PresetPath(library, tree, name), block);
}

void DeletePreset(const PresetLibrary& library, const std::string& name)
{
    if (IsPresetName(name))
        DeleteFileAt(PresetPath(library, PresetTree::User, name));
}

AlertAnswer PresetSavePrompts::AskOverwrite(const std::string&)
{
    return ShowAlert(OverwritePresetQuestion, FileSaveWarningTitle, AlertIcon::Warning,
                     AlertButtons::YesNoCancel);
}

PresetSaveOutcome SavePreset(const PresetLibrary& library, const ParameterBlock& block,
                             PresetSavePrompts& prompts)
{
    std::string typed;
    for (;;) {
        if (!prompts.AskName(typed))
            return {PresetSaveResult::Cancelled, {}};
        const std::string name = PresetNameOf(typed);
        if (!IsPresetName(name))
            return {PresetSaveResult::Cancelled, {}};
        const std::string path = PresetPath(library, PresetTree::User, name);
        const bool existed = FileExists(path);
        if (existed) {
            const AlertAnswer answer = prompts.AskOverwrite(path);
            if (answer == AlertAnswer::No)
                continue;
            if (answer != AlertAnswer::Yes)
                return {PresetSaveResult::Cancelled, {}};
        }
        prompts.BeforeWrite();
        if (!WritePreset(path, block))
            return {PresetSaveResult::Failed, name};
        return {existed ? PresetSaveResult::Replaced : PresetSaveResult::Created, name};
    }
}

} // namespace vel
