// Render hashes: a matrix of parameter sets (every pattern, schema, paper,
// interaction, coverage and edge kind) rendered on a small generated
// picture. Every hash was recorded after looking at its picture; the same
// hashes must come out of every build. With VEL_RENDER_DUMP=<folder> the
// pictures are written there as PPM files (scripts/contact-sheet.sh turns
// them into the contact sheet in docs/).

#include "engine/RenderDriver.h"
#include "params/ParameterSettings.h"
#include "platform/Threads.h"
#include "support/MemoryHost.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace vel {
namespace {

struct RenderCase {
    const char* Name;
    std::vector<const char*> Settings;
    uint64_t Hash;
};

// clang-format off
const RenderCase Cases[] = {
    {"lines",            {"Geometry1=Lines"}, 0x1d734cede6d8e8cdu},
    {"waves-1",          {"Geometry1=Waves 1", "Amplitude1=20", "Frequency1=25"}, 0x6520c42fce242914u},
    {"waves-2",          {"Geometry1=Waves 2", "Amplitude1=20", "Frequency1=25"}, 0xd0ecc641816146bdu},
    {"waves-3",          {"Geometry1=Waves 3", "Amplitude1=20", "Frequency1=25"}, 0xba176fd3b068acbu},
    {"waves-4",          {"Geometry1=Waves 4", "Amplitude1=20", "Frequency1=25"}, 0x90a9b0c6cce43270u},
    {"zigzag",           {"Geometry1=ZigZag", "Amplitude1=20", "Frequency1=25"}, 0xec22792243865ab2u},
    {"zigzag-1",         {"Geometry1=ZigZag 1", "Amplitude1=20", "Frequency1=25"}, 0x49eda83afefec66u},
    {"zigzag-2",         {"Geometry1=ZigZag 2", "Amplitude1=20", "Frequency1=25"}, 0x9a05388c00123503u},
    {"custom-palette",   {"ColorSchema=Custom palette", "NInks=3"}, 0xf1487e3c177967b7u},
    {"cmyk-palette",     {"ColorSchema=CMYK palette"}, 0xb5f1ea242f62e163u},
    {"rgb-palette",      {"ColorSchema=RGB palette"}, 0xe8a35c4ff034c66eu},
    {"initial-colors",   {"ColorSchema=Initial colors"}, 0x94d0841951146f7eu},
    {"circles",          {"Big1=1", "Space1=12"}, 0x5b2a04f69eae9d8au},
    {"circles-unlinked", {"Big1=1", "LinkWidth1=0"}, 0x156ab00336837976u},
    {"relief",           {"BRelief1=60"}, 0xe1d8c2789b8facdau},
    {"noise",            {"Noise1=60", "LoNoiseIntensity1=50", "RoughnessIntensity1=50"}, 0xe72241617d6d97d4u},
    {"discontinuous",    {"Discontinuous1=50", "DiscontinuousRandom1=30"}, 0xba937d27c6053bf8u},
    {"combine",          {"Invert1=Combine"}, 0x2f483e74ff9acf85u},
    {"negative",         {"Invert1=Negative"}, 0x7e72dd1083324721u},
    {"two-add",          {"LayerTwoExist=1", "Interfere=Add"}, 0x59e30142dd1719fau},
    {"two-subtract",     {"LayerTwoExist=1", "Interfere=Subtract"}, 0x5adcc4f94ec223e9u},
    {"two-and",          {"LayerTwoExist=1", "Interfere=Logical And"}, 0x74ffe52cd9d613aau},
    {"two-xor",          {"LayerTwoExist=1", "Interfere=Logical Xor"}, 0x63e2e1e627734af3u},
    {"two-interfere",    {"LayerTwoExist=1", "Interfere=Interfere"}, 0x1bbfc730505b697du},
    {"two-cross",        {"LayerTwoExist=1", "Interfere=Cross"}, 0x6ca1cd000ae118edu},
    {"paper-none",       {"PaperName=None"}, 0xee00cc81039a9aacu},
    {"paper-solid",      {"PaperName=Solid", "PaperColor=0x0080C0E0"}, 0x3ece5faf82d5a388u},
    {"paper-original",   {"PaperName=texture.bmp", "PaperSchema=Original"}, 0x605cb7b9891ba7b8u},
    {"paper-surface",    {"PaperName=texture.bmp", "PaperSchema=Surface", "PaperColor=0x00A0D0F0"}, 0x98dff5023dc645e6u},
    {"paper-colorized",  {"PaperName=texture.bmp", "PaperSchema=Colorized", "PaperColor=0x00A0D0F0",
                          "PaperColorization=60"}, 0xe7e849efeec2c5a6u},
    {"emboss",           {"EmbossDepth=60"}, 0x67c9c04953c28197u},
    {"deboss-texture",   {"EmbossDepth=-40", "PaperName=texture.bmp"}, 0xe5ec20da124cbe09u},
    {"opacity-minus-50", {"InksOpacity=-50", "PaperName=texture.bmp", "ColorSchema=RGB palette"}, 0xd3e8e7cf40c4fd85u},
    {"opacity-50",       {"InksOpacity=50", "PaperName=texture.bmp", "ColorSchema=RGB palette"}, 0xe2f374b52daf2788u},
    {"rings", {"Geometry1=Rings"}, 0xa39888fd2284b755u},
    {"rings-waves-1", {"Geometry1=Rings Waves 1"}, 0x83cb338fd2514c12u},
    {"rings-waves-2", {"Geometry1=Rings Waves 2"}, 0xa74add20f14a2008u},
    {"rings-waves-3", {"Geometry1=Rings Waves 3"}, 0xe53eb74b5a92ab10u},
    {"rings-waves-4", {"Geometry1=Rings Waves 4"}, 0x2cfd68b678577ca2u},
    {"rings-waves-5", {"Geometry1=Rings Waves 5"}, 0x4ca2e6fb77600965u},
    {"rings-waves-6", {"Geometry1=Rings Waves 6"}, 0x58a0b54f05772d18u},
    {"rings-zigzag", {"Geometry1=Rings ZigZag"}, 0xca745765a9f37442u},
    {"rings-zigzag-1", {"Geometry1=Rings ZigZag 1"}, 0xdf6cd13262326bcbu},
    {"rings-zigzag-2", {"Geometry1=Rings ZigZag 2"}, 0xf89cf17fdaa5b000u},
    {"spiral", {"Geometry1=Spiral"}, 0x94f1ec863d061cd2u},
    {"spiral-waves-1", {"Geometry1=Spiral Waves 1"}, 0x6ebcf78d7c3acaafu},
    {"spiral-waves-2", {"Geometry1=Spiral Waves 2"}, 0x564e1d1904ccde3cu},
    {"spiral-waves-3", {"Geometry1=Spiral Waves 3"}, 0x2749c0fda5e58643u},
    {"spiral-waves-4", {"Geometry1=Spiral Waves 4"}, 0x183382a4541cce2eu},
    {"spiral-waves-5", {"Geometry1=Spiral Waves 5"}, 0x97cdf72dc246f149u},
    {"spiral-waves-6", {"Geometry1=Spiral Waves 6"}, 0xcfc04e52455c952cu},
    {"spiral-zigzag", {"Geometry1=Spiral ZigZag"}, 0x457bf82e7843a5c1u},
    {"spiral-zigzag-1", {"Geometry1=Spiral ZigZag 1"}, 0x15af3edd4f322699u},
    {"spiral-zigzag-2", {"Geometry1=Spiral ZigZag 2"}, 0xa58ce388b463051au},
    {"box", {"Geometry1=Box"}, 0xba3c3728db001dfau},
    {"box-wave-1", {"Geometry1=Box Wave 1"}, 0x6ad3f83ec22d96a8u},
    {"box-wave-2", {"Geometry1=Box Wave 2"}, 0x5a026a64a238c72cu},
    {"box-wave-3", {"Geometry1=Box Wave 3"}, 0x6ad3f83ec22d96a8u},
    {"box-wave-4", {"Geometry1=Box Wave 4"}, 0x6ad3f83ec22d96a8u},
    {"box-zigzag", {"Geometry1=Box ZigZag"}, 0x72cf736523f94907u},
    {"box-zigzag-1", {"Geometry1=Box ZigZag 1"}, 0x72cf736523f94907u},
    {"box-zigzag-2", {"Geometry1=Box ZigZag 2"}, 0x72cf736523f94907u},
    {"box-wave-nonuniform-1", {"Geometry1=Box Wave Nonuniform 1"}, 0x61a1cb58946d848cu},
    {"box-wave-nonuniform-2", {"Geometry1=Box Wave Nonuniform 2"}, 0x80fdf2982a6ccccu},
    {"box-wave-nonuniform-3", {"Geometry1=Box Wave Nonuniform 3"}, 0x2716ea4d2a40aeb1u},
    {"box-wave-nonuniform-4", {"Geometry1=Box Wave Nonuniform 4"}, 0xece12ecbb5a083d7u},
    {"box-zigzag-nonuniform", {"Geometry1=Box ZigZag Nonuniform"}, 0xd27e692f223be4a2u},
    {"star-4", {"Geometry1=Star 4"}, 0x3b352f6954db030du},
    {"star-5", {"Geometry1=Star 5"}, 0x4a9fb0b26e2b8953u},
    {"star-6", {"Geometry1=Star 6"}, 0x598cb7274c126eb6u},
    {"star-8", {"Geometry1=Star 8"}, 0x384e6913a1fb940du},
    {"iso-lines-1", {"Geometry1=Iso Lines 1"}, 0x3f9f20deaef7a99fu},
    {"iso-lines-2", {"Geometry1=Iso Lines 2"}, 0x7a3962c2a7f99160u},
    {"rings-centre-outside", {"Geometry1=Rings Waves 1", "CenterX1=-100", "CenterY1=100", "Space1=8"}, 0x2c5b3d6884ba284au},
    {"spiral-off-centre", {"Geometry1=Spiral", "CenterX1=40", "CenterY1=-30", "Space1=8"}, 0x400c02f732d77297u},
    {"coverage-carved-seed-0", {"Coverage1=40", "CoverageSmooth1=0", "CoverageInvert1=0", "CoverageRandom1=0"}, 0xa98a9f2e7c8bb312u},
    {"coverage-carved-seed-7", {"Coverage1=40", "CoverageSmooth1=0", "CoverageInvert1=0", "CoverageRandom1=7"}, 0x6e0b0dd3b94e942fu},
    {"coverage-carved-inverted-seed-0", {"Coverage1=40", "CoverageSmooth1=0", "CoverageInvert1=1", "CoverageRandom1=0"}, 0x292e6c5dc76199d2u},
    {"coverage-carved-inverted-seed-7", {"Coverage1=40", "CoverageSmooth1=0", "CoverageInvert1=1", "CoverageRandom1=7"}, 0x9ead4660f41ca5a5u},
    {"coverage-smooth-seed-0", {"Coverage1=40", "CoverageSmooth1=1", "CoverageInvert1=0", "CoverageRandom1=0"}, 0xb0120402c56a9e78u},
    {"coverage-smooth-seed-7", {"Coverage1=40", "CoverageSmooth1=1", "CoverageInvert1=0", "CoverageRandom1=7"}, 0x61e1e801b2650687u},
    {"coverage-smooth-inverted-seed-0", {"Coverage1=40", "CoverageSmooth1=1", "CoverageInvert1=1", "CoverageRandom1=0"}, 0xd4e52e82079b4ca6u},
    {"coverage-smooth-inverted-seed-7", {"Coverage1=40", "CoverageSmooth1=1", "CoverageInvert1=1", "CoverageRandom1=7"}, 0x72d47acbe1aeac9u},
    {"nodules-49", {"EdgeType1=Nodules", "EdgeWidth1=49"}, 0x3b1eac165575ebf3u},
    {"nodules-50", {"EdgeType1=Nodules", "EdgeWidth1=50"}, 0x430aa03c27cbb274u},
    {"bruise-49", {"EdgeType1=Bruise", "EdgeWidth1=49"}, 0x3b1eac165575ebf3u},
    {"bruise-50", {"EdgeType1=Bruise", "EdgeWidth1=50"}, 0x430aa03c27cbb274u},
    {"doubles-49", {"EdgeType1=Doubles", "EdgeWidth1=49"}, 0x36ab210a3da126eeu},
    {"doubles-50", {"EdgeType1=Doubles", "EdgeWidth1=50"}, 0x11deb6c00d7c9172u},
};
// clang-format on

// A 16 × 16 soft grain as the paper texture.
void WriteTexture(const std::string& path)
{
    constexpr int Size = 16;
    std::vector<uint8_t> rgb(Size * Size * 3);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const uint8_t v = uint8_t(150 + ((x * 37 + y * 91 + x * y * 13) % 97));
            uint8_t* p = &rgb[size_t(y * Size + x) * 3];
            p[0] = v;
            p[1] = uint8_t(v - 10);
            p[2] = uint8_t(v - 30);
        }
    test::WriteBmp(path, Size, Size, rgb);
}

void WritePpm(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), std::streamsize(rgb.size()));
}

// The thread count of a render for the life of the object; 0 restores the
// machine's (or VELLISTO_THREADS's) choice.
class RenderThreadsFor {
  public:
    explicit RenderThreadsFor(int count) { SetRenderThreads(count); }
    ~RenderThreadsFor() { SetRenderThreads(0); }
};

// The pictures do not depend on the thread count: one thread (the serial
// path), the machine's count, and more threads than bands of some planes.
class RenderHashes : public testing::TestWithParam<int> {};

TEST_P(RenderHashes, MatrixMatchesTheRecordedPictures)
{
    const RenderThreadsFor threads(GetParam());
    constexpr int Width = 96, Height = 64;
    test::TempFolder papers;
    WriteTexture(papers.Path() + "texture.bmp");
    const char* dump = std::getenv("VEL_RENDER_DUMP");

    int index = 0;
    for (const RenderCase& c : Cases) {
        RenderState state;
        state.PapersFolder = papers.Path();
        ParameterBlock params{};
        ResetWindowGeometry(params);
        for (const char* setting : c.Settings)
            ASSERT_EQ(ApplySetting(params, setting), "") << c.Name;

        test::MemoryHost host(Width, Height, 3);
        ASSERT_EQ(RenderImage(state, params, host), NoErr) << c.Name;
        const uint64_t hash = test::HashBytes(host.Output);
        EXPECT_EQ(hash, c.Hash) << c.Name << ": 0x" << std::hex << hash;
        if (dump) {
            char name[128];
            std::snprintf(name, sizeof name, "%s/%02d-%s.ppm", dump, index, c.Name);
            WritePpm(name, host.Output, Width, Height);
        }
        ++index;
    }
}

// Pictures large enough that the threaded walks take many chunks and batches
// (parallel lines skip the random sequence ahead line by line; other
// patterns queue their stamps): with two and three threads they equal the
// serial render, byte for byte, including a second layer and further inks
// that continue the sequence where the first walk left it, and a palette
// extracted from the picture.
TEST(RenderThreads, LargePicturesEqualTheSerialRender)
{
    constexpr int Width = 640, Height = 400;
    const std::vector<std::vector<const char*>> settings = {
        {},
        {"BRelief1=40", "Noise1=30", "ColorSchema=CMYK palette", "NInks=3"},
        {"LayerTwoExist=1", "Geometry2=ZigZag", "Noise2=20", "Width1=3"},
        {"Geometry1=Star 6", "Noise1=20"},
        {"ColorSchema=RGB palette", "NInks=3", "EdgeType1=Nodules"},
    };
    for (const auto& set : settings) {
        ParameterBlock params{};
        ResetWindowGeometry(params);
        for (const char* setting : set)
            ASSERT_EQ(ApplySetting(params, setting), "") << setting;
        std::vector<uint8_t> serial;
        for (const int threads : {1, 2, 3}) {
            const RenderThreadsFor count(threads);
            RenderState state;
            test::MemoryHost host(Width, Height, 3);
            ASSERT_EQ(RenderImage(state, params, host), NoErr);
            if (threads == 1)
                serial = host.Output;
            else
                EXPECT_TRUE(host.Output == serial)
                    << threads << " threads, settings " << (set.empty() ? "default" : set[0]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ThreadCounts, RenderHashes, testing::Values(0, 1, 4),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == 0 ? std::string("Machine")
                                                    : std::to_string(info.param) + "Threads";
                         });

} // namespace
} // namespace vel
