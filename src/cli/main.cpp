// vellisto: the command-line face of the engraving engine.

#include "ParameterListing.h"
#include "params/ParameterBlock.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char Usage[] =
    "usage: vellisto params     print the default parameter set\n"
    "       vellisto --help     show this text\n";

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
    if (argc >= 2 && std::strcmp(argv[1], "params") == 0)
        return PrintDefaults();
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(Usage, stdout);
        return 0;
    }
    std::fputs(Usage, stderr);
    return 2;
}
