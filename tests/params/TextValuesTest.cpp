#include "params/TextValues.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace vel {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr int32_t IntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t IntMin = std::numeric_limits<int32_t>::min();

TEST(TextValues, IntegersAndRealsReadTheSameCharactersTheirOwnWay)
{
    struct Case {
        std::string Text;
        int32_t Integer;
        double Real;
    };
    const Case cases[] = {
        {"5", 5, 5},
        {"  42 \t;comment", 42, 42},
        {"-7.25", -7, -7.25},
        {"12.7", 12, 12.7},
        {"+5", 0, 0}, // "+" is not a value character
        {"1e3", 1, 1000},
        {"1E-2", 1, 0.01},
        {"1e+3", 1, 1}, // the "+" ends the characters, leaving "1e"
        {"3,5", 3, 3},
        {".5", 0, 0.5},
        {"-.5", 0, -0.5},
        {"1.5.3", 1, 1.5},
        {"7-3", 7, 7},
        {"5x", 5, 5},
        {"0x1A", 0, 0},
        {"--5", 0, 0},
        {"-", 0, 0},
        {"", 0, 0},
        {"abc", 0, 0},
        {"inf", 0, 0},
        {"nan", 0, 0},
        {"2147483647", IntMax, 2147483647.0},
        {"-2147483648", IntMin, -2147483648.0},
        {"99999999999", IntMax, 99999999999.0},
        {"-99999999999", IntMin, -99999999999.0},
        {"1e999", 1, Inf},
        {"-1e999", -1, -Inf},
        {"1e-999", 1, 0},
        // Only 63 characters count: the 64th digit is not read.
        {"0." + std::string(60, '0') + "5", 0, 5e-61},
        {"0." + std::string(61, '0') + "5", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadIntegerValue(c.Text), c.Integer) << c.Text;
        EXPECT_EQ(ReadRealValue(c.Text), c.Real) << c.Text;
    }
}

TEST(TextValues, RealsBeyondTheFloatRangeKeepTheLargestFloat)
{
    constexpr float Largest = std::numeric_limits<float>::max();
    EXPECT_EQ(SaturateToFloat(1e39), Largest);
    EXPECT_EQ(SaturateToFloat(-Inf), -Largest);
    EXPECT_EQ(SaturateToFloat(Inf), Largest);
    EXPECT_EQ(SaturateToFloat(33.333), 33.333f);
    EXPECT_EQ(SaturateToFloat(-1e-60), 0.0f);
}

std::string PrintfReal(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", double(value));
    return text;
}

TEST(TextValues, RealsAreWrittenExactlyAsPrintfWritesTwoDecimals)
{
    // Halfway cases in binary (0.125, 0.375) round to even; decimal
    // "halfway" values (2.675, 1.005) are not halfway as floats.
    const float tricky[] = {0.0f, -0.0f, 0.125f, 0.375f, -0.125f, 2.675f, 1.005f, 0.005f, -0.001f, 33.333f,
                            99.995f, 100.0f, 1e10f, -3.4e38f, std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::denorm_min()};
    for (float value : tricky)
        EXPECT_EQ(FormatReal(value), PrintfReal(value)) << value;

    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        // Random bit patterns limited to |value| < 2^40 cover every decimal
        // rounding situation of the range that matters.
        uint32_t pattern = bits(random);
        if (((pattern >> 23) & 0xFF) > 127 + 40)
            pattern &= ~(uint32_t(0x40) << 24);
        float value;
        std::memcpy(&value, &pattern, sizeof value);
        ASSERT_EQ(FormatReal(value), PrintfReal(value)) << value;
    }
    EXPECT_EQ(FormatInteger(IntMin), "-2147483648");
    EXPECT_EQ(FormatInteger(-1), "-1");
}

TEST(TextValues, DecimalPointIsAFullStopWhateverTheLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "German_Germany.1252", "German"};
    bool switched = false;
    for (const char* name : commaLocales)
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
            switched = true;
            break;
        }
    if (!switched) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    const std::string written = FormatReal(2.5f);
    const double read = ReadRealValue("2.75");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(written, "2.50");
    EXPECT_EQ(read, 2.75);
}

} // namespace
} // namespace vel
