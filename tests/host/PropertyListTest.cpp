#include "ByteReader.h"
#include "LoadedModule.h"
#include "ModulePath.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace vel::test {
namespace {

std::string Code(uint32_t code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += char(code >> shift);
    return text;
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Little(std::initializer_list<uint32_t> values)
{
    std::vector<uint8_t> bytes;
    for (uint32_t v : values)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(uint8_t(v >> (8 * i)));
    return bytes;
}

class ModuleResources : public testing::Test {
  protected:
    LoadedModule module{ModulePath};
};

TEST_F(ModuleResources, PropertyListHasEveryPropertyInOrder)
{
    ASSERT_TRUE(module.Loaded()) << ModulePath;
    ASSERT_EQ(module.ResourceIds("PiPL"), std::vector<uintptr_t>{16000});
    const std::vector<uint8_t> resource = module.Resource("PiPL", 16000);
    EXPECT_EQ(resource.size(), 394u);
    const PropertyList list = ParsePropertyList(resource);
    ASSERT_TRUE(list.Complete) << "padded lengths walk to the end of the resource";
    EXPECT_EQ(list.Reserved, 1);
    EXPECT_EQ(list.Version, 0);

    const std::string hstm = std::string("\0\0\0\0"
                                         "3LEV"
                                         "3LEV",
                                         12) +
                             std::string("\x80\x3E", 2) +
                             std::string("d9543b0c-3c91-11d4-97bc-00b017022014\0\0", 38);
    const struct {
        const char* Key;
        std::vector<uint8_t> Data;
    } expected[] = {
        {"kind", Bytes("MFB8")},
        {"name", Bytes("\x0FVellisto III...")},
        {"catg", Bytes("\x07Nimbara")},
        {"vers", Little({0x00040000})},
        {"wx86", Bytes(std::string("PluginMain\0\0", 12))},
        {"8664", Bytes(std::string("PluginMain\0\0", 12))},
        {"mode", Bytes(std::string("\x18\0\0\0", 4))},
        {"hstm", Bytes(hstm)},
        {"enbl", Bytes(std::string("in (PSHOP_ImageMode, RGBMode, CMYKMode)\0", 40))},
        {"ms32", Little({2000000, 2000000})},
        {"flly", Bytes(std::string("\x80\0\0\0", 4))},
        {"fici", Bytes(std::string("\1\1\6\0"
                                   "\1\1\x0E\0"
                                   "\1\1\x0E\0"
                                   "\1\1\6\0"
                                   "\1\1\x0E\0"
                                   "\1\1\6\0"
                                   "\1\1\x0E\0",
                                   28))},
    };
    ASSERT_EQ(list.Properties.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const PropertyRecord& property = list.Properties[i];
        EXPECT_EQ(Code(property.Vendor), "8BIM");
        EXPECT_EQ(Code(property.Key), expected[i].Key);
        EXPECT_EQ(property.Id, 0);
        EXPECT_EQ(property.Length % 4, 0u) << expected[i].Key;
        EXPECT_EQ(property.Data, expected[i].Data) << expected[i].Key;
    }
}

TEST_F(ModuleResources, HostsFindTheEntryPointThroughThePropertyList)
{
    ASSERT_TRUE(module.Loaded()) << ModulePath;
    EXPECT_NE(module.FindFilterEntry(), nullptr);
    EXPECT_NE(module.Export("PluginMain"), nullptr);
}

TEST_F(ModuleResources, TerminologyDescribesTheScriptingEvent)
{
    ASSERT_TRUE(module.Loaded()) << ModulePath;
    const std::vector<uint8_t> aete = module.Resource("AETE", 16000);
    ASSERT_FALSE(aete.empty());
    ByteReader r(aete);
    EXPECT_EQ(r.U16(), 1);
    EXPECT_EQ(r.U8(), 1) << "major version";
    EXPECT_EQ(r.U8(), 0) << "minor version";
    EXPECT_EQ(r.U16(), 0) << "language";
    EXPECT_EQ(r.U16(), 0) << "script";
    EXPECT_EQ(r.U16(), 1) << "suites";
    EXPECT_EQ(r.Pascal(), "Nimbara");
    EXPECT_EQ(r.Pascal(), "Adobe example plug-ins");
    EXPECT_EQ(Code(r.U32()), "VEL3");
    EXPECT_EQ(r.U16(), 1) << "level";
    EXPECT_EQ(r.U16(), 1) << "version";
    EXPECT_EQ(r.U16(), 1) << "events";
    EXPECT_EQ(r.Pascal(), "Vellisto III");
    EXPECT_EQ(r.Pascal(), "dissolve example filter plug-in");
    EXPECT_EQ(Code(r.U32()), "VEL3");
    EXPECT_EQ(Code(r.U32()), "VEL3");
    EXPECT_EQ(Code(r.U32()), "null");
    EXPECT_EQ(r.Pascal(), "");
    EXPECT_EQ(r.U16(), 0);
    EXPECT_EQ(Code(r.U32()), "#ImR");
    EXPECT_EQ(r.Pascal(), "");
    EXPECT_EQ(r.U16(), 0xB000);
    EXPECT_EQ(r.U16(), 3) << "parameters";
    const struct {
        const char *Name, *Key, *Type, *Description;
        uint16_t Flags;
    } parameters[] = {
        {"amount", "Amnt", "doub", "dissolve amount", 0},
        {"disposition", "disP", "mooD", "dissolve disposition", 0x2000},
        {"ignore selection", "ignS", "bool", "filter entire image", 0},
    };
    for (const auto& p : parameters) {
        EXPECT_EQ(r.Pascal(), p.Name);
        EXPECT_EQ(Code(r.U32()), p.Key);
        EXPECT_EQ(Code(r.U32()), p.Type);
        EXPECT_EQ(r.Pascal(), p.Description);
        EXPECT_EQ(r.U16(), p.Flags);
    }
    EXPECT_EQ(r.U16(), 0) << "classes";
    EXPECT_EQ(r.U16(), 0) << "comparison operators";
    EXPECT_EQ(r.U16(), 1) << "enumerations";
    EXPECT_EQ(Code(r.U32()), "mooD");
    EXPECT_EQ(r.U16(), 4);
    const struct {
        const char *Name, *Code, *Description;
    } enumerators[] = {
        {"clear", "moD0", "clear headed"},
        {"cool", "moD1", "got the blues"},
        {"hot", "moD2", "red-faced"},
        {"sick", "moD3", "green with envy"},
    };
    for (const auto& e : enumerators) {
        EXPECT_EQ(r.Pascal(), e.Name);
        EXPECT_EQ(Code(r.U32()), e.Code);
        EXPECT_EQ(r.Pascal(), e.Description);
    }
    EXPECT_FALSE(r.Failed());
    EXPECT_TRUE(r.AtEnd()) << "no padding after the last string";
}

TEST_F(ModuleResources, VersionAndManifestAreThere)
{
    ASSERT_TRUE(module.Loaded()) << ModulePath;
    EXPECT_FALSE(module.Resource(MAKEINTRESOURCEA(16), 1).empty());
    const std::vector<uint8_t> manifest = module.Resource(MAKEINTRESOURCEA(24), 2);
    const std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

} // namespace
} // namespace vel::test
