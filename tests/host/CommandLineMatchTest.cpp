// The module and the command-line tool run the same engine, so the same
// picture and parameters must give the same pixels through either.

#include "DialogWatcher.h"
#include "LoadedModule.h"
#include "ModulePath.h"
#include "session/FakeHost.h"

#include "color/ImageLoader.h"
#include "params/FieldTable.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <utility>

namespace vel::test {
namespace {

// An opaque RGB picture: a flattened document, as the tool makes of a file
// without transparency.
FakeImage Picture(int width, int height)
{
    return FakeImage::Gradient(width, height, 3);
}

// A 24-bit bottom-up BMP of the picture's colours.
void SaveBmp(const FakeImage& image, const std::string& path)
{
    const uint32_t rowBytes = (uint32_t(image.Width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * uint32_t(image.Height);
    std::vector<uint8_t> file(54 + pixelBytes, 0);
    const auto put = [&file](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + size_t(i)] = uint8_t(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, uint32_t(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, uint32_t(image.Width), 4);
    put(22, uint32_t(image.Height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, pixelBytes, 4);
    for (int y = 0; y < image.Height; ++y) {
        uint8_t* row = &file[54 + size_t(image.Height - 1 - y) * rowBytes];
        for (int x = 0; x < image.Width; ++x)
            for (int c = 0; c < 3; ++c)
                row[3 * x + c] = uint8_t(image.Get(x, y, 2 - c));
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

// Runs the command-line tool and returns its exit code (-1: not started).
int RunTool(const std::string& arguments)
{
    std::string command = std::string("\"") + VEL_CLI_PATH + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(code);
}

// A recorded action holding the settings, so that the module starts from
// exactly the parameters the tool is given.
FakeDescriptor Recording(const std::vector<std::pair<std::string, double>>& settings)
{
    FakeDescriptor descriptor;
    for (const auto& [name, value] : settings) {
        LayerIndex layer = LayerIndex::One;
        const FieldInfo* field = FindField(name, &layer);
        if (!field) {
            ADD_FAILURE() << "no field " << name;
            continue;
        }
        const uint32_t key = DescriptorKey(*field, layer);
        if (field->Shape == ValueShape::Real)
            descriptor.PutFloat(key, value);
        else if (field->Shape == ValueShape::Flag)
            descriptor.PutBoolean(key, value != 0);
        else
            descriptor.PutInteger(key, int32_t(value));
    }
    return descriptor;
}

std::string ToolSettings(const std::vector<std::pair<std::string, double>>& settings)
{
    std::string arguments;
    for (const auto& [name, value] : settings)
        arguments += " --set " + name + "=" + std::to_string(value);
    return arguments;
}

// Views, tabs, zoom and a drag in the dialog change nothing of what OK renders.
void LookAroundAndApply(HWND dialog)
{
    for (int id : {502, 503, 508, 500})
        Click(GetDlgItem(dialog, id));
    Click(GetDlgItem(dialog, 1001));
    Drag(GetDlgItem(dialog, 1002), 40, 40, 15, 10);
    DialogWatcher::PressOk(dialog);
}

// The preset the dialog saves in the user presets folder for the tool.
constexpr wchar_t SavedPresetName[] = L"zz dialog match";
constexpr char SavedPresetFile[] = "zz dialog match.vel3pst";

// Other parameters from the presets panel and the layers bar, saved as a
// user preset through "Save" and its name dialog, then OK.
void ChangeSaveAndApply(HWND dialog)
{
    HWND panel = GetDlgItem(dialog, PresetsPanelId);
    EXPECT_TRUE(ClickListEntry(GetDlgItem(panel, 1084), L"Classic Etching"));
    Click(GetDlgItem(dialog, 504)); // "Add Layer"
    Click(GetDlgItem(dialog, 502)); // a view: not saved, not rendered by OK
    EXPECT_TRUE(SavePresetAs(dialog, SavedPresetName));
    DialogWatcher::PressOk(dialog);
}

struct MatchCase {
    const char* Name;
    std::vector<std::pair<std::string, double>> Settings;
    const char* Paper = nullptr; // a texture of the papers folder
    bool Dialog = false;         // through the dialog, closed with OK
    DialogWatcher::Script Script = LookAroundAndApply;
    bool SavedPreset = false; // the tool renders the preset the dialog saved
};

TEST(CommandLineMatch, ModuleAndToolGiveTheSamePixels)
{
    const MatchCase cases[] = {
        {"defaults", {}},
        {"two-layers",
         {{"LayerTwoExist", 1}, {"Geometry2", 8}, {"Angle2", 60}, {"Width1", 12}, {"Interfere", 4}}},
        {"palette", {{"NInks", 3}, {"ColorSchema", 1}, {"Noise1", 20}, {"EmbossDepth", 30}}},
        // Tiled at any scale but 100 the texture's transparency falls below
        // 255 here and there; the flattened document stays opaque.
        {"texture", {{"PaperScale", 70}, {"PaperSchema", 0}}, "match-texture.bmp"},
        {"two-layers-through-the-dialog",
         {{"LayerTwoExist", 1}, {"Geometry2", 8}, {"Angle2", 60}, {"Width1", 12}, {"Interfere", 4}},
         nullptr,
         true},
        {"preset-saved-in-the-dialog", {{"Width1", 12}}, nullptr, true, ChangeSaveAndApply, true},
    };
    const FakeImage source = Picture(40, 30);
    const std::string dataFolder =
        std::string(ModulePath).substr(0, std::string(ModulePath).size() - 15) + "VellistoIII";
    const std::string savedPreset = dataFolder + "\\Presets\\User\\" + SavedPresetFile;
    DeleteFileA(savedPreset.c_str());
    FakeImage texture = FakeImage::Gradient(23, 19, 3);
    for (int y = 0; y < texture.Height; ++y)
        for (int x = 0; x < texture.Width; ++x)
            texture.Set(x, y, 0, uint32_t((x * 9 + y * 5) % 256));
    SaveBmp(texture, dataFolder + "\\Papers\\match-texture.bmp");
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.Name);
        LoadedModule module(ModulePath);
        const FilterEntryProc main = module.FindFilterEntry();
        ASSERT_NE(main, nullptr);
        const PluginEntryFn entry = [main](int16_t selector, void* record, intptr_t* data, int16_t* result) {
            main(selector, record, data, result);
        };
        FakeHost host(plugInModeRGBColor, source);
        FakeDescriptor recording = Recording(c.Settings);
        std::string paperSetting;
        if (c.Paper) {
            LayerIndex layer = LayerIndex::One;
            recording.PutString(DescriptorKey(*FindField("PaperName", &layer), layer), c.Paper);
            paperSetting = std::string(" --set PaperName=") + c.Paper;
        }
        host.SetDescriptor(recording, c.Dialog ? plugInDialogDisplay : plugInDialogDontDisplay);
        {
            DialogWatcher watcher(c.Script);
            ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
            EXPECT_EQ(watcher.DialogsSeen(), c.Dialog ? 1 : 0);
        }

        const std::string input = std::string("match-") + c.Name + ".bmp";
        const std::string output = std::string("match-") + c.Name + "-tool.bmp";
        SaveBmp(source, input);
        const std::string parameters =
            c.SavedPreset ? " --preset \"" + savedPreset + "\"" : ToolSettings(c.Settings) + paperSetting;
        ASSERT_EQ(RunTool("engrave " + input + " " + output + " --quiet --data \"" + dataFolder + "\"" +
                          parameters),
                  0);
        Plane<uint8_t> tool;
        ASSERT_TRUE(LoadImageRGBA(output, tool));
        ASSERT_EQ(tool.Width(), source.Width);
        ASSERT_EQ(tool.Height(), source.Height);
        int differing = 0;
        for (int y = 0; y < source.Height; ++y)
            for (int x = 0; x < source.Width; ++x)
                for (int k = 0; k < 3; ++k)
                    differing += host.Output().Get(x, y, k) != tool.Row(y)[4 * x + k];
        EXPECT_EQ(differing, 0);
        EXPECT_NE(host.Output(), source) << "the engraving replaced the picture";
    }
    DeleteFileA((dataFolder + "\\Papers\\match-texture.bmp").c_str());
    DeleteFileA(savedPreset.c_str());
}

} // namespace
} // namespace vel::test
