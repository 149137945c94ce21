#include "params/PresetFile.h"

#include "params/FieldTable.h"
#include "params/TextFile.h"
#include "platform/Folders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

namespace vel {
namespace {

// A fresh block's preset, written out by hand from the format's tables.
const char DefaultPresetText[] =
    "VellistoIII Preset;\n"
    "Version 1;\n"
    ";------Common parameters------\n"
    "knIN 2 \t\t\t\t;NInks\n"
    "xE2L 0 \t\t\t\t;Layer two exist \n"
    "ftnI 0 \t\t\t\t;Layers one and two interfere\n"
    "tSlC 0 \t\t\t\t;Color schema\n"
    "cSrP 0 \t\t\t\t;Paper schema\n"
    "mNrP Solid \t\t\t\t;Paper name \n"
    "lSrP 100.00 \t\t\t\t;Paper scale \n"
    "nIrP 50.00 \t\t\t\t;Paper Intensity \n"
    "zCrP 0.00 \t\t\t\t;Paper Colorization \n"
    "rCrP 16777215 \t\t\t\t;Paper Color\n"
    "pOkI 0.00 \t\t\t\t;Inks Opacity \n"
    "pDmE 0.00 \t\t\t\t;Emboss Depth \n"
    "lAmE 45.00 \t\t\t\t;Emboss Alpha \n"
    "tBmE 45.00 \t\t\t\t;Emboss Beta \n"
    ";------Layers 1 parameters------\n"
    "1tmG 1 \t\t\t\t;Geometry 1\n"
    "1vnI 0 \t\t\t\t;Invert 1\n"
    "1giB 0 \t\t\t\t;Big 1\n"
    "1wkL 1 \t\t\t\t;LinkWidth 1 \n"
    "1gnA 30.00 \t\t\t\t;Angle 1 \n"
    "1spS 15.00 \t\t\t\t;Space 1 \n"
    "1sfO 20.00 \t\t\t\t;Offset 1 \n"
    "1tdW 8.00 \t\t\t\t;Width 1 \n"
    "1hsT 0.00 \t\t\t\t;Threshold 1 \n"
    "1flR 0.00 \t\t\t\t;BRelief 1 \n"
    "1pmA 10.00 \t\t\t\t;Amplitude 1 \n"
    "1qrF 10.00 \t\t\t\t;Frequency 1 \n"
    "1tfS 0.00 \t\t\t\t;Shift 1 \n"
    "1rnC 0.00 \t\t\t\t;Contrast 1 \n"
    "1XnC 0.00 \t\t\t\t;CenterX 1 \n"
    "1YnC 0.00 \t\t\t\t;CenterY 1 \n"
    "1siN 0.00 \t\t\t\t;Noise 1 \n"
    "1ncD 0.00 \t\t\t\t;Discontinuous 1 \n"
    "1RcD 50.00 \t\t\t\t;DiscontinuousRandom 1 \n"
    "1ScD 0.00 \t\t\t\t;DiscontinuousShift 1 \n"
    "1LcD 50.00 \t\t\t\t;DiscontinuousLenght 1 \n"
    "1InL 0.00 \t\t\t\t;LoNoiseIntensity 1 \n"
    "1SnL 100.00 \t\t\t\t;LoNoiseScale 1 \n"
    "1IgR 0.00 \t\t\t\t;RoughnessIntensity 1 \n"
    "1SgR 50.00 \t\t\t\t;RoughnessScale 1 \n"
    "1FgR 0.00 \t\t\t\t;RoughnessShift 1 \n"
    "1PgR 0 \t\t\t\t;RoughnessPolar 1 \n"
    "1ZgR 0 \t\t\t\t;RoughnessPositive 1 \n"
    "1rvC 100.00 \t\t\t\t;Coverage 1 \n"
    "1SvC 100.00 \t\t\t\t;CoverageScale 1 \n"
    "1CvC 50.00 \t\t\t\t;CoverageContrast 1 \n"
    "1IvC 0 \t\t\t\t;CoverageInvert 1 \n"
    "1MvC 0 \t\t\t\t;CoverageSmooth 1 \n"
    "1RvC 0 \t\t\t\t;CoverageRandom 1\n"
    "1TdE 0 \t\t\t\t;EdgeType 1\n"
    "1WdE 50.00 \t\t\t\t;EdgeWidth 1 \n"
    ";removed colors\n"
    "mR00 -1 \n"
    "mR01 -1 \n"
    "mR02 -1 \n"
    "mR03 -1 \n"
    ";------Add color palettes------\n"
    ";PaletteColorADD\n"
    "CP00 0 \n"
    "CP01 0 \n"
    "CP02 0 \n"
    "CP03 0 \n"
    "CP04 0 \n"
    "CP05 0 \n"
    ";------The End------\n";

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t CountOf(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

ParameterBlock DefaultBlock()
{
    ParameterBlock block{};
    ResetWindowGeometry(block);
    return block;
}

class PresetFileTest : public testing::Test {
protected:
    std::string Path(const std::string& name = "test.vel3pst") const { return folder.Path() + name; }

    // Writes `text` as a preset file and reads it into `block`.
    bool Read(const std::string& text)
    {
        folder.WriteFile("read.vel3pst", text);
        return ReadPreset(Path("read.vel3pst"), block);
    }

    test::TempFolder folder;
    ParameterBlock block = DefaultBlock();
};

TEST_F(PresetFileTest, FreshBlockIsWrittenByteForByte)
{
    ASSERT_TRUE(WritePreset(Path(), block));
    EXPECT_EQ(FileText(Path()), DefaultPresetText);
}

// ---- Round trip of random blocks ---------------------------------------------

class RandomBlocks {
public:
    explicit RandomBlocks(unsigned seed) : random_(seed) {}

    ParameterBlock Next()
    {
        ParameterBlock block;
        auto* bytes = reinterpret_cast<unsigned char*>(&block);
        for (size_t i = 0; i < sizeof block; ++i)
            bytes[i] = uint8_t(Int());
        for (const FieldInfo& field : ParameterFields())
            for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two})
                Fill(block, field, layer);
        block.NInks = 1 + int32_t(random_() % 4);
        return block;
    }

private:
    int32_t Int() { return int32_t(random_()); }

    void Fill(ParameterBlock& block, const FieldInfo& field, LayerIndex layer)
    {
        switch (field.Shape) {
        case ValueShape::Integer:
        case ValueShape::Choice:
        case ValueShape::Flag: SetFieldValue(block, field, layer, Int()); break;
        case ValueShape::Real: // two decimals survive exactly
            SetFieldValue(block, field, layer, float(double(Int() % 2000000) / 100.0));
            break;
        case ValueShape::Text: {
            // Names keep no ";" and no spaces at their ends (the reader
            // drops those); up to the full 64 characters.
            static const char letters[] = "abcXYZ019._-( )";
            char* name = static_cast<char*>(FieldAddress(block, field, layer));
            std::memset(name, 0, PaperNameSize);
            const size_t length = size_t(Int() & 0x7FFF) % PaperNameSize;
            for (size_t i = 0; i < length; ++i)
                name[i] = letters[size_t(Int() & 0x7FFF) % (sizeof letters - 1)];
            for (size_t i : {size_t(0), length - 1})
                if (length > 0 && name[i] == ' ')
                    name[i] = 'q';
            break;
        }
        }
    }

    std::mt19937 random_;
};

size_t SizeOf(const FieldInfo& field)
{
    switch (field.Shape) {
    case ValueShape::Text: return PaperNameSize;
    case ValueShape::Choice:
    case ValueShape::Flag: return 1;
    default: return 4;
    }
}

// What a read of `source`'s preset makes of `target`: the written fields
// come from the source, everything else stays.
ParameterBlock ExpectedAfterRead(const ParameterBlock& source, const ParameterBlock& target)
{
    ParameterBlock expected = target;
    for (const FieldInfo& field : ParameterFields()) {
        for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two}) {
            if (layer == LayerIndex::Two && (field.Scope == FieldScope::Common || !source.LayerTwoExist))
                continue;
            std::memcpy(FieldAddress(expected, field, layer), FieldAddress(source, field, layer),
                        SizeOf(field));
        }
    }
    std::memcpy(expected.RemovedColors, source.RemovedColors, sizeof source.RemovedColors);
    switch (source.ColorSchema) {
    case 0:
    case 1:
        std::memcpy(expected.PaletteColorADD, source.PaletteColorADD, 12 * size_t(source.NInks)); // 3 entries
        break;
    case 2: std::memcpy(expected.PaletteCMYKADD, source.PaletteCMYKADD, sizeof source.PaletteCMYKADD); break;
    case 3: std::memcpy(expected.PaletteRGBADD, source.PaletteRGBADD, sizeof source.PaletteRGBADD); break;
    }
    return expected;
}

TEST_F(PresetFileTest, EveryWrittenFieldSurvivesAndTheRestIsUntouched)
{
    RandomBlocks random(2024);
    for (uint8_t schema = 0; schema < ColorSchemaCount; ++schema) {
        for (uint8_t layerTwo : {0, 1}) {
            ParameterBlock source = random.Next();
            source.ColorSchema = schema;
            source.LayerTwoExist = layerTwo;
            ParameterBlock target = random.Next();
            const ParameterBlock expected = ExpectedAfterRead(source, target);

            ASSERT_TRUE(WritePreset(Path(), source));
            ASSERT_TRUE(ReadPreset(Path(), target));

            const std::string what =
                "schema " + std::to_string(schema) + ", layer two " + std::to_string(layerTwo);
            for (const FieldInfo& field : ParameterFields())
                for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two})
                    EXPECT_EQ(GetFieldValue(target, field, layer), GetFieldValue(expected, field, layer))
                        << FieldName(field, layer) << ", " << what;
            EXPECT_STREQ(target.PaperName, expected.PaperName) << what;
            EXPECT_EQ(std::memcmp(&target, &expected, sizeof target), 0) << what;
        }
    }
}

TEST_F(PresetFileTest, RealsKeepTwoDecimals)
{
    block.Layers[0].Angle = 33.333f;
    block.Layers[0].Offset = -0.004f;
    block.EmbossDepth = 1e38f;
    ASSERT_TRUE(WritePreset(Path(), block));
    ParameterBlock read = DefaultBlock();
    ASSERT_TRUE(ReadPreset(Path(), read));
    EXPECT_EQ(read.Layers[0].Angle, 33.33f);
    EXPECT_EQ(read.Layers[0].Offset, 0.0f);
    EXPECT_EQ(read.EmbossDepth, 1e38f);
}

// ---- What the writer puts in --------------------------------------------------

TEST_F(PresetFileTest, PaletteLinesFollowTheSchemaAndNeverExceedTheArrays)
{
    struct Case {
        uint8_t Schema;
        int32_t NInks;
        const char* Tag;
        size_t Lines;
        const char* Comment;
    };
    const Case cases[] = {
        {0, 2, "\nCP", 6, ";PaletteColorADD"}, {1, 4, "\nCP", 12, ";PaletteColorADD"},
        {1, 7, "\nCP", 12, ";PaletteColorADD"}, {1, -3, "\nCP", 0, ";PaletteColorADD"},
        {2, 1, "\nYP", 12, ";PaletteCMYKADD"},  {3, 1, "\nRP", 9, ";PaletteRGBADD"},
        {4, 4, "\n", 0, nullptr},               {9, 4, "\n", 0, nullptr},
    };
    for (const Case& c : cases) {
        block.ColorSchema = c.Schema;
        block.NInks = c.NInks;
        ASSERT_TRUE(WritePreset(Path(), block));
        const std::string text = FileText(Path());
        const size_t palette = text.find(";------Add color palettes------\n");
        ASSERT_NE(palette, std::string::npos);
        const std::string section = text.substr(palette, text.find(";------The End") - palette);
        const size_t lines = CountOf(section, "\n") - 1 - (c.Comment ? 1 : 0);
        EXPECT_EQ(lines, c.Lines) << int(c.Schema) << " " << c.NInks;
        if (c.Lines > 0) {
            EXPECT_EQ(CountOf(section, c.Tag), c.Lines) << int(c.Schema);
            const std::string last = std::to_string(100 + c.Lines - 1).substr(1);
            EXPECT_NE(section.find(c.Tag + last + " 0 \n"), std::string::npos) << section;
        }
        if (c.Comment) {
            EXPECT_NE(section.find(c.Comment), std::string::npos);
        }
    }
}

TEST_F(PresetFileTest, LayerTwoIsWrittenOnlyWhenItExists)
{
    block.LayerTwoExist = 1;
    block.Layers[1].Angle = 95.5f;
    ASSERT_TRUE(WritePreset(Path(), block));
    const std::string text = FileText(Path());
    EXPECT_NE(text.find(";------Layers 2 parameters------\n"), std::string::npos);
    EXPECT_NE(text.find("\n2gnA 95.50 \t\t\t\t;Angle 2 \n"), std::string::npos);
    EXPECT_EQ(CountOf(text, "\n2"), 36u);
}

TEST_F(PresetFileTest, AFileThatCannotBeCreatedIsReported)
{
    test::AlertRecorder alerts;
    EXPECT_FALSE(WritePreset(folder.Path() + "missing" + PathSeparator + "x.vel3pst", block));
    ASSERT_EQ(alerts.Shown().size(), 1u);
    EXPECT_EQ(alerts.Shown()[0].Text, "Cannot Save File!");
    EXPECT_EQ(alerts.Shown()[0].Title, "Save Preset Error");
    EXPECT_EQ(alerts.Shown()[0].Icon, AlertIcon::Error);
}

// ---- What the reader takes -----------------------------------------------------

TEST_F(PresetFileTest, HeaderDecidesWhetherTheFileIsRead)
{
    struct Case {
        std::string Text;
        bool Accepted;
    };
    const Case cases[] = {
        {"VellistoIII Preset;\nknIN 3\n", true},
        {"vELLISTOiii pRESET;\nknIN 3\n", true},
        {"VellistoIII Preset; saved by hand\nknIN 3\n", true},
        {"VellistoIII Preset;\r\nknIN 3\r\n", true},
        {"VellistoIII Preset\nknIN 3\n", false},
        {";comment\nVellistoIII Preset;\nknIN 3\n", false},
        {"VellistoIII Preset;", false}, // the header line lacks its end
        {"", false},
    };
    for (const Case& c : cases) {
        block = DefaultBlock();
        EXPECT_EQ(Read(c.Text), c.Accepted) << c.Text;
        EXPECT_EQ(block.NInks, c.Accepted ? 3 : 2) << c.Text;
    }
    EXPECT_FALSE(ReadPreset(Path("missing.vel3pst"), block));
}

TEST_F(PresetFileTest, HandEditedValuesReadAsTheConversionsSay)
{
    struct Case {
        const char* Line;
        std::function<double(const ParameterBlock&)> Field;
        double Value;
    };
    const Case cases[] = {
        {"knIN +5", [](const ParameterBlock& b) { return b.NInks; }, 0},
        {"knIN 1e3", [](const ParameterBlock& b) { return b.NInks; }, 1},
        {"1gnA 1e3", [](const ParameterBlock& b) { return b.Layers[0].Angle; }, 1000},
        {"knIN 3,5", [](const ParameterBlock& b) { return b.NInks; }, 3},
        {"1gnA 3,5", [](const ParameterBlock& b) { return b.Layers[0].Angle; }, 3},
        {"1gnA", [](const ParameterBlock& b) { return b.Layers[0].Angle; }, 0},
        {"   1gnA    -12.5   ;Angle 1", [](const ParameterBlock& b) { return b.Layers[0].Angle; }, -12.5},
        {"1tmG 300", [](const ParameterBlock& b) { return b.Layers[0].Geometry; }, 44}, // low 8 bits
        {"1wkL -1", [](const ParameterBlock& b) { return b.Layers[0].LinkWidth; }, 255},
        {"1gnA 1e39", [](const ParameterBlock& b) { return b.Layers[0].Angle; }, 3.4028234663852886e38},
        {"1GNA 5", [](const ParameterBlock& b) { return b.Layers[0].Angle; }, 30}, // keys are case sensitive
        // Layer-two lines are read whether or not layer two exists.
        {"2gnA 99.5", [](const ParameterBlock& b) { return b.Layers[1].Angle; }, 99.5},
        {"xE2L 0\n2tdW 7", [](const ParameterBlock& b) { return b.Layers[1].Width; }, 7},
        // Indexed entries: in range only; removed colours keep 8 bits.
        {"mR02 2", [](const ParameterBlock& b) { return b.RemovedColors[2]; }, 2},
        {"mR01 -1", [](const ParameterBlock& b) { return b.RemovedColors[1]; }, 255},
        {"mR01 300", [](const ParameterBlock& b) { return b.RemovedColors[1]; }, 44},
        {"CP11 -255", [](const ParameterBlock& b) { return b.PaletteColorADD[11]; }, -255},
        {"CP 7 9", [](const ParameterBlock& b) { return b.PaletteColorADD[7]; }, 9},
        {"YP11 5", [](const ParameterBlock& b) { return b.PaletteCMYKADD[11]; }, 5},
        {"RP08 6", [](const ParameterBlock& b) { return b.PaletteRGBADD[8]; }, 6},
        {"RP09 6", [](const ParameterBlock& b) { return b.PaletteCMYKADD[0] + b.PaletteColorADD[0]; }, 0},
    };
    for (const Case& c : cases) {
        block = DefaultBlock();
        ASSERT_TRUE(Read(std::string(PresetHeader) + "\n" + c.Line + "\n")) << c.Line;
        EXPECT_EQ(c.Field(block), c.Value) << c.Line;
    }
}

TEST_F(PresetFileTest, IndexesOutsideTheArraysAreIgnored)
{
    const ParameterBlock before = block;
    ASSERT_TRUE(Read(std::string(PresetHeader) +
                     "\nmR04 1\nmR-1 1\nCP12 1\nCP-1 1\nYP99 1\nRP09 1\nXP00 1\n"));
    EXPECT_EQ(std::memcmp(&before, &block, sizeof block), 0);
}

TEST_F(PresetFileTest, PaperNameEndsAtTheCommentAndAtAnyHighByte)
{
    struct Case {
        std::string Line;
        std::string Name;
    };
    const Case cases[] = {
        {"mNrP Kraft Paper.jpg \t\t\t\t;Paper name ", "Kraft Paper.jpg"},
        {"mNrP    Old;Paper.jpg ;Paper name", "Old"},
        {"mNrP None", "None"},
        {"mNrP ;Paper name", ""},
        {"mNrP " + std::string(80, 'n') + " ;Paper name", std::string(64, 'n')},
        // The high byte ends the line; its rest is read as a line of its own.
        {"mNrP Caf\xE9"
         "1gnA 77 ;Paper name",
         "Caf"},
    };
    for (const Case& c : cases) {
        block = DefaultBlock();
        ASSERT_TRUE(Read(std::string(PresetHeader) + "\n" + c.Line + "\n"));
        EXPECT_EQ(block.PaperName, c.Name) << c.Line;
    }
    EXPECT_EQ(block.Layers[0].Angle, 77.0f);
}

TEST_F(PresetFileTest, WindowsLineEndsReadTheSame)
{
    ParameterBlock source = block;
    source.LayerTwoExist = 1;
    source.ColorSchema = 3;
    source.PaletteRGBADD[8] = -17;
    source.Layers[1].Space = 42.25f;
    std::strcpy(source.PaperName, "Laid.png");
    ASSERT_TRUE(WritePreset(Path(), source));
    std::string crlf;
    for (char c : FileText(Path()))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);

    ParameterBlock fromLf = DefaultBlock();
    ASSERT_TRUE(ReadPreset(Path(), fromLf));
    ASSERT_TRUE(Read(crlf));
    EXPECT_EQ(std::memcmp(&fromLf, &block, sizeof block), 0);
    EXPECT_STREQ(block.PaperName, "Laid.png");
}

TEST_F(PresetFileTest, HeaderOnlyFileOnlyTrimsThePaperName)
{
    std::strcpy(block.PaperName, "Solid   ");
    block.ColorSchema = 2;
    ParameterBlock expected = block;
    std::memset(expected.PaperName, 0, PaperNameSize);
    std::strcpy(expected.PaperName, "Solid");

    ASSERT_TRUE(Read(std::string(PresetHeader) + "\n"));
    EXPECT_EQ(std::memcmp(&expected, &block, sizeof block), 0);
}

TEST_F(PresetFileTest, OverlongLinesAreCutAndReadingGoesOn)
{
    const std::string text = std::string(PresetHeader) + "\n" + "1gnA 12.5" + std::string(5000, ' ') + "7\n" +
                             std::string(3000, 'x') + "\n" + "1tmG " + std::string(1500, '9') + "\n" +
                             "knIN 4\n";
    ASSERT_TRUE(Read(text));
    EXPECT_EQ(block.Layers[0].Angle, 12.5f);
    EXPECT_EQ(block.Layers[0].Geometry, 255); // the saturated integer's low byte
    EXPECT_EQ(block.NInks, 4);
}

// ---- Failed writes -------------------------------------------------------------

// A write that stops midway (a full disk, a lost share) must not leave a
// truncated preset where a good one was: the old file stays byte for byte,
// no temporary file is left over, and the user is told.
TEST_F(PresetFileTest, FailedOverwriteKeepsTheOldPreset)
{
    ASSERT_TRUE(WritePreset(Path(), block));
    const std::string before = FileText(Path());
    block.NInks = 4;
    block.Layers[0].Angle = 33.0f;
    for (long long stop : {0LL, 1LL, 200LL, static_cast<long long>(before.size()) - 1}) {
        SCOPED_TRACE(stop);
        test::AlertRecorder alerts;
        SetTextWriteFault(stop);
        const bool written = WritePreset(Path(), block);
        SetTextWriteFault(-1);
        EXPECT_FALSE(written);
        EXPECT_EQ(FileText(Path()), before);
        ASSERT_EQ(alerts.Shown().size(), 1u);
        EXPECT_EQ(alerts.Shown()[0].Text, "Cannot Save File!");
        EXPECT_EQ(ListFolder(folder.Path(), "*.partial").size(), 0u);
    }
    // Without the fault the new values replace the file.
    ASSERT_TRUE(WritePreset(Path(), block));
    EXPECT_NE(FileText(Path()), before);
}

} // namespace
} // namespace vel
