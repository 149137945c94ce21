#pragma once
// The preset library: the factory tree "Basic" (read only) and the user tree
// "User" under the presets folder, each browsed one subfolder at a time.
// Preset names are file names without the ".vel3pst" extension. List
// entries that begin with a tab are folders and are never loaded, saved or
// deleted.

#include "params/ParameterBlock.h"
#include "platform/Alert.h"
#include "platform/Folders.h"

#include <string>
#include <vector>

namespace vel {

enum class PresetTree { Factory, User };

// The factory list's first entry: it resets the parameters instead of
// reading a file.
inline constexpr char DefaultPresetEntry[] = "Default";

struct PresetLibrary {
    std::string PresetsFolder; // ends with the separator
    // The subfolders the lists show, below "Basic" and "User": empty at the
    // top, else folder names each followed by a separator.
    std::string FactorySubfolder;
    std::string UserSubfolder;
    char Separator = PathSeparator;
};

// The folder a tree's list shows: the tree's folder and its subfolder,
// ending with a separator.
std::string PresetFolder(const PresetLibrary& library, PresetTree tree);

// The file of the named preset in the tree's current subfolder.
std::string PresetPath(const PresetLibrary& library, PresetTree tree, const std::string& name);

// A name typed or listed with the extension loses it: "Etching.vel3pst"
// is "Etching". A name that is nothing but the extension stays as it is.
std::string PresetNameOf(const std::string& name);

// The entries of a tree's list, in this order: "Default" (factory tree
// only); the subfolders as a tab and the name, ".." only below the top;
// the presets (files "*.vel3pst", any letter case, with the archive
// attribute) by name. A missing folder adds no folders and no presets.
std::vector<std::string> ListPresets(const PresetLibrary& library, PresetTree tree);

// Reads the named preset of the tree. False for an empty name, a folder
// entry, or a file that cannot be read as a preset (the block then keeps
// its values). Like ReadPreset, it leaves reloading the derived state to
// the caller.
bool LoadPresetByName(const PresetLibrary& library, const std::string& name, PresetTree tree,
                      ParameterBlock& block);

// Removes the named preset of the user tree. Failures are silent.
void DeletePreset(const PresetLibrary& library, const std::string& name);

// The questions of the save flow. The dialog answers them with windows,
// tests with scripted answers.
class PresetSavePrompts {
public:
    virtual ~PresetSavePrompts() = default;

    // Asks for the preset's name with `name` filled in (empty the first
    // time, the name typed last after a "No" to the overwrite question) and
    // stores the typed name there. False when the user cancels.
    virtual bool AskName(std::string& name) = 0;

    // The preset exists: Yes overwrites it, No asks for the name again,
    // Cancel ends the save. By default a warning message box asks.
    virtual AlertAnswer AskOverwrite(const std::string& path);

    // Called just before the file is written (the presets panel clears its
    // user list's selection).
    virtual void BeforeWrite() {}
};

enum class PresetSaveResult {
    Cancelled, // nothing written
    Failed,    // the file could not be written; the user was told
    Replaced,  // an existing preset was overwritten: its list entry stays
    Created,   // a new preset: the user list needs an entry for it
};

struct PresetSaveOutcome {
    PresetSaveResult Result;
    std::string Name; // the preset's name, without the extension
};

// Saves the block as a preset of the user tree's current subfolder under a
// name asked through `prompts`; an existing preset is replaced only after
// the overwrite question was answered Yes.
PresetSaveOutcome SavePreset(const PresetLibrary& library, const ParameterBlock& block,
                             PresetSavePrompts& prompts);

} // namespace vel
