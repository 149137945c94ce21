#include "platform/Folders.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vel {

std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& pattern)
{
    std::vector<FolderEntry> entries;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return entries;
    std::string base = folder;
    if (!base.empty() && base.back() != '/')
        base += '/';
    while (const dirent* item = readdir(dir)) {
        const std::string name = item->d_name;
        if (!MatchesPattern(name, pattern))
            continue;
        struct stat info {};
        if (stat((base + name).c_str(), &info) != 0)
            continue;
        entries.push_back({name, S_ISDIR(info.st_mode), S_ISREG(info.st_mode)});
    }
    closedir(dir);
    // readdir's order is arbitrary; list by name like an NTFS folder.
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.Name < b.Name; });
    return entries;
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DeleteFileAt(const std::string& path) { return unlink(path.c_str()) == 0; }

bool ReplaceFileWith(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string ModulePath()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return std::string(buffer, size_t(length));
}

} // namespace vel
