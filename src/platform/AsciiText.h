#pragma once
// Locale-independent ASCII text helpers shared by the file formats.

#include <cstddef>

namespace vel {

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Compares at most n characters ignoring ASCII letter case; stops after a NUL
// common to both. True when equal.
constexpr bool EqualIgnoringCase(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
        if (a[i] == '\0')
            return true;
    }
    return true;
}

} // namespace vel
