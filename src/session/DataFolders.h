#pragma once
// The plug-in's data tree beside its module file:
//   <module folder>/VellistoIII/{Help,Presets,Papers,Papers/Thumb}/
// Every folder path ends with the separator. Nothing is created or checked
// here; a missing folder shows up as an empty listing where it is read.

#include <string>

namespace vel {

struct DataFolders {
    std::string ModuleFolder;
    std::string HelpFolder;
    std::string PresetsFolder;
    std::string PapersFolder;
    std::string ThumbsFolder;
};

// Paths for a module at `modulePath`, using `separator` between parts. The
// module folder is the path cut after its last separator, so it is right for
// any module file name.
DataFolders DataFoldersFor(const std::string& modulePath, char separator);

// Paths for the running module, with the platform's separator.
DataFolders ComputeDataFolders();

} // namespace vel
