#include "FakeHost.h"

#include "params/FieldTable.h"
#include "session/DescriptorKeys.h"
#include "session/Scripting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace vel::test {
namespace {

ParameterBlock Defaults()
{
    ParameterBlock block = {};
    ResetWindowGeometry(block);
    return block;
}

void ExpectSameParameters(const ParameterBlock& actual, const ParameterBlock& expected)
{
    for (const FieldKey& key : RecordedFields(true))
        EXPECT_EQ(GetFieldValue(actual, *key.Field, key.Layer),
                  GetFieldValue(expected, *key.Field, key.Layer))
            << FieldName(*key.Field, key.Layer);
    EXPECT_STREQ(actual.PaperName, expected.PaperName);
    for (const IndexedField& field : IndexedFields())
        for (int i = 0; i < field.Count; ++i)
            EXPECT_EQ(GetIndexedEntry(actual, field, i), GetIndexedEntry(expected, field, i))
                << field.Tag << i;
}

// The key as the host reads it: first character in the most significant byte.
std::string Code(uint32_t key)
{
    std::string code(4, ' ');
    for (int i = 0; i < 4; ++i)
        code[size_t(i)] = char(key >> (24 - 8 * i));
    return code;
}

// An indexed key, written as its four bytes in memory order ("CP08").
uint32_t Indexed(const char (&memoryOrder)[5])
{
    uint32_t key = 0;
    for (int i = 0; i < 4; ++i)
        key |= uint32_t(uint8_t(memoryOrder[i])) << (8 * i);
    return key;
}

class Scripting : public testing::Test {
  protected:
    FakeHost host{plugInModeRGBColor, FakeImage(2, 2, 3)};
    PIDescriptorParameters* parameters = host.Record().descriptorParameters;
    const HandleProcs* handles = host.Record().handleProcs;
    ParameterBlock block = Defaults();

    std::vector<uint32_t> Record(const ParameterBlock& recorded, int inkCount)
    {
        WriteScripting(parameters, handles, recorded, inkCount);
        const FakeDescriptor* descriptor = host.RecordedDescriptor();
        return descriptor ? descriptor->Keys() : std::vector<uint32_t>{};
    }

    bool Read(const FakeDescriptor& descriptor, int16_t playInfo = plugInDialogDontDisplay)
    {
        host.SetDescriptor(descriptor, playInfo);
        return ReadScripting(parameters, handles, block, true);
    }
};

TEST_F(Scripting, RecordingPutsCommonThenLayerKeysThenIndexedKeys)
{
    const std::vector<uint32_t> keys = Record(block, 1);
    ASSERT_EQ(keys.size(), 14u + 36u + 4u + 3u);
    EXPECT_EQ(Code(keys[0]), "NInk");
    EXPECT_EQ(Code(keys[5]), "PrNm");
    EXPECT_EQ(Code(keys[13]), "EmBt");
    EXPECT_EQ(Code(keys[14]), "Gmt1");
    EXPECT_EQ(Code(keys[49]), "EdW1");
    EXPECT_EQ(keys[50], Indexed("mR00"));
    EXPECT_EQ(keys[53], Indexed("mR03"));
    EXPECT_EQ(keys[54], Indexed("CP00"));
    EXPECT_EQ(host.Record().descriptorParameters->recordInfo, plugInDialogOptional);
}

TEST_F(Scripting, WithoutLayerTwoNoKeyEndsInTwo)
{
    // The last character of a key is its lowest byte; indexed keys end in a tag letter.
    block.LayerTwoExist = 0;
    for (uint32_t key : Record(block, 2))
        EXPECT_NE(key & 0xFF, uint32_t('2')) << Code(key);

    block.LayerTwoExist = 1;
    const std::vector<uint32_t> keys = Record(block, 2);
    EXPECT_NE(std::find(keys.begin(), keys.end(), FourCC("Ang2")), keys.end());
    EXPECT_EQ(keys.size(), 14u + 72u + 4u + 6u);
}

struct PaletteCase {
    ColorSchemaKind Schema;
    int InkCount;
    const char* Tag;
    int Count;
};

TEST_F(Scripting, PaletteKeysFollowTheColorSchema)
{
    const PaletteCase cases[] = {
        {ColorSchemaKind::CustomPalette, 3, "CP", 9},  {ColorSchemaKind::Monotone, 1, "CP", 3},
        {ColorSchemaKind::CustomPalette, 4, "CP", 12}, {ColorSchemaKind::CmykPalette, 4, "YP", 12},
        {ColorSchemaKind::RgbPalette, 3, "RP", 9},     {ColorSchemaKind::InitialColors, 1, "", 0},
    };
    for (const PaletteCase& c : cases) {
        block.ColorSchema = uint8_t(c.Schema);
        std::vector<uint32_t> palette;
        for (uint32_t key : Record(block, c.InkCount)) {
            const IndexedField* field = nullptr;
            int index = 0;
            if (SplitIndexedKey(key, &field, &index) && std::string(field->Tag) != RemovedColorsTag)
                palette.push_back(key);
        }
        ASSERT_EQ(int(palette.size()), c.Count) << c.Tag;
        for (int i = 0; i < c.Count; ++i) {
            const std::string expected = std::string(c.Tag) + char('0' + i / 10) + char('0' + i % 10);
            EXPECT_EQ(PresetKeyOf(palette[size_t(i)]), expected);
        }
    }
}

TEST_F(Scripting, PaperNameIsRecordedAsALengthByteAndText)
{
    Record(block, 1);
    const FakeDescriptor::Item* name = host.RecordedDescriptor()->Find(FourCC("PrNm"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Type, typeChar);
    EXPECT_EQ(name->Text, "Solid");
    EXPECT_EQ(name->Text.size(), 5u);
}

TEST_F(Scripting, RecordingReplacesTheHostsOldDescriptor)
{
    host.SetDescriptor({}, plugInDialogDontDisplay);
    const int handlesBefore = host.LiveHandles();
    Record(block, 1);
    EXPECT_EQ(host.LiveHandles(), handlesBefore);
}

TEST_F(Scripting, RecordedParametersReadBackUnchanged)
{
    ParameterBlock original = Defaults();
    original.LayerTwoExist = 1;
    original.ColorSchema = uint8_t(ColorSchemaKind::CmykPalette);
    original.Layers[1].Angle = 12.25f;
    original.Layers[0].RoughnessPolar = 1;
    original.PaletteCMYKADD[11] = -40;
    original.RemovedColors[2] = 7;
    SetPaperName(original, "Canvas 2");
    Record(original, 4);
    const FakeDescriptor recorded = *host.RecordedDescriptor();

    EXPECT_FALSE(Read(recorded));
    ExpectSameParameters(block, original);
    EXPECT_EQ(host.LastReadCloseResult(), errMissingParameter) << "Amnt and disP are never written";
    EXPECT_EQ(host.RequiredKeys(), (std::vector<uint32_t>{FourCC("Amnt"), FourCC("disP")}));
}

TEST_F(Scripting, ReadingConsumesTheDescriptorAndAnswersWithThePlayInfo)
{
    const int handlesBefore = host.LiveHandles();
    EXPECT_TRUE(Read({}, plugInDialogDisplay));
    EXPECT_EQ(parameters->descriptor, nullptr);
    EXPECT_EQ(host.LiveHandles(), handlesBefore);
    EXPECT_FALSE(Read({}, plugInDialogSilent));

    // No descriptor: the private block's flag decides.
    EXPECT_TRUE(ReadScripting(parameters, handles, block, true));
    EXPECT_FALSE(ReadScripting(parameters, handles, block, false));
    EXPECT_TRUE(ReadScripting(nullptr, handles, block, true));
}

TEST_F(Scripting, IndexedKeysOutsideTheirRangeChangeNothing)
{
    FakeDescriptor descriptor;
    descriptor.PutInteger(Indexed("CP12"), 99);
    descriptor.PutInteger(Indexed("RP09"), 99);
    descriptor.PutInteger(Indexed("mR04"), 99);
    descriptor.PutInteger(Indexed("CP1x"), 99);
    Read(descriptor);
    ExpectSameParameters(block, Defaults());
}

TEST_F(Scripting, IndexedKeysStoreIntoTheirEntries)
{
    FakeDescriptor descriptor;
    descriptor.PutInteger(Indexed("CP11"), -5);
    descriptor.PutInteger(Indexed("YP03"), 17);
    descriptor.PutInteger(Indexed("RP08"), 300);
    descriptor.PutInteger(Indexed("mR01"), 0x1234);
    Read(descriptor);
    EXPECT_EQ(block.PaletteColorADD[11], -5);
    EXPECT_EQ(block.PaletteCMYKADD[3], 17);
    EXPECT_EQ(block.PaletteRGBADD[8], 300);
    EXPECT_EQ(block.RemovedColors[1], 0x34);
}

TEST_F(Scripting, UnknownKeysAreSkippedAndLaterKeysRead)
{
    FakeDescriptor descriptor;
    descriptor.PutFloat(FourCC("Zzzz"), 1);
    descriptor.PutInteger(FourCC("Amnt"), 5);
    descriptor.PutBoolean(FourCC("L2Ex"), false);
    descriptor.PutFloat(FourCC("Ang2"), 33);
    descriptor.PutInteger(FourCC("Gmt1"), 0x105);
    descriptor.PutBoolean(FourCC("RgZ2"), true);
    Read(descriptor);
    EXPECT_EQ(block.LayerTwoExist, 0);
    EXPECT_EQ(block.Layers[1].Angle, 33) << "layer two is read even when it does not exist";
    EXPECT_EQ(block.Layers[0].Geometry, 5) << "stored as a byte";
    EXPECT_EQ(block.Layers[1].RoughnessPositive, 1);
}

TEST_F(Scripting, AGetErrorEndsTheReadingKeepingWhatWasRead)
{
    FakeDescriptor descriptor;
    descriptor.PutFloat(FourCC("Ang1"), 10);
    descriptor.PutFloat(FourCC("NInk"), 3); // the wrong type: the host refuses the integer get
    descriptor.PutFloat(FourCC("Sps1"), 50);
    EXPECT_TRUE(Read(descriptor, plugInDialogDisplay));
    EXPECT_EQ(block.Layers[0].Angle, 10);
    EXPECT_EQ(block.NInks, 2);
    EXPECT_EQ(block.Layers[0].Space, 15);
    EXPECT_EQ(parameters->descriptor, nullptr);
}

TEST_F(Scripting, PaperNamesAreCutToWhatTheBlockHolds)
{
    FakeDescriptor descriptor;
    descriptor.PutString(FourCC("PrNm"), std::string(200, 'p'));
    Read(descriptor);
    EXPECT_EQ(std::string(block.PaperName), std::string(64, 'p'));

    descriptor.PutString(FourCC("PrNm"), std::string("Rice\0paper", 10));
    Read(descriptor);
    EXPECT_STREQ(block.PaperName, "Rice");

    descriptor.PutString(FourCC("PrNm"), "");
    Read(descriptor);
    EXPECT_STREQ(block.PaperName, "");
}

TEST_F(Scripting, HostsWithoutScriptingAreLeftAlone)
{
    FakeHost bare(plugInModeRGBColor, FakeImage(2, 2, 3), {.DescriptorParameters = false});
    WriteScripting(bare.Record().descriptorParameters, handles, block, 1);
    EXPECT_TRUE(ReadScripting(bare.Record().descriptorParameters, handles, block, true));

    ReadDescriptorProcs shortTable = *parameters->readDescriptorProcs;
    shortTable.numReadDescriptorProcs = 7; // ends before getStringProc
    PIDescriptorParameters old = *parameters;
    old.readDescriptorProcs = &shortTable;
    FakeDescriptor descriptor;
    descriptor.PutInteger(FourCC("NInk"), 4);
    host.SetDescriptor(descriptor, plugInDialogDontDisplay);
    old.descriptor = parameters->descriptor;
    EXPECT_TRUE(ReadScripting(&old, handles, block, true));
    EXPECT_EQ(block.NInks, 2);
}

} // namespace
} // namespace vel::test
