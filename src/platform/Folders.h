#pragma once
// File-system services: folder listing with attributes, deletion, and the
// path of the running module.

#include <string>
#include <vector>

namespace vel {

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

struct FolderEntry {
    std::string Name;
    bool IsDirectory;
    bool IsArchive; // Windows' archive attribute; on posix every regular file
};

// Entries of `folder` whose names match `pattern` ("*" and "?" wildcards,
// letter case ignored as on Windows), "." and ".." included when they match.
// A missing folder lists nothing.
std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& pattern);

// Wildcard match with '*' and '?', ignoring ASCII letter case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

bool FileExists(const std::string& path);

// Removes a file; false when it could not be removed.
bool DeleteFileAt(const std::string& path);

// Moves `from` onto `to` in one step, replacing a file there: readers see
// either the old file or the new one, never a mixture. Both must be in the
// same folder. False (with both files as they were) when it cannot.
bool ReplaceFileWith(const std::string& from, const std::string& to);

// The module handle given at DLL attach (Windows); the executable is used
// when none was stored. Ignored on posix.
void StoreModuleHandle(void* module);
void* StoredModuleHandle();

// Full path of the module file: the DLL (or executable) on Windows, the
// executable on posix. Empty when the system cannot tell.
std::string ModulePath();

} // namespace vel
