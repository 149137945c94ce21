#pragma once
// The settings file "VellistoIII.ini" beside the module: the position and
// size of the main dialog and of the character window, remembered across
// runs. No other parameter is stored there.

#include "params/ParameterBlock.h"

#include <string>

namespace vel {

inline constexpr char SettingsFileName[] = "VellistoIII.ini";

// Sets each window-geometry field for which the file in `moduleFolder` (a
// path ending with its separator) has a line; the others keep their values.
// A missing or unreadable file changes nothing.
void ReadSettings(const std::string& moduleFolder, ParameterBlock& block);

// Creates or truncates the file and writes the eight geometry fields. A file
// that cannot be written is silently skipped.
void WriteSettings(const std::string& moduleFolder, const ParameterBlock& block);

} // namespace vel
