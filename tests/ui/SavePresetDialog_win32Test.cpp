// The "Save Parameters Preset" name dialog as a window.

#include "ui/pages/SavePresetDialog.h"

#include "ControlHarness.h"

namespace vel::ui::test {
namespace {

class SavePresetWindow : public ControlHarness {};

TEST_F(SavePresetWindow, SaveIsEnabledOnlyWithANameAndReturnsIt)
{
    WhenDialogOpens(L"Save Parameters Preset", [](HWND dialog) {
        HWND edit = GetDlgItem(dialog, PresetNameEditId);
        EXPECT_EQ(Text(edit), "");
        EXPECT_EQ(GetFocus(), edit);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        SendMessageW(dialog, WM_COMMAND, IDOK, 0); // Enter in the empty field
        EXPECT_TRUE(IsWindow(dialog)) << "nothing to save yet";
        Type(edit, "Etching");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), PresetNameLimit);
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    WindowSavePrompts prompts(Kit().Instance, Parent);
    std::string name;
    EXPECT_TRUE(prompts.AskName(name));
    EXPECT_TRUE(DialogScriptRan());
    EXPECT_EQ(name, "Etching");
}

TEST_F(SavePresetWindow, ShowsTheNameTypedBeforeAndCancelKeepsIt)
{
    WhenDialogOpens(L"Save Parameters Preset", [](HWND dialog) {
        EXPECT_EQ(Text(GetDlgItem(dialog, PresetNameEditId)), "Etching");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        Type(GetDlgItem(dialog, PresetNameEditId), "Other");
        SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    WindowSavePrompts prompts(Kit().Instance, Parent);
    std::string name = "Etching";
    EXPECT_FALSE(prompts.AskName(name));
    EXPECT_TRUE(DialogScriptRan());
    EXPECT_EQ(name, "Etching");
}

} // namespace
} // namespace vel::ui::test
