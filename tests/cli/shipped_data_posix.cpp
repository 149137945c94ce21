// What ships in the data folder works with the tool: every factory preset
// engraves, and every paper texture prints in each of its three modes.

#include "Engrave.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <vips/vips8>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vel {
namespace {

namespace fs = std::filesystem;

const std::string Data = std::string(VEL_SOURCE_DIR) + "/data/VellistoIII";

class ShippedData : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_EQ(VIPS_INIT("test"), 0);
        std::vector<uint8_t> rgb(size_t(96) * 64 * 3);
        for (size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = uint8_t((i * 7 / 3) % 256);
        input = folder.Path() + "in.png";
        vips::VImage::new_from_memory(rgb.data(), rgb.size(), 96, 64, 3, VIPS_FORMAT_UCHAR)
            .write_to_file(input.c_str());
    }

    // Engraves the picture; returns the exit code and the output's bytes.
    int Engrave(std::vector<std::string> extra, std::string& picture)
    {
        const std::string output = folder.Path() + "out.png";
        std::vector<std::string> args = {input, output, "--quiet", "--data", Data};
        args.insert(args.end(), extra.begin(), extra.end());
        EngraveOptions options;
        if (!ParseEngraveArguments(args, options).empty())
            return 2;
        const int status = RunEngrave(options);
        std::ifstream in(output, std::ios::binary);
        picture.assign(std::istreambuf_iterator<char>(in), {});
        fs::remove(output);
        return status;
    }

    test::TempFolder folder;
    std::string input;
};

TEST_F(ShippedData, EveryFactoryPresetEngraves)
{
    int presets = 0;
    for (const auto& entry : fs::recursive_directory_iterator(Data + "/Presets/Basic")) {
        if (entry.path().extension() != ".vel3pst")
            continue;
        ++presets;
        std::string picture;
        EXPECT_EQ(Engrave({"--preset", entry.path().string()}, picture), 0) << entry.path();
        EXPECT_FALSE(picture.empty()) << entry.path();
    }
    EXPECT_GE(presets, 24);
}

TEST_F(ShippedData, EveryPaperPrintsInEachMode)
{
    std::string white;
    ASSERT_EQ(Engrave({}, white), 0);
    int papers = 0;
    for (const auto& entry : fs::directory_iterator(Data + "/Papers")) {
        if (!entry.is_regular_file())
            continue;
        ++papers;
        const std::string name = entry.path().filename().string();
        for (const char* mode : {"Original", "Surface", "Colorized"}) {
            std::string picture;
            EXPECT_EQ(Engrave({"--set", "PaperName=" + name, "--set", std::string("PaperSchema=") + mode,
                               "--set", "PaperColor=0x4080C0"},
                              picture),
                      0)
                << name << " " << mode;
            EXPECT_NE(picture, white) << name << " " << mode;
        }
    }
    EXPECT_GE(papers, 7);
}

} // namespace
} // namespace vel
