#pragma once
// Preset files (".vel3pst"): every parameter except the window geometry as
// single-byte text that a user can keep, exchange and edit by hand. Each
// value line is a four-character key, a space, the value, a space and a
// comment naming the field.

#include "params/ParameterBlock.h"

#include <string>

namespace vel {

inline constexpr char PresetHeader[] = "VellistoIII Preset;";
inline constexpr char PresetExtension[] = "vel3pst";

// Writes the block's parameters to `path`, creating or truncating the file.
// When that fails the user sees "Cannot Save File!" and the result is false.
bool WritePreset(const std::string& path, const ParameterBlock& block);

// Reads a preset into the block. Fields the file names take its values, all
// others keep theirs; the paper name loses its trailing spaces. False, with
// nothing changed, when the file cannot be opened or does not begin with
// the header. The caller then reloads the state derived from the block
// (ReloadInkState), which applies the paper name again.
bool ReadPreset(const std::string& path, ParameterBlock& block);

} // namespace vel
