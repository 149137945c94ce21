#pragma once
// The "Set value" dialog's rules without its window: what each edit accepts
// when it loses the focus, and whether OK may apply the values.

#include <optional>
#include <string>
#include <string_view>

namespace vel::ui {

enum class EntryEdit { Value1, Value2, Min, Max };

struct ValueEntryRules {
    bool IntegerDisplay = false;
    bool WidestLimits = true; // the minimum and maximum stay within LimitMin..LimitMax (numeric fields)
    bool LimitValue = true;   // value 1 stays within the working range
    double LimitMin = 0, LimitMax = 100;
};

// The values kept while the dialog is open.
struct ValueEntryWorking {
    double Value1 = 0, Value2 = 0;
    double Min = 0, Max = 100;
};

struct EditVerdict {
    double Value = 0;                // what the edit now holds
    std::optional<std::string> Text; // the text to write back, when it changes
    bool Beep = false;
};

// Checks an edit's text (at most 63 characters are read) on focus loss and
// stores the result as its working value.
EditVerdict CheckEntryEdit(const ValueEntryRules& rules, ValueEntryWorking& working, EntryEdit edit,
                           std::string_view text);

// The text an edit shows for a working value (also Esc's restore).
std::string EntryEditText(const ValueEntryRules& rules, EntryEdit edit, double value);

// OK with the three edits read again. Nothing is applied unless every check
// passes; otherwise the offending edit gets `Text`, the focus and a beep.
struct OkVerdict {
    bool Accept = false;
    EntryEdit Focus = EntryEdit::Value1;
    std::string Text;
    double Value1 = 0, Min = 0, Max = 0;
};
OkVerdict CheckFieldEntryOk(const ValueEntryRules& rules, std::string_view value1, std::string_view min,
                            std::string_view max);

} // namespace vel::ui
