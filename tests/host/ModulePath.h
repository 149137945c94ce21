#pragma once
// Where the build leaves the module, beside its data folder as packaged.

namespace vel::test {

inline constexpr char ModulePath[] = VEL_MODULE_PATH;

} // namespace vel::test
