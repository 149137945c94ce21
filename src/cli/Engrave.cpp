#include "Engrave.h"

#include "ImageRenderHost.h"
#include "ImageWriter.h"
#include "color/ImageLoader.h"
#include "engine/RenderDriver.h"
#include "params/ParameterSettings.h"
#include "params/PresetFile.h"
#include "params/PresetLibrary.h"
#include "platform/Alert.h"
#include "platform/Folders.h"
#include "platform/Threads.h"
#include "session/DataFolders.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#define VEL_ISATTY _isatty
#define VEL_FILENO _fileno
#else
#include <unistd.h>
#define VEL_ISATTY isatty
#define VEL_FILENO fileno
#endif

namespace vel {
namespace {

namespace fs = std::filesystem;

void PrintError(const std::string& message) { std::fprintf(stderr, "vellisto: %s\n", message.c_str()); }

// Alerts become one line on standard error.
AlertAnswer PrintAlert(const AlertMessage& message)
{
    std::string text = message.Text;
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::string squeezed;
    for (char c : text)
        if (!(c == ' ' && !squeezed.empty() && squeezed.back() == ' '))
            squeezed += c;
    PrintError(squeezed);
    return message.Buttons == AlertButtons::Ok ? AlertAnswer::Ok : AlertAnswer::Cancel;
}

std::string DataFolder(const EngraveOptions& options)
{
    if (!options.DataDir.empty()) {
        std::string dir = options.DataDir;
        if (dir.back() != '/' && dir.back() != PathSeparator)
            dir += PathSeparator;
        return dir;
    }
    const DataFolders folders = ComputeDataFolders();
    return folders.ModuleFolder + "VellistoIII" + PathSeparator;
}

// A preset given by path, or by name (the extension may be typed) from the
// factory or the user presets, as the preset library names them.
std::string FindPreset(const std::string& preset, const std::string& dataFolder)
{
    if (FileExists(preset))
        return preset;
    PresetLibrary library;
    library.PresetsFolder = dataFolder + "Presets" + PathSeparator;
    const std::string name = PresetNameOf(preset);
    for (PresetTree tree : {PresetTree::Factory, PresetTree::User}) {
        const std::string path = PresetPath(library, tree, name);
        if (FileExists(path))
            return path;
    }
    return {};
}

std::string BuildParameters(const EngraveOptions& options, const std::string& dataFolder, ParameterBlock& block)
{
    ResetWindowGeometry(block);
    if (!options.Preset.empty()) {
        const std::string path = FindPreset(options.Preset, dataFolder);
        if (path.empty())
            return "no preset file or factory preset named \"" + options.Preset + "\"";
        if (!ReadPreset(path, block))
            return "\"" + path + "\" is not a Vellisto III preset";
    }
    for (const std::string& setting : options.Settings) {
        const std::string error = ApplySetting(block, setting);
        if (!error.empty())
            return error;
    }
    return {};
}

std::string OutputFor(const EngraveOptions& options, const std::string& input)
{
    if (options.OutputDir.empty())
        return options.Output;
    return (fs::path(options.OutputDir) / fs::path(input).stem()).string() + ".png";
}

std::string CheckOutput(const std::string& output)
{
    if (!CanWriteImage(output))
        return "cannot write \"" + output + "\": use a .png, .jpg, .tif or .bmp name";
    const fs::path folder = fs::path(output).parent_path();
    std::error_code ec;
    if (!folder.empty() && !fs::is_directory(folder, ec))
        return "the folder of \"" + output + "\" does not exist";
    return {};
}

// Engraves one file. Returns false after printing what went wrong.
bool EngraveFile(const std::string& input, const std::string& output, const ParameterBlock& parameters,
                 const std::string& dataFolder, bool progress)
{
    Plane<uint8_t> source;
    if (!LoadImageRGBA(input, source)) {
        PrintError("cannot read \"" + input + "\"");
        return false;
    }
    Plane<uint8_t> result;
    if (!result.Allocate(source.Width(), source.Height(), 4)) {
        PrintError("not enough memory for \"" + input + "\"");
        return false;
    }
    std::memcpy(result.Data(), source.Data(), source.Bytes());

    ParameterBlock params = parameters;
    RenderState state;
    state.PapersFolder = dataFolder + "Papers" + PathSeparator;
    if (progress)
        state.Progress = {DrawProgress, nullptr};
    ImageRenderHost host(source, result, progress);
    RenderImage(state, params, host);
    if (progress)
        std::fputs("\n", stderr);

    // The picture replaces an existing file only once it is complete.
    const fs::path target(output);
    std::string partialName = target.filename().string();
    partialName.insert(0, 1, '.');
    partialName += ".partial";
    const fs::path temporary = target.parent_path() / partialName;
    const std::string error = WriteImageRGBA(temporary.string(), output, result);
    std::error_code ec;
    if (error.empty())
        fs::rename(temporary, target, ec);
    if (!error.empty() || ec) {
        fs::remove(temporary, ec);
        PrintError(error.empty() ? "cannot write \"" + output + "\"" : error);
        return false;
    }
    return true;
}

} // namespace

std::string ParseEngraveArguments(const std::vector<std::string>& args, EngraveOptions& options)
{
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) -> std::string {
            if (i + 1 >= args.size())
                return arg + " needs a value";
            into = args[++i];
            return {};
        };
        std::string error;
        if (arg == "--preset")
            error = value(options.Preset);
        else if (arg == "--set") {
            std::string setting;
            error = value(setting);
            options.Settings.push_back(setting);
        } else if (arg == "--out-dir")
            error = value(options.OutputDir);
        else if (arg == "--data")
            error = value(options.DataDir);
        else if (arg == "--quiet")
            options.Quiet = true;
        else if (arg == "--threads") {
            std::string count;
            error = value(count);
            options.Threads = ParseThreadCount(count.c_str());
            if (error.empty() && options.Threads == 0)
                error = "--threads needs a count of 1 or more";
        } else if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        else
            positional.push_back(arg);
        if (!error.empty())
            return error;
    }
    if (options.OutputDir.empty()) {
        if (positional.size() != 2)
            return "engrave needs INPUT and OUTPUT (or INPUT... --out-dir DIR)";
        options.Inputs = {positional[0]};
        options.Output = positional[1];
    } else {
        if (positional.empty())
            return "engrave needs at least one INPUT";
        options.Inputs = positional;
    }
    return {};
}

int RunEngrave(const EngraveOptions& options)
{
    const AlertSink previous = SetAlertSink(PrintAlert);
    SetRenderThreads(options.Threads);
    const std::string dataFolder = DataFolder(options);
    ParameterBlock parameters{};
    std::string error = BuildParameters(options, dataFolder, parameters);
    std::error_code ec;
    if (error.empty() && !options.OutputDir.empty() && !fs::is_directory(options.OutputDir, ec))
        error = "the output folder \"" + options.OutputDir + "\" does not exist";
    for (size_t i = 0; error.empty() && i < options.Inputs.size(); ++i) {
        error = CheckOutput(OutputFor(options, options.Inputs[i]));
        if (error.empty() && !FileExists(options.Inputs[i]))
            error = "cannot read \"" + options.Inputs[i] + "\": no such file";
    }
    if (!error.empty()) {
        PrintError(error);
        SetAlertSink(previous);
        return 2;
    }
    const bool progress = !options.Quiet && VEL_ISATTY(VEL_FILENO(stderr));
    int status = 0;
    for (const std::string& input : options.Inputs) {
        const std::string output = OutputFor(options, input);
        if (EngraveFile(input, output, parameters, dataFolder, progress)) {
            if (!options.Quiet)
                std::printf("%s -> %s\n", input.c_str(), output.c_str());
        } else {
            status = 1;
        }
    }
    SetAlertSink(previous);
    return status;
}

} // namespace vel
