// The presets panel inside the module's dialog, as a user meets it: entries
// clicked and double-clicked, "Save" with its name dialog and overwrite
// question, "Delete", with the preset files on disk checked.

#include "DialogWatcher.h"
#include "FreshModule.h"

#include "params/FieldTable.h"
#include "params/PresetFile.h"
#include "session/DescriptorKeys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vel::test {
namespace {

constexpr int PanelId = 143, FactoryList = 1084, FactoryLabel = 1091, UserList = 1913, SaveButton = 1300,
              DeleteButton = 1092, NameEdit = 1301;
constexpr int IdComposite = 500, IdLayerTwo = 503, IdAddLayer = 504;
constexpr wchar_t SaveTitle[] = L"Save Parameters Preset";
constexpr wchar_t OverwriteTitle[] = L"File Save Warning";

using PresetsPanelRuns = FreshModule;

std::string PresetsFolder()
{
    const std::string module = ModulePath;
    return module.substr(0, module.size() - 15) + "VellistoIII\\Presets\\";
}
std::string UserFolder()
{
    return PresetsFolder() + "User\\";
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Leaves the user tree as it was, whatever a test left behind.
struct UserTreeCleanup {
    std::vector<std::string> Names;
    ~UserTreeCleanup()
    {
        for (const std::string& name : Names)
            std::filesystem::remove_all(UserFolder() + name);
    }
};

HWND Panel(HWND dialog)
{
    return GetDlgItem(dialog, PanelId);
}
HWND PanelItem(HWND dialog, int id)
{
    return GetDlgItem(Panel(dialog), id);
}

std::vector<std::wstring> Entries(HWND list)
{
    std::vector<std::wstring> entries;
    const int count = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
        text.resize(size_t(SendMessageW(list, LB_GETTEXT, WPARAM(i), LPARAM(text.data()))));
        entries.push_back(text);
    }
    return entries;
}

int IndexOf(HWND list, const std::wstring& entry)
{
    const std::vector<std::wstring> entries = Entries(list);
    const auto at = std::find(entries.begin(), entries.end(), entry);
    return at == entries.end() ? -1 : int(at - entries.begin());
}

int CountOf(HWND list, const std::wstring& entry)
{
    const std::vector<std::wstring> entries = Entries(list);
    return int(std::count(entries.begin(), entries.end(), entry));
}

// Clicks (or double-clicks) an entry with the mouse, scrolled into view.
void ClickEntry(HWND list, const std::wstring& entry, bool twice = false)
{
    const int index = IndexOf(list, entry);
    ASSERT_GE(index, 0) << "no entry";
    SendMessageW(list, LB_SETTOPINDEX, WPARAM(index), 0);
    RECT r = {};
    SendMessageW(list, LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    if (twice) {
        PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
    }
    Settle(GetAncestor(list, GA_ROOT));
}

bool Enabled(HWND window)
{
    return IsWindowEnabled(window) != 0;
}

struct Found {
    const wchar_t* Title;
    HWND Window;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data)
{
    auto* found = reinterpret_cast<Found*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && TextOf(window) == found->Title) {
        found->Window = window;
        return FALSE;
    }
    return TRUE;
}

// A modal window of the dialog's thread, once it shows.
HWND WaitForWindow(const wchar_t* title)
{
    Found found = {title, nullptr};
    WaitFor([&] {
        found.Window = nullptr;
        EnumWindows(MatchTitle, LPARAM(&found));
        return found.Window != nullptr;
    });
    return found.Window;
}

// "Save", a name typed into the name dialog and its "Save" pressed.
void SaveAs(HWND dialog, const wchar_t* name)
{
    Click(PanelItem(dialog, SaveButton));
    HWND ask = WaitForWindow(SaveTitle);
    ASSERT_NE(ask, nullptr) << "no name dialog";
    SetDlgItemTextW(ask, NameEdit, name);
    PostMessageW(ask, WM_COMMAND, IDOK, 0);
    Settle(dialog);
}

TEST_F(PresetsPanelRuns, SaveOverwriteAndDeleteUserPresets)
{
    UserTreeCleanup cleanup{{"zz panel.vel3pst", "zz sub"}};
    std::filesystem::remove(UserFolder() + "zz panel.vel3pst");
    std::filesystem::create_directories(UserFolder() + "zz sub");
    const std::string file = UserFolder() + "zz panel.vel3pst";

    struct Answer {
        const char* What;
        int Button;
        bool Replaced;
    };
    const Answer answers[] = {{"No asks again", IDNO, false},
                              {"Cancel writes nothing", IDCANCEL, false},
                              {"Yes overwrites", IDYES, true}};
    std::string saved;
    bool listedOnce = false, deleteOffAfterSave = true, deleteOffOnFolder = true, deleteOnForPreset = false;
    bool deleted = false, deleteOffAfterDelete = true;
    std::vector<std::wstring> askedAgainWith;
    DialogWatcher watcher([&](HWND dialog) {
        HWND users = PanelItem(dialog, UserList);
        HWND remove = PanelItem(dialog, DeleteButton);
        SaveAs(dialog, L"zz panel");
        saved = FileText(file);
        listedOnce = CountOf(users, L"zz panel") == 1;
        deleteOffAfterSave = !Enabled(remove);

        // Other parameters, from a factory preset, then the same name.
        ClickEntry(PanelItem(dialog, FactoryList), L"Classic Etching");
        for (const Answer& answer : answers) {
            SCOPED_TRACE(answer.What);
            SaveAs(dialog, L"zz panel");
            HWND question = WaitForWindow(OverwriteTitle);
            ASSERT_NE(question, nullptr);
            PostMessageW(question, WM_COMMAND, WPARAM(answer.Button), 0);
            Settle(dialog);
            if (answer.Button == IDNO) {
                HWND again = WaitForWindow(SaveTitle);
                ASSERT_NE(again, nullptr);
                askedAgainWith.push_back(TextOf(GetDlgItem(again, NameEdit)));
                PostMessageW(again, WM_COMMAND, IDCANCEL, 0);
                Settle(dialog);
            }
            EXPECT_EQ(FileText(file) != saved, answer.Replaced);
            EXPECT_EQ(CountOf(users, L"zz panel"), 1);
        }

        ClickEntry(users, L"\tzz sub");
        deleteOffOnFolder = !Enabled(remove);
        ClickEntry(users, L"zz panel");
        deleteOnForPreset = Enabled(remove);
        Click(remove);
        deleted = !std::filesystem::exists(file) && IndexOf(users, L"zz panel") < 0;
        deleteOffAfterDelete = !Enabled(remove);
        DialogWatcher::PressCancel(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(40, 30, 3));
    EXPECT_EQ(host.Run(entry, Invocation::Menu), userCanceledErr);
    EXPECT_NE(saved, "") << "the preset was written";
    EXPECT_TRUE(listedOnce);
    EXPECT_TRUE(deleteOffAfterSave);
    EXPECT_EQ(askedAgainWith, std::vector<std::wstring>{L"zz panel"});
    EXPECT_TRUE(deleteOffOnFolder);
    EXPECT_TRUE(deleteOnForPreset);
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(deleteOffAfterDelete);
    EXPECT_TRUE(std::filesystem::exists(UserFolder() + "zz sub")) << "a folder is never deleted";
}

FakeDescriptor Recording(const std::vector<std::pair<const char*, double>>& settings)
{
    FakeDescriptor descriptor;
    for (const auto& [name, value] : settings) {
        LayerIndex layer = LayerIndex::One;
        const FieldInfo* field = FindField(name, &layer);
        if (!field)
            ADD_FAILURE() << name;
        else if (field->Shape == ValueShape::Real)
            descriptor.PutFloat(DescriptorKey(*field, layer), value);
        else
            descriptor.PutInteger(DescriptorKey(*field, layer), int32_t(value));
    }
    return descriptor;
}

TEST_F(PresetsPanelRuns, ApplyingDefaultAPresetAndBrowsingFolders)
{
    UserTreeCleanup cleanup{{"zz broken.vel3pst"}};
    std::ofstream(UserFolder() + "zz broken.vel3pst") << "not a preset\n";

    struct Step {
        const char* What;
        int Renders;
    };
    std::vector<Step> steps;
    bool oneLayerBar = false, twoLayerBar = false;
    std::vector<std::wstring> top, inside, back;
    std::wstring insideLabel, backLabel;
    DialogWatcher watcher([&](HWND dialog) {
        HWND factory = PanelItem(dialog, FactoryList);
        int last = Renders(dialog);
        const auto note = [&](const char* what) {
            steps.push_back({what, Renders(dialog) - last});
            last = Renders(dialog);
        };
        Click(GetDlgItem(dialog, IdLayerTwo));
        note("layer two view");
        ClickEntry(factory, L"Default");
        note("Default");
        oneLayerBar = IsWindowVisible(GetDlgItem(dialog, IdAddLayer)) &&
                      !IsWindowVisible(GetDlgItem(dialog, IdLayerTwo));
        Click(GetDlgItem(dialog, IdComposite));
        note("Composite is the current view already");
        ClickEntry(PanelItem(dialog, UserList), L"zz broken");
        note("a broken preset changes nothing");

        top = Entries(factory);
        ClickEntry(factory, L"\tTwo Layers", true);
        note("entering a folder");
        inside = Entries(factory);
        insideLabel = TextOf(PanelItem(dialog, FactoryLabel));
        ClickEntry(factory, L"Rings Over Lines");
        note("a two-layer preset");
        twoLayerBar = IsWindowVisible(GetDlgItem(dialog, IdLayerTwo)) != 0;
        Click(GetDlgItem(dialog, IdComposite));
        note("Composite again");
        ClickEntry(factory, L"\t..", true);
        back = Entries(factory);
        backLabel = TextOf(PanelItem(dialog, FactoryLabel));
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(40, 30, 3));
    host.SetDescriptor(Recording({{"LayerTwoExist", 1}, {"Width1", 12}, {"Width2", 7}, {"NInks", 3}}),
                       plugInDialogDisplay);
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);

    const int expected[] = {1, 1, 0, 0, 0, 1, 0};
    ASSERT_EQ(steps.size(), std::size(expected));
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(steps[i].Renders, expected[i]) << steps[i].What;
    EXPECT_TRUE(oneLayerBar);
    EXPECT_TRUE(twoLayerBar);

    // Folders: ".." only below the top, right after "Default".
    ASSERT_GE(top.size(), 2u);
    EXPECT_EQ(top[0], L"Default");
    EXPECT_EQ(std::count(top.begin(), top.end(), L"\t.."), 0);
    ASSERT_GE(inside.size(), 3u);
    EXPECT_EQ(inside[0], L"Default");
    EXPECT_EQ(inside[1], L"\t..");
    EXPECT_NE(std::find(inside.begin(), inside.end(), L"Rings Over Lines"), inside.end());
    EXPECT_EQ(insideLabel, L"Two Layers\\");
    EXPECT_EQ(back, top);
    EXPECT_EQ(backLabel, L"");

    // OK keeps what the last preset set: its file's values, both layers.
    ParameterBlock expectedBlock{};
    ResetWindowGeometry(expectedBlock);
    ResetToDefaults(expectedBlock);
    ASSERT_TRUE(ReadPreset(PresetsFolder() + "Basic\\Two Layers\\Rings Over Lines.vel3pst", expectedBlock));
    const ParameterBlock& kept = host.Parameters();
    EXPECT_EQ(kept.LayerTwoExist, 1);
    EXPECT_EQ(kept.NInks, expectedBlock.NInks);
    for (int layer = 0; layer < 2; ++layer) {
        EXPECT_EQ(kept.Layers[layer].Width, expectedBlock.Layers[layer].Width) << layer;
        EXPECT_EQ(kept.Layers[layer].Geometry, expectedBlock.Layers[layer].Geometry) << layer;
    }
}

TEST_F(PresetsPanelRuns, DefaultResetsBothLayers)
{
    DialogWatcher watcher([](HWND dialog) {
        ClickEntry(PanelItem(dialog, FactoryList), L"Default");
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(40, 30, 3));
    host.SetDescriptor(Recording({{"LayerTwoExist", 1}, {"Width1", 12}, {"Width2", 7}, {"NInks", 3}}),
                       plugInDialogDisplay);
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    ParameterBlock defaults{};
    ResetToDefaults(defaults);
    const ParameterBlock& kept = host.Parameters();
    EXPECT_EQ(kept.LayerTwoExist, defaults.LayerTwoExist);
    EXPECT_EQ(kept.NInks, defaults.NInks);
    EXPECT_EQ(kept.Layers[0].Width, defaults.Layers[0].Width);
    EXPECT_EQ(kept.Layers[1].Width, defaults.Layers[1].Width);
}

} // namespace
} // namespace vel::test
