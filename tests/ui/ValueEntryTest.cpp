// The "Set value" dialog's checks.

#include "ui/controls/ValueEntry.h"

#include <gtest/gtest.h>

namespace vel::ui {
namespace {

// A field with slider range 0..100 and widest range 0..200, value 40.
struct FieldEntry : testing::Test {
    ValueEntryRules rules;
    ValueEntryWorking working;
    FieldEntry()
    {
        rules.LimitMin = 0;
        rules.LimitMax = 200;
        working = {40, 0, 0, 100};
    }
};

TEST_F(FieldEntry, EditChecksOnFocusLoss)
{
    struct Case {
        const char* what;
        EntryEdit edit;
        const char* text;
        double value;
        const char* shown; // null: the typed text stays
        bool beep;
    };
    const Case cases[] = {
        {"value inside", EntryEdit::Value1, "55.5", 55.5, nullptr, false},
        {"value above the range", EntryEdit::Value1, "140", 100, "100.00", false},
        {"value below the range", EntryEdit::Value1, "-3", 0, "0.00", false},
        {"zero is rewritten", EntryEdit::Value1, "abc", 0, "0.00", false},
        {"maximum beyond the widest", EntryEdit::Max, "250", 200, "200.00", true},
        {"maximum inside", EntryEdit::Max, "150", 150, nullptr, false},
        {"maximum not above the minimum", EntryEdit::Max, "0", 100, "100.00", true},
        {"minimum equal to the maximum", EntryEdit::Min, "100", 0, "0.00", true},
        {"minimum below the widest", EntryEdit::Min, "-5", 0, "0.00", true},
        {"minimum inside", EntryEdit::Min, "20", 20, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ValueEntryWorking w = working;
        const EditVerdict verdict = CheckEntryEdit(rules, w, c.edit, c.text);
        EXPECT_EQ(verdict.Value, c.value);
        EXPECT_EQ(verdict.Beep, c.beep);
        EXPECT_EQ(verdict.Text.has_value(), c.shown != nullptr);
        if (c.shown && verdict.Text) {
            EXPECT_EQ(*verdict.Text, c.shown);
        }
    }
}

TEST_F(FieldEntry, IntegerDisplayTruncatesAndRewrites)
{
    rules.IntegerDisplay = true;
    const EditVerdict verdict = CheckEntryEdit(rules, working, EntryEdit::Value1, "12.7");
    EXPECT_EQ(verdict.Value, 12);
    ASSERT_TRUE(verdict.Text);
    EXPECT_EQ(*verdict.Text, "12");
    EXPECT_EQ(working.Value1, 12);
}

TEST_F(FieldEntry, TheValueMayUseAMaximumWidenedBeforeIt)
{
    CheckEntryEdit(rules, working, EntryEdit::Max, "150");
    EXPECT_EQ(CheckEntryEdit(rules, working, EntryEdit::Value1, "140").Value, 140);
    const OkVerdict ok = CheckFieldEntryOk(rules, "140", "0", "150");
    EXPECT_TRUE(ok.Accept);
    EXPECT_EQ(ok.Max, 150);
    EXPECT_EQ(ok.Value1, 140);
}

TEST_F(FieldEntry, OkRefusesAndNamesTheOffendingEdit)
{
    struct Case {
        const char *value, *min, *max;
        EntryEdit focus;
        const char* shown;
    };
    const Case cases[] = {
        {"50", "-10", "100", EntryEdit::Min, "0.00"},
        {"50", "0", "300", EntryEdit::Max, "200.00"},
        {"120", "0", "100", EntryEdit::Value1, "100.00"},
        {"5", "10", "100", EntryEdit::Value1, "10.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " " << c.min << " " << c.max);
        const OkVerdict ok = CheckFieldEntryOk(rules, c.value, c.min, c.max);
        EXPECT_FALSE(ok.Accept);
        EXPECT_EQ(ok.Focus, c.focus);
        EXPECT_EQ(ok.Text, c.shown);
    }
}

TEST(DialEntry, AnglesAreNotLimited)
{
    ValueEntryRules rules;
    rules.WidestLimits = false;
    rules.LimitValue = false;
    ValueEntryWorking working{30, 45, 0, 0};
    EXPECT_EQ(CheckEntryEdit(rules, working, EntryEdit::Value1, "400").Value, 400);
    EXPECT_EQ(working.Value1, 400);
    // The second value is stored as typed, zero written in the number format.
    const EditVerdict second = CheckEntryEdit(rules, working, EntryEdit::Value2, "0");
    ASSERT_TRUE(second.Text);
    EXPECT_EQ(*second.Text, "0.00");
    // Integer display truncates the first value only.
    rules.IntegerDisplay = true;
    EXPECT_EQ(CheckEntryEdit(rules, working, EntryEdit::Value1, "12.9").Value, 12);
    EXPECT_EQ(CheckEntryEdit(rules, working, EntryEdit::Value2, "12.9").Value, 12.9);
}

} // namespace
} // namespace vel::ui
