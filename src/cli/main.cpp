// vellisto: the command-line face of the engraving engine.

#include "Commands.h"
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
    "       vellisto preset write FILE [--preset P] [--set NAME=VALUE]... [--data DIR]\n"
    "       vellisto preset show FILE\n"
    "       vellisto presets [--data DIR]   the factory and user presets\n"
    "       vellisto patterns               the patterns and their numbers\n"
    "       vellisto params                 the default parameter set\n"
    "       vellisto completion             a bash completion script\n"
    "       vellisto --version\n"
    "Each command takes --help.\n";

constexpr char EngraveUsage[] =
    "usage: vellisto engrave INPUT OUTPUT [options]\n"
    "       vellisto engrave INPUT... --out-dir DIR [options]\n"
    "Engraves pictures (PNG, JPEG, TIFF, WebP, BMP and what else libvips reads;\n"
    "8 or 16 bits, grey, RGB or CMYK) into OUTPUT (.png, .jpg, .tif, .webp, .bmp).\n"
    "options:\n"
    "  --preset FILE|NAME   start from a preset file or a factory or user preset\n"
    "  --set NAME=VALUE     set a parameter (e.g. Geometry1=\"Rings Waves 2\", Width2=30)\n"
    "  --out-dir DIR        with several inputs: write DIR/<name>.png for each\n"
    "  --data DIR           the VellistoIII data folder (default: beside the program)\n"
    "  --quiet              no progress and no summary\n"
    "  --plates DIR         also write each ink's plate into DIR as a greyscale TIFF,\n"
    "                       black where the ink prints (ink1-1a1a1a.tif: number, colour)\n"
    "  --plate-threshold N  with --plates: one-bit plates, inked where coverage >= N (1..255)\n"
    "  --threads N          render with N threads (default: VELLISTO_THREADS, else every processor)\n";

constexpr char ParamsUsage[] = "usage: vellisto params\n"
                               "Prints the default parameter set, by name.\n";

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
    if (args.empty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::puts(vel::VersionLine().c_str());
        return 0;
    }
    if (command == "engrave") {
        if (vel::AsksForHelp(rest)) {
            std::fputs(EngraveUsage, stdout);
            return 0;
        }
        vel::EngraveOptions options;
        const std::string error = vel::ParseEngraveArguments(rest, options);
        if (!error.empty()) {
            std::fprintf(stderr, "vellisto: %s\n%s", error.c_str(), EngraveUsage);
            return 2;
        }
        return vel::RunEngrave(options);
    }
    if (command == "params") {
        if (vel::AsksForHelp(rest)) {
            std::fputs(ParamsUsage, stdout);
            return 0;
        }
        return PrintDefaults();
    }
    if (command == "preset")
        return vel::RunPresetCommand(rest);
    if (command == "presets")
        return vel::RunPresetsCommand(rest);
    if (command == "patterns")
        return vel::RunPatternsCommand(rest);
    if (command == "completion")
        return vel::RunCompletionCommand(rest);
    std::fprintf(stderr, "vellisto: unknown command \"%s\"\n%s", command.c_str(), Usage);
    return 2;
}
