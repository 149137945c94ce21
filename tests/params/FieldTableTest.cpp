#include "params/FieldTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace vel {
namespace {

// The preset key and label of every field as the file format lists them,
// layer one shown, in file order.
struct Row {
    const char* PresetKey;
    const char* Label;
};
const Row CommonRows[] = {
    {"knIN", ";NInks"}, {"xE2L", ";Layer two exist"}, {"ftnI", ";Layers one and two interfere"},
    {"tSlC", ";Color schema"}, {"cSrP", ";Paper schema"}, {"mNrP", ";Paper name"},
    {"lSrP", ";Paper scale"}, {"nIrP", ";Paper Intensity"}, {"zCrP", ";Paper Colorization"},
    {"rCrP", ";Paper Color"}, {"pOkI", ";Inks Opacity"}, {"pDmE", ";Emboss Depth"},
    {"lAmE", ";Emboss Alpha"}, {"tBmE", ";Emboss Beta"},
};
const Row LayerRows[] = {
    {"1tmG", ";Geometry 1"}, {"1vnI", ";Invert 1"}, {"1giB", ";Big 1"}, {"1wkL", ";LinkWidth 1"},
    {"1gnA", ";Angle 1"}, {"1spS", ";Space 1"}, {"1sfO", ";Offset 1"}, {"1tdW", ";Width 1"},
    {"1hsT", ";Threshold 1"}, {"1flR", ";BRelief 1"}, {"1pmA", ";Amplitude 1"},
    {"1qrF", ";Frequency 1"}, {"1tfS", ";Shift 1"}, {"1rnC", ";Contrast 1"},
    {"1XnC", ";CenterX 1"}, {"1YnC", ";CenterY 1"}, {"1siN", ";Noise 1"},
    {"1ncD", ";Discontinuous 1"}, {"1RcD", ";DiscontinuousRandom 1"},
    {"1ScD", ";DiscontinuousShift 1"}, {"1LcD", ";DiscontinuousLenght 1"},
    {"1InL", ";LoNoiseIntensity 1"}, {"1SnL", ";LoNoiseScale 1"},
    {"1IgR", ";RoughnessIntensity 1"}, {"1SgR", ";RoughnessScale 1"},
    {"1FgR", ";RoughnessShift 1"}, {"1PgR", ";RoughnessPolar 1"},
    {"1ZgR", ";RoughnessPositive 1"}, {"1rvC", ";Coverage 1"}, {"1SvC", ";CoverageScale 1"},
    {"1CvC", ";CoverageContrast 1"}, {"1IvC", ";CoverageInvert 1"},
    {"1MvC", ";CoverageSmooth 1"}, {"1RvC", ";CoverageRandom 1"}, {"1TdE", ";EdgeType 1"},
    {"1WdE", ";EdgeWidth 1"},
};

std::vector<const FieldInfo*> FieldsOf(FieldScope scope)
{
    std::vector<const FieldInfo*> out;
    for (const FieldInfo& f : ParameterFields())
        if (f.Scope == scope)
            out.push_back(&f);
    return out;
}

TEST(FieldTable, PresetKeysAndLabelsFollowTheFileOrder)
{
    const auto common = FieldsOf(FieldScope::Common);
    ASSERT_EQ(common.size(), std::size(CommonRows));
    for (size_t i = 0; i < common.size(); ++i) {
        EXPECT_EQ(PresetKey(*common[i], LayerIndex::One), CommonRows[i].PresetKey) << common[i]->Name;
        EXPECT_EQ(PresetLabel(*common[i], LayerIndex::One), CommonRows[i].Label) << common[i]->Name;
    }
    const auto layer = FieldsOf(FieldScope::Layer);
    ASSERT_EQ(layer.size(), std::size(LayerRows));
    for (size_t i = 0; i < layer.size(); ++i) {
        EXPECT_EQ(PresetKey(*layer[i], LayerIndex::One), LayerRows[i].PresetKey) << layer[i]->Name;
        EXPECT_EQ(PresetLabel(*layer[i], LayerIndex::One), LayerRows[i].Label) << layer[i]->Name;
        std::string key2 = LayerRows[i].PresetKey, label2 = LayerRows[i].Label;
        key2[0] = '2';
        label2.back() = '2';
        EXPECT_EQ(PresetKey(*layer[i], LayerIndex::Two), key2);
        EXPECT_EQ(PresetLabel(*layer[i], LayerIndex::Two), label2);
    }
}

TEST(FieldTable, DescriptorKeysAreUniqueAndPresetKeysAreTheirLittleEndianBytes)
{
    std::set<uint32_t> keys;
    std::set<std::string> names;
    for (const FieldInfo& f : ParameterFields()) {
        for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two}) {
            if (f.Scope == FieldScope::Common && layer == LayerIndex::Two)
                continue;
            const uint32_t key = DescriptorKey(f, layer);
            EXPECT_TRUE(keys.insert(key).second) << f.Name;
            EXPECT_TRUE(names.insert(FieldName(f, layer)).second) << f.Name;
            const std::string preset = PresetKey(f, layer);
            uint32_t littleEndian = 0;
            for (int i = 0; i < 4; ++i)
                littleEndian |= uint32_t(uint8_t(preset[size_t(i)])) << (8 * i);
            EXPECT_EQ(littleEndian, key) << preset;
        }
    }
    EXPECT_EQ(keys.size(), 14u + 2 * 36u);
    EXPECT_EQ(DescriptorKey(ParameterFields()[0], LayerIndex::One), FourCC("NInk"));
    EXPECT_EQ(PresetKeyOf(FourCC("NInk")), "knIN");
}

TEST(FieldTable, FieldsCoverTheParameterPartByteForByte)
{
    // Every field's storage lies inside its record and no two overlap, so a
    // wrong offset in the table cannot go unnoticed.
    auto sizeOf = [](const FieldInfo& f) -> size_t {
        switch (f.Shape) {
        case ValueShape::Choice:
        case ValueShape::Flag: return 1;
        case ValueShape::Text: return PaperNameSize;
        default: return 4;
        }
    };
    for (FieldScope scope : {FieldScope::Common, FieldScope::Layer}) {
        std::vector<int> owner(scope == FieldScope::Layer ? sizeof(LayerParameters) : sizeof(ParameterBlock), -1);
        int index = 0;
        for (const FieldInfo* f : FieldsOf(scope)) {
            ASSERT_LE(f->Offset + sizeOf(*f), owner.size()) << f->Name;
            for (size_t b = f->Offset; b < f->Offset + sizeOf(*f); ++b) {
                EXPECT_EQ(owner[b], -1) << f->Name << " overlaps another field";
                owner[b] = index;
            }
            ++index;
        }
    }
    EXPECT_EQ(FieldsOf(FieldScope::Layer).front()->Offset, offsetof(LayerParameters, Geometry));
    EXPECT_EQ(FieldsOf(FieldScope::Layer).back()->Offset, offsetof(LayerParameters, EdgeWidth));
}

TEST(FieldTable, DefaultsLieInTheirRangesAndAgreeWithReset)
{
    ParameterBlock block{};
    ResetToDefaults(block);
    for (const FieldInfo& f : ParameterFields()) {
        if (f.Shape == ValueShape::Text) {
            EXPECT_STREQ(static_cast<const char*>(FieldAddress(block, f, LayerIndex::One)), f.DefaultText);
            continue;
        }
        EXPECT_LE(f.Typed.Min, f.Slider.Min) << f.Name;
        EXPECT_GE(f.Typed.Max, f.Slider.Max) << f.Name;
        for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two}) {
            const double def = f.Default[int(layer)];
            EXPECT_GE(def, f.Slider.Min) << f.Name;
            EXPECT_LE(def, f.Slider.Max) << f.Name;
            EXPECT_EQ(GetFieldValue(block, f, layer), def) << FieldName(f, layer);
        }
        if (!f.Names.empty()) {
            EXPECT_EQ(f.Slider.Max, double(f.Names.size() - 1)) << f.Name;
        }
    }
}

TEST(FieldTable, NamesFindTheirFieldAndLayer)
{
    struct Case {
        const char* Name;
        const char* Field;
        LayerIndex Layer;
    };
    const Case cases[] = {
        {"NInks", "NInks", LayerIndex::One},
        {"PaperName", "PaperName", LayerIndex::One},
        {"Geometry1", "Geometry", LayerIndex::One},
        {"Angle2", "Angle", LayerIndex::Two},
        {"DiscontinuousLenght2", "DiscontinuousLenght", LayerIndex::Two},
    };
    for (const Case& c : cases) {
        LayerIndex layer = LayerIndex::One;
        const FieldInfo* f = FindField(c.Name, &layer);
        ASSERT_NE(f, nullptr) << c.Name;
        EXPECT_STREQ(f->Name, c.Field);
        EXPECT_EQ(layer, c.Layer) << c.Name;
    }
    for (const char* unknown : {"Angle", "Angle3", "NInks1", "", "angle1"})
        EXPECT_EQ(FindField(unknown, nullptr), nullptr) << unknown;
}

TEST(FieldTable, SettingValuesConvertByShape)
{
    ParameterBlock block{};
    LayerIndex layer;
    const FieldInfo& geometry = *FindField("Geometry2", &layer);
    SetFieldValue(block, geometry, layer, 300.9); // bytes keep their low 8 bits
    EXPECT_EQ(block.Layers[1].Geometry, 44);
    const FieldInfo& inks = *FindField("NInks", &layer);
    SetFieldValue(block, inks, layer, -3.7); // truncation toward zero
    EXPECT_EQ(block.NInks, -3);
    SetFieldValue(block, inks, layer, 1e30);
    EXPECT_EQ(block.NInks, 2147483647);
    const FieldInfo& angle = *FindField("Angle1", &layer);
    SetFieldValue(block, angle, layer, 33.333);
    EXPECT_EQ(block.Layers[0].Angle, 33.333f);
    SetFieldValue(block, angle, layer, -1e300);
    EXPECT_EQ(block.Layers[0].Angle, -std::numeric_limits<float>::max());
}

TEST(FieldTable, WindowGeometryKeysAndDefaults)
{
    const auto geometry = WindowGeometryFields();
    ASSERT_EQ(geometry.size(), 8u);
    const char* presetKeys[] = {"tfeL", " poT", "htdW", "thgH", "fLrC", "pTrC", "dWrC", "gHrC"};
    for (size_t i = 0; i < geometry.size(); ++i)
        EXPECT_EQ(PresetKeyOf(FourCC(geometry[i].Key)), presetKeys[i]);
    ParameterBlock block{};
    ResetWindowGeometry(block);
    EXPECT_EQ(block.CharWindowWidth, 450); // the eighth field holds the width
    EXPECT_EQ(block.CharWindowHeight, 400);
}

} // namespace
} // namespace vel
