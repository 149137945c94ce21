#include "platform/Folders.h"
#include "session/DataFolders.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

TEST(DataFolders, WindowsModulePathGivesTheBackslashTree)
{
    const DataFolders f = DataFoldersFor("C:\\Filters\\VellistoIII.8bf", '\\');
    EXPECT_EQ(f.ModuleFolder, "C:\\Filters\\");
    EXPECT_EQ(f.HelpFolder, "C:\\Filters\\VellistoIII\\Help\\");
    EXPECT_EQ(f.PresetsFolder, "C:\\Filters\\VellistoIII\\Presets\\");
    EXPECT_EQ(f.PapersFolder, "C:\\Filters\\VellistoIII\\Papers\\");
    EXPECT_EQ(f.ThumbsFolder, "C:\\Filters\\VellistoIII\\Papers\\Thumb\\");
}

TEST(DataFolders, FolderIsCutAfterTheLastSeparatorWhateverTheModuleName)
{
    EXPECT_EQ(DataFoldersFor("C:\\Plug-ins\\Vellisto III (x64).8bf", '\\').ModuleFolder, "C:\\Plug-ins\\");
    const DataFolders posix = DataFoldersFor("/opt/vellisto/bin/vellisto", '/');
    EXPECT_EQ(posix.ModuleFolder, "/opt/vellisto/bin/");
    EXPECT_EQ(posix.PresetsFolder, "/opt/vellisto/bin/VellistoIII/Presets/");
    EXPECT_EQ(posix.ThumbsFolder, "/opt/vellisto/bin/VellistoIII/Papers/Thumb/");
    EXPECT_EQ(DataFoldersFor("bare.8bf", '\\').HelpFolder, "VellistoIII\\Help\\");
}

TEST(DataFolders, RunningModuleUsesItsOwnFolder)
{
    const DataFolders f = ComputeDataFolders();
    ASSERT_FALSE(f.ModuleFolder.empty());
    EXPECT_EQ(f.ModuleFolder.back(), PathSeparator);
    EXPECT_EQ(ModulePath().rfind(f.ModuleFolder, 0), 0u);
}

} // namespace
} // namespace vel
