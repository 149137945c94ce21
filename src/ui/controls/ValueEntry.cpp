#include "ui/controls/ValueEntry.h"

#include "ui/controls/ValueText.h"

#include <cmath>

namespace vel::ui {

namespace {

constexpr size_t EntryTextLimit = 63;

// The second value (an elevation) is always a real number.
bool Truncates(const ValueEntryRules& rules, EntryEdit edit)
{
    return rules.IntegerDisplay && edit != EntryEdit::Value2;
}

} // namespace

std::string EntryEditText(const ValueEntryRules& rules, EntryEdit edit, double value)
{
    return FormatNumber(value, Truncates(rules, edit));
}

EditVerdict CheckEntryEdit(const ValueEntryRules& rules, ValueEntryWorking& working, EntryEdit edit,
                           std::string_view text)
{
    EditVerdict verdict;
    double value = ReadTypedNumber(text, EntryTextLimit);
    bool rewrite = value == 0;
    if (Truncates(rules, edit) && value != std::trunc(value)) {
        value = std::trunc(value);
        rewrite = true;
    }
    switch (edit) {
    case EntryEdit::Value1:
        if (rules.LimitValue) {
            const double limited = value < working.Min   ? working.Min
                                   : value > working.Max ? working.Max
                                                         : value;
            rewrite = rewrite || limited != value;
            value = limited;
        }
        working.Value1 = value;
        break;
    case EntryEdit::Value2:
        working.Value2 = value;
        break;
    case EntryEdit::Min:
        if (!(value < working.Max)) {
            value = working.Min;
            verdict.Beep = rewrite = true;
        }
        if (rules.WidestLimits && value < rules.LimitMin) {
            value = rules.LimitMin;
            verdict.Beep = rewrite = true;
        }
        working.Min = value;
        break;
    case EntryEdit::Max:
        if (!(value > working.Min)) {
            value = working.Max;
            verdict.Beep = rewrite = true;
        }
        if (rules.WidestLimits && value > rules.LimitMax) {
            value = rules.LimitMax;
            verdict.Beep = rewrite = true;
        }
        working.Max = value;
        break;
    }
    verdict.Value = value;
    if (rewrite)
        verdict.Text = EntryEditText(rules, edit, value);
    return verdict;
}

OkVerdict CheckFieldEntryOk(const ValueEntryRules& rules, std::string_view value1, std::string_view min,
                            std::string_view max)
{
    OkVerdict verdict;
    verdict.Min = ReadTypedNumber(min, EntryTextLimit);
    verdict.Max = ReadTypedNumber(max, EntryTextLimit);
    verdict.Value1 = ReadTypedNumber(value1, EntryTextLimit);
    if (rules.WidestLimits && verdict.Min < rules.LimitMin) {
        verdict.Focus = EntryEdit::Min;
        verdict.Text = EntryEditText(rules, EntryEdit::Min, rules.LimitMin);
        return verdict;
    }
    if (rules.WidestLimits && verdict.Max > rules.LimitMax) {
        verdict.Focus = EntryEdit::Max;
        verdict.Text = EntryEditText(rules, EntryEdit::Max, rules.LimitMax);
        return verdict;
    }
    if (verdict.Value1 < verdict.Min || verdict.Value1 > verdict.Max) {
        verdict.Focus = EntryEdit::Value1;
        verdict.Text =
            EntryEditText(rules, EntryEdit::Value1, verdict.Value1 < verdict.Min ? verdict.Min : verdict.Max);
        return verdict;
    }
    verdict.Accept = true;
    return verdict;
}

} // namespace vel::ui
