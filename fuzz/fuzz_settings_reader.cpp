// Any bytes as the settings file: the reader may change only the window
// geometry, and what it read must survive a write and read.

#include "FuzzFiles.h"

#include "params/SettingsFile.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& folder = fuzz::ScratchFolder();
    fuzz::WriteBytes(folder + SettingsFileName, data, size);

    auto block = std::make_unique<ParameterBlock>();
    ResetWindowGeometry(*block);
    const ParameterBlock before = *block;
    ReadSettings(folder, *block);

    // Everything after the eight geometry fields stays as it was.
    constexpr size_t parameters = offsetof(ParameterBlock, PaletteColorADD);
    const auto* now = reinterpret_cast<const unsigned char*>(block.get());
    const auto* was = reinterpret_cast<const unsigned char*>(&before);
    if (std::memcmp(now + parameters, was + parameters, sizeof before - parameters) != 0)
        std::abort();

    WriteSettings(folder, *block);
    auto again = std::make_unique<ParameterBlock>(before);
    ReadSettings(folder, *again);
    if (std::memcmp(again.get(), block.get(), sizeof before) != 0)
        std::abort();
    return 0;
}
