#include "platform/Folders.h"

#include "platform/AsciiText.h"

namespace vel {

bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    // Iterative match with one backtrack point for the last '*'.
    size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

namespace {
void* ModuleHandle = nullptr;
}

void StoreModuleHandle(void* module) { ModuleHandle = module; }
void* StoredModuleHandle() { return ModuleHandle; }

} // namespace vel
