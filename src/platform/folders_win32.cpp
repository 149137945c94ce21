#include "platform/Folders.h"

#include <windows.h>

namespace vel {

std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& pattern)
{
    std::vector<FolderEntry> entries;
    std::string query = folder;
    if (!query.empty() && query.back() != '\\' && query.back() != '/')
        query += '\\';
    query += pattern;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(query.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileAt(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool ReplaceFileWith(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::string ModulePath()
{
    char buffer[MAX_PATH + 1];
    const DWORD length =
        GetModuleFileNameA(static_cast<HMODULE>(StoredModuleHandle()), buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(buffer, length);
}

} // namespace vel
