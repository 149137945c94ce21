#pragma once
// One parameter field set by its name, with a number or,
// for enumerations, a display name.

#include "params/ParameterBlock.h"

#include <string>

namespace vel {

// Applies "NAME=VALUE" to the block. Returns an empty string on success,
// otherwise a one-line error (unknown names suggest the closest ones).
std::string ApplySetting(ParameterBlock& block, const std::string& setting);

} // namespace vel
