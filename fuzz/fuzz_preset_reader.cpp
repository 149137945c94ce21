// Any bytes as a preset file: the reader must neither crash nor touch memory
// outside the block, must leave the paper name terminated, and what it read
// must survive a second write and read unchanged.

#include "FuzzFiles.h"

#include "params/PresetFile.h"

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = fuzz::ScratchFolder() + "input.vel3pst";
    const std::string first = fuzz::ScratchFolder() + "first.vel3pst";
    const std::string second = fuzz::ScratchFolder() + "second.vel3pst";
    fuzz::WriteBytes(input, data, size);

    // A heap block of exactly its own size, so that the sanitizer sees any
    // write beyond it.
    auto block = std::make_unique<ParameterBlock>();
    ResetWindowGeometry(*block);
    if (!ReadPreset(input, *block))
        return 0;
    if (std::memchr(block->PaperName, '\0', PaperNameSize) == nullptr)
        std::abort();

    // Two decimals settle after one write: the second and third texts agree.
    if (!WritePreset(first, *block))
        std::abort();
    auto again = std::make_unique<ParameterBlock>(*block);
    if (!ReadPreset(first, *again) || !WritePreset(second, *again))
        std::abort();
    if (fuzz::ReadBytes(first) != fuzz::ReadBytes(second))
        std::abort();
    return 0;
}
