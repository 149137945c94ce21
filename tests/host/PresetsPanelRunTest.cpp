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

constexpr int PanelId = PresetsPanelId, FactoryList = 1084, FactoryLabel = 1091, UserList = 1913,
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

int CountOf(HWND list, const std::wstring& entry)
{
    const std::vector<std::wstring> entries = ListEntries(list);
    return int(std::count(entries.begin(), entries.end(), entry));
}

void ClickEntry(HWND list, const std::wstring& entry, bool twice = false)
{
    EXPECT_TRUE(ClickListEntry(list, entry, twice)) << "no entry";
}

bool Enabled(HWND window)
{
    return IsWindowEnabled(window) != 0;
}

void SaveAs(HWND dialog, const wchar_t* name)
{
    ASSERT_TRUE(SavePresetAs(dialog, name)) << "no name dialog";
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
        deleted = !std::filesystem::exists(file) && ListIndexOf(users, L"zz panel") < 0;
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

        top = ListEntries(factory);
        ClickEntry(factory, L"\tTwo Layers", true);
        note("entering a folder");
        inside = ListEntries(factory);
        insideLabel = TextOf(PanelItem(dialog, FactoryLabel));
        ClickEntry(factory, L"Rings Over Lines");
        note("a two-layer preset");
        twoLayerBar = IsWindowVisible(GetDlgItem(dialog, IdLayerTwo)) != 0;
        Click(GetDlgItem(dialog, IdComposite));
        note("Composite again");
        ClickEntry(factory, L"\t..", true);
        back = ListEntries(factory);
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

RECT RectIn(HWND dialog, HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(PresetsPanelRuns, FillsTheLeftColumnAtEverySize)
{
    struct Placement {
        RECT Client, Navigator, Preview, Cancel, Panel, UserList, Save, Delete;
    };
    std::vector<Placement> seen;
    DialogWatcher watcher([&](HWND dialog) {
        const auto note = [&] {
            Placement p;
            GetClientRect(dialog, &p.Client);
            p.Navigator = RectIn(dialog, GetDlgItem(dialog, 1005));
            p.Preview = RectIn(dialog, GetDlgItem(dialog, 1002));
            p.Cancel = RectIn(dialog, GetDlgItem(dialog, IDCANCEL));
            p.Panel = RectIn(dialog, Panel(dialog));
            p.UserList = RectIn(dialog, PanelItem(dialog, UserList));
            p.Save = RectIn(dialog, PanelItem(dialog, 1300));
            p.Delete = RectIn(dialog, PanelItem(dialog, DeleteButton));
            seen.push_back(p);
        };
        RECT opening;
        GetWindowRect(dialog, &opening);
        MINMAXINFO limits = {};
        SendMessageW(dialog, WM_GETMINMAXINFO, 0, LPARAM(&limits));
        const POINT sizes[] = {limits.ptMinTrackSize, {limits.ptMinTrackSize.x + 200, 1000}};
        for (const POINT size : sizes) {
            SendMessageW(dialog, WM_ENTERSIZEMOVE, 0, 0);
            SetWindowPos(dialog, nullptr, 0, 0, size.x, size.y, SWP_NOMOVE | SWP_NOZORDER);
            SendMessageW(dialog, WM_EXITSIZEMOVE, 0, 0);
            Settle(dialog);
            note();
        }
        // The next dialog of the test program opens where this one closes.
        SetWindowPos(dialog, nullptr, opening.left, opening.top, opening.right - opening.left,
                     opening.bottom - opening.top, SWP_NOZORDER);
        Settle(dialog);
        DialogWatcher::PressCancel(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(40, 30, 3));
    host.Run(entry, Invocation::Menu);
    ASSERT_EQ(seen.size(), 2u);
    for (const Placement& p : seen) {
        EXPECT_GT(p.Panel.top, p.Navigator.bottom) << "under the navigator";
        EXPECT_EQ(p.Panel.left, p.Navigator.left);
        EXPECT_LT(p.Panel.right, p.Preview.left) << "left of the preview";
        EXPECT_LT(p.Panel.right, p.Cancel.left);
        EXPECT_LE(p.Panel.bottom, p.Client.bottom);
        EXPECT_GT(p.Panel.bottom, p.Client.bottom - 16) << "reaches the bottom";
        EXPECT_LE(p.Save.right, p.Delete.left);
        EXPECT_GE(p.Save.left, p.Panel.left);
        EXPECT_LE(p.Delete.right, p.Panel.right);
        EXPECT_LE(p.Save.bottom, p.Panel.bottom);
        EXPECT_LT(p.UserList.bottom, p.Save.top);
    }
    // The user list takes what the dialog grew; the panel keeps its place.
    const int grown = seen[1].Client.bottom - seen[0].Client.bottom;
    ASSERT_GT(grown, 100);
    EXPECT_EQ(seen[1].UserList.bottom - seen[0].UserList.bottom, grown);
    EXPECT_EQ(seen[1].Save.top - seen[0].Save.top, grown);
    EXPECT_EQ(seen[1].Panel.top, seen[0].Panel.top);
    EXPECT_EQ(seen[1].Panel.right, seen[0].Panel.right);
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
