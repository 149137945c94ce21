#include "FakeHost.h"

#include "params/FieldTable.h"
#include "session/DescriptorKeys.h"
#include "session/DescriptorRegistry.h"

#include <gtest/gtest.h>

namespace vel::test {
namespace {

ParameterBlock Defaults()
{
    ParameterBlock block = {};
    ResetWindowGeometry(block);
    return block;
}

class Registry : public testing::Test {
  protected:
    Registry() : Registry(HostOptions{}) {}
    explicit Registry(HostOptions options) : host(plugInModeRGBColor, FakeImage(2, 2, 3), options) {}

    const FakeDescriptor* Registered()
    {
        const auto found = host.Registry().find(RegistryKey);
        return found == host.Registry().end() ? nullptr : &found->second;
    }

    FakeHost host;
    const SPBasicSuite* basic = host.Record().sSPBasic;
    ParameterBlock block = Defaults();
};

TEST_F(Registry, RegistersCommonAndLayerOneKeysPersistently)
{
    block.Layers[0].Width = 9.5f;
    ASSERT_EQ(RegisterParameters(basic, block), noErr);
    const FakeDescriptor* registered = Registered();
    ASSERT_NE(registered, nullptr);
    EXPECT_TRUE(host.RegisteredPersistently(RegistryKey));
    EXPECT_EQ(registered->Items.size(), 14u + 36u) << "no layer two, no indexed keys";
    EXPECT_EQ(registered->Find(FourCC("Wdt1"))->Float, 9.5);
    EXPECT_EQ(registered->Find(FourCC("PrNm"))->Text, "Solid");
    EXPECT_EQ(registered->Find(FourCC("L2Ex"))->Type, typeBoolean);
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(host.LiveActionDescriptors(), 0);

    block.LayerTwoExist = 1;
    RegisterParameters(basic, block);
    EXPECT_EQ(Registered()->Items.size(), 14u + 72u);
}

TEST_F(Registry, ReadsEveryKeyOnItsOwn)
{
    FakeDescriptor registered;
    registered.PutInteger(FourCC("NInk"), 4);
    registered.PutInteger(FourCC("ClSt"), 0x103);
    registered.PutFloat(FourCC("PrSc"), 2); // the wrong type: left as it was
    registered.PutBoolean(FourCC("L2Ex"), false);
    registered.PutFloat(FourCC("Ang2"), 66); // layer two is read whatever L2Ex says
    registered.PutBoolean(FourCC("CvI1"), true);
    registered.PutString(FourCC("PrNm"), "Linen");
    host.Registry()[RegistryKey] = registered;

    ASSERT_EQ(ReadRegistry(basic, block), noErr);
    EXPECT_EQ(block.NInks, 4);
    EXPECT_EQ(block.ColorSchema, 3) << "stored as a byte";
    EXPECT_EQ(block.PaperSchema, 0);
    EXPECT_EQ(block.Layers[1].Angle, 66);
    EXPECT_EQ(block.Layers[0].CoverageInvert, 1);
    EXPECT_STREQ(block.PaperName, "Linen");
    EXPECT_EQ(block.Layers[0].Angle, 30) << "missing keys keep their values";
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(host.LiveActionDescriptors(), 0);
}

TEST_F(Registry, RoundTripsThroughTheHost)
{
    ParameterBlock original = Defaults();
    original.LayerTwoExist = 1;
    original.PaperColor = 0x123456;
    original.Layers[1].CoverageRandom = -12;
    original.Layers[1].EdgeType = 3;
    SetPaperName(original, std::string(64, 'n').c_str());
    RegisterParameters(basic, original);
    ASSERT_EQ(ReadRegistry(basic, block), noErr);
    for (const FieldKey& key : RecordedFields(true))
        EXPECT_EQ(GetFieldValue(block, *key.Field, key.Layer), GetFieldValue(original, *key.Field, key.Layer))
            << FieldName(*key.Field, key.Layer);
    EXPECT_STREQ(block.PaperName, original.PaperName);
}

TEST_F(Registry, OverlongPaperNamesAreCutOrIgnored)
{
    FakeDescriptor registered;
    registered.PutString(FourCC("PrNm"), std::string(100, 'a'));
    host.Registry()[RegistryKey] = registered;
    ReadRegistry(basic, block);
    EXPECT_EQ(std::string(block.PaperName), std::string(64, 'a'));

    registered.PutString(FourCC("PrNm"), std::string(256, 'b'));
    host.Registry()[RegistryKey] = registered;
    ReadRegistry(basic, block);
    EXPECT_EQ(std::string(block.PaperName), std::string(64, 'a'));
}

TEST_F(Registry, NothingRegisteredChangesNothing)
{
    EXPECT_EQ(ReadRegistry(basic, block), noErr);
    EXPECT_EQ(block.NInks, 2);
    EXPECT_EQ(host.OutstandingSuites(), 0);
}

TEST_F(Registry, HostsWithoutTheSuitesAreTold)
{
    EXPECT_EQ(ReadRegistry(nullptr, block), errPlugInHostInsufficient);
    EXPECT_EQ(RegisterParameters(nullptr, block), errPlugInHostInsufficient);

    FakeHost noRegistry(plugInModeRGBColor, FakeImage(2, 2, 3), {.DescriptorRegistry = false});
    EXPECT_EQ(ReadRegistry(noRegistry.Record().sSPBasic, block), errPlugInHostInsufficient);
    EXPECT_EQ(noRegistry.OutstandingSuites(), 0) << "the descriptor suite acquired alone is released";
}

class RegistryOnVersionTwo : public Registry {
  protected:
    RegistryOnVersionTwo() : Registry(HostOptions{.HighestDescriptorSuite = 2}) {}
};

TEST_F(RegistryOnVersionTwo, UsesTheOlderDescriptorSuite)
{
    block.NInks = 3;
    ASSERT_EQ(RegisterParameters(basic, block), noErr);
    ParameterBlock read = Defaults();
    ASSERT_EQ(ReadRegistry(basic, read), noErr);
    EXPECT_EQ(read.NInks, 3);
    EXPECT_EQ(host.OutstandingSuites(), 0);
}

} // namespace
} // namespace vel::test
