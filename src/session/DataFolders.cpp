#include "session/DataFolders.h"

#include "platform/Folders.h"

namespace vel {

DataFolders DataFoldersFor(const std::string& modulePath, char separator)
{
    DataFolders folders;
    const size_t cut = modulePath.find_last_of(separator);
    folders.ModuleFolder = cut == std::string::npos ? std::string() : modulePath.substr(0, cut + 1);
    const std::string tree = folders.ModuleFolder + "VellistoIII" + separator;
    folders.HelpFolder = tree + "Help" + separator;
    folders.PresetsFolder = tree + "Presets" + separator;
    folders.PapersFolder = tree + "Papers" + separator;
    folders.ThumbsFolder = folders.PapersFolder + "Thumb" + separator;
    return folders;
}

DataFolders ComputeDataFolders() { return DataFoldersFor(ModulePath(), PathSeparator); }

} // namespace vel
