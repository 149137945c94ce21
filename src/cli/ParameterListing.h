#pragma once

#include "params/ParameterBlock.h"

#include <string>

namespace vel {

// The parameter block as readable "Name = value" lines, common fields first,
// then layer one and (when present) layer two. Enumerations show their
// display name after the number.
std::string DescribeParameters(const ParameterBlock& block);

} // namespace vel
