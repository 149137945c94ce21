// The numeric field's rules: set value, set range and typed commits.

#include "ui/controls/SpinValue.h"
#include "ui/controls/ValueText.h"

#include <gtest/gtest.h>

namespace vel::ui {
namespace {

SpinValues Field(float rangeMin, float rangeMax, float limitMin, float limitMax, bool editable = true)
{
    SpinValues field;
    field.RangeMin = rangeMin;
    field.RangeMax = rangeMax;
    field.LimitMin = limitMin;
    field.LimitMax = limitMax;
    field.RangeEditable = editable;
    return field;
}

TEST(SpinValue, SetValueWidensTheRangeUpToTheLimitsAndKeepsTheValue)
{
    struct Case {
        const char* what;
        SpinValues field;
        float value;
        float rangeMin, rangeMax;
        bool rangeChanged;
    };
    const Case cases[] = {
        {"inside the range", Field(0, 100, 0, 200), 50, 0, 100, false},
        {"above: the maximum follows", Field(0, 100, 0, 200), 150, 0, 150, true},
        {"above the limit: up to the limit", Field(0, 100, 0, 200), 250, 0, 200, true},
        {"below: the minimum follows", Field(-100, 100, -200, 200), -150, -150, 100, true},
        {"below the limit: down to the limit", Field(-100, 100, -200, 200), -900, -200, 100, true},
        {"at the limit already: nothing to widen", Field(0, 200, 0, 200), 300, 0, 200, false},
        {"range that may not widen", Field(1, 4, 1, 4, false), 7, 1, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpinValues field = c.field;
        EXPECT_EQ(SetSpinValue(field, c.value), c.rangeChanged);
        EXPECT_EQ(field.Value, c.value); // shown unchanged, also beyond the limit
        EXPECT_EQ(field.RangeMin, c.rangeMin);
        EXPECT_EQ(field.RangeMax, c.rangeMax);
    }
}

TEST(SpinValue, TypedValuesAreLimitedToTheRange)
{
    SpinValues field = Field(0, 100, 0, 300);
    field.Value = 10;
    EXPECT_TRUE(CommitTypedValue(field, "250"));
    EXPECT_EQ(field.Value, 100);

    // Once the range is wider, 250 goes through.
    SetSpinRange(field, 0, 250);
    EXPECT_TRUE(CommitTypedValue(field, "250"));
    EXPECT_EQ(field.Value, 250);

    EXPECT_TRUE(CommitTypedValue(field, "-5"));
    EXPECT_EQ(field.Value, 0);
    field.Value = 42;
    EXPECT_TRUE(CommitTypedValue(field, "abc")); // not a number: 0, then limited
    EXPECT_EQ(field.Value, 0);
}

TEST(SpinValue, ATypedChangeOfAtMostOneHundredthIsNoChange)
{
    struct Case {
        float value;
        const char* typed;
        bool changes;
    };
    const Case cases[] = {
        {10, "10", false},       {10, "10.01", false},   {10, "9.99", false},
        {10, "10.02", true},     {10, "9.98", true},     {10, "10.011", true},
        {199.99f, "200", false}, {-50, "-50.01", false}, {-50, "-50.02", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SpinValues field = Field(-200, 200, -200, 200);
        field.Value = c.value;
        EXPECT_EQ(CommitTypedValue(field, c.typed), c.changes);
        if (!c.changes) {
            EXPECT_EQ(field.Value, c.value);
        }
    }
}

TEST(SpinValue, TheEditShowsTheIntegerPartOrTwoDecimals)
{
    SpinValues field = Field(1, 4, 1, 4, false);
    field.Value = 3.75f;
    field.IntegerOnly = true;
    EXPECT_EQ(SpinEditText(field), "3");
    field.IntegerOnly = false;
    EXPECT_EQ(SpinEditText(field), "3.75");
    field.Value = -0.5f;
    field.IntegerOnly = true;
    EXPECT_EQ(SpinEditText(field), "0");
}

TEST(SpinValue, SetupFromTheFieldTable)
{
    LayerIndex layer;
    const SpinValues width = SpinValuesFor(*FindField("Width1", &layer), false);
    EXPECT_TRUE(width.RangeEditable);
    EXPECT_EQ(width.RangeMin, 1);
    EXPECT_EQ(width.RangeMax, 100);
    EXPECT_EQ(width.LimitMax, 200);
    const SpinValues inks = SpinValuesFor(*FindField("NInks", &layer), true);
    EXPECT_FALSE(inks.RangeEditable);
    EXPECT_FALSE(SpinValuesFor(*FindField("RoughnessIntensity1", &layer), false).RangeEditable);
    EXPECT_FALSE(SpinValuesFor(*FindField("InksOpacity", &layer), false).RangeEditable);
}

TEST(ValueText, DialBuddiesNeverShowMinusZero)
{
    EXPECT_EQ(FormatDialBuddy(-0.0), "0.00");
    EXPECT_EQ(FormatDialBuddy(-0.00001), "0.00");
    EXPECT_EQ(FormatDialBuddy(-0.004), "0.00");
    EXPECT_EQ(FormatDialBuddy(-0.01), "-0.01");
    EXPECT_EQ(FormatDialBuddy(45), "45.00");
    EXPECT_EQ(FormatRange(0, 200, true), "0 ... 200");
    EXPECT_EQ(FormatRange(-200, 200.5, false), "-200.00 ... 200.50");
}

TEST(ValueText, TypedTextIsReadUpToItsLimit)
{
    EXPECT_EQ(ReadTypedNumber("  12.5xyz", 31), 12.5);
    EXPECT_EQ(ReadTypedNumber("12345", 3), 123);
    EXPECT_EQ(ReadTypedNumber("", 31), 0);
    EXPECT_EQ(ReadTypedNumber("1e999", 31), 0); // never infinite
}

} // namespace
} // namespace vel::ui
