// vellisto: the command-line face of the engraving engine.

#include "Engrave.h"
#include "ParameterListing.h"
#include "params/ParameterBlock.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char Usage[] =
    "usage: vellisto engrave INPUT OUTPUT [options]\n"
    "       vellisto engrave INPUT... --out-dir DIR [options]\n"
    "       vellisto params     print the default parameter set\n"
    "options:\n"
    "  --preset FILE|NAME   start from a preset file or a factory preset\n"
    "  --set NAME=VALUE     set a parameter (e.g. Geometry1=\"Rings Waves 2\", Width2=30)\n"
    "  --data DIR           the VellistoIII data folder (default: beside the program)\n"
    "  --quiet              no progress and no summary\n"
    "  --threads N          render with N threads (default: VELLISTO_THREADS, else every processor)\n";

int PrintDefaults()
{
    vel::ParameterBlock block{};
    vel::ResetWindowGeometry(block);
    std::fputs(vel::DescribeParameters(block).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "params")
        return PrintDefaults();
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (!args.empty() && args[0] == "engrave") {
        vel::EngraveOptions options;
        const std::string error =
            vel::ParseEngraveArguments(std::vector<std::string>(args.begin() + 1, args.end()), options);
        if (!error.empty()) {
            std::fprintf(stderr, "vellisto: %s\n%s", error.c_str(), Usage);
            return 2;
        }
        return vel::RunEngrave(options);
    }
    std::fputs(Usage, stderr);
    return 2;
}
