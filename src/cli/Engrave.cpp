#include "Engrave.h"

#include "ImageDocument.h"
#include "ImageRenderHost.h"
#include "ImageWriter.h"
#include "color/Paper.h"
#include "engine/RenderDriver.h"
#include "params/ParameterSettings.h"
#include "params/PresetFile.h"
#include "params/PresetLibrary.h"
#include "params/TextValues.h"
#include "platform/Alert.h"
#include "platform/AsciiText.h"
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

// The file being engraved, named by the alerts the render shows, and how
// many alerts its render showed.
std::string currentInput;
int renderAlerts = 0;

// Alerts become one line on standard error, naming the file.
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
    if (!currentInput.empty())
        ++renderAlerts;
    PrintError(currentInput.empty() ? squeezed : "\"" + currentInput + "\": " + squeezed);
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
    // Beside the program (a build tree, an unpacked zip), else where
    // `cmake --install` puts the data: PREFIX/share/vellisto beside PREFIX/bin.
    const DataFolders folders = ComputeDataFolders();
    const std::string beside = folders.ModuleFolder + "VellistoIII" + PathSeparator;
    const std::string installed = folders.ModuleFolder + ".." + PathSeparator + "share" + PathSeparator + "vellisto" +
                                  PathSeparator + "VellistoIII" + PathSeparator;
    std::error_code ec;
    if (!fs::is_directory(beside, ec) && fs::is_directory(installed, ec))
        return installed;
    return beside;
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

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
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
    return CheckPaper(block, dataFolder + "Papers" + PathSeparator);
}

} // namespace

std::string CheckPaper(ParameterBlock& block, const std::string& papersFolder)
{
    const std::string name(block.PaperName, strnlen(block.PaperName, PaperNameSize));
    std::vector<std::string> papers = ListPapers(papersFolder);
    if (papers.empty())
        papers = {"None", "Solid"};
    if (name.empty())
        return {}; // plain white paper
    for (const std::string& paper : papers)
        if (SameName(paper, name)) {
            // Letter case as the folder spells it, for file systems that mind.
            SetPaperName(block, paper.c_str());
            return {};
        }
    std::string list;
    for (const std::string& paper : papers)
        list += (list.empty() ? "" : ", ") + paper;
    return "no paper \"" + name + "\": the papers are " + list + " (from \"" + papersFolder + "\")";
}

namespace {

std::string OutputFor(const EngraveOptions& options, const std::string& input)
{
    if (options.OutputDir.empty())
        return options.Output;
    return (fs::path(options.OutputDir) / fs::path(input).stem()).string() + ".png";
}

std::string CheckOutput(const std::string& output)
{
    if (!CanWriteImage(output))
        return "cannot write \"" + output + "\": use a " + WritableExtensions() + " name";
    const fs::path folder = fs::path(output).parent_path();
    std::error_code ec;
    if (!folder.empty() && !fs::is_directory(folder, ec))
        return "the folder of \"" + output + "\" does not exist";
    return {};
}

// Engraves one file. Returns false after printing what went wrong; then
// nothing was written.
// The separation plates of one render: each ink's coverage as it went to
// print, the passes of both layers merged as the ink itself builds up.
struct PlateSet {
    const RenderState* State = nullptr;
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Coverage[MaxInks];
    InkColor Colors[MaxInks] = {};
};

void ReceivePlate(void* context, int ink, const uint8_t* coverage, int width, int height)
{
    auto& plates = *static_cast<PlateSet*>(context);
    if (ink < 0 || ink >= MaxInks || width <= 0 || height <= 0)
        return;
    std::vector<uint8_t>& plate = plates.Coverage[ink];
    const size_t pixels = size_t(width) * size_t(height);
    if (plate.size() != pixels)
        plate.assign(pixels, 0);
    plates.Width = width;
    plates.Height = height;
    plates.Colors[ink] = plates.State->Palette.Inks[ink];
    for (size_t i = 0; i < pixels; ++i)
        plate[i] = uint8_t(255 - (255 - plate[i]) * (255 - coverage[i]) / 255);
}

// "ink1-1a1a1a.tif": the ink's number and colour; with several inputs the
// picture's name comes first.
std::string PlatePath(const std::string& folder, const std::string& stem, int ink, const InkColor& color)
{
    char name[32];
    std::snprintf(name, sizeof name, "ink%d-%02x%02x%02x.tif", ink + 1, color.R, color.G, color.B);
    const fs::path path = fs::path(folder) / (stem.empty() ? std::string(name) : stem + "-" + name);
    return path.string();
}

// Writes every ink's plate: black where the ink prints, as film for a
// screen or a plate is made. Returns false after printing the error.
bool WritePlates(const PlateSet& plates, const std::string& folder, const std::string& stem, int threshold)
{
    std::vector<uint8_t> film;
    for (int ink = 0; ink < MaxInks; ++ink) {
        const std::vector<uint8_t>& coverage = plates.Coverage[ink];
        if (coverage.empty())
            continue;
        film.resize(coverage.size());
        for (size_t i = 0; i < coverage.size(); ++i)
            film[i] = threshold > 0 ? (coverage[i] >= threshold ? 0 : 255) : uint8_t(255 - coverage[i]);
        const std::string path = PlatePath(folder, stem, ink, plates.Colors[ink]);
        const std::string error = WritePlate(path, film.data(), plates.Width, plates.Height, threshold > 0);
        if (!error.empty()) {
            PrintError("cannot write \"" + path + "\": " + error);
            return false;
        }
    }
    return true;
}

bool EngraveFile(const std::string& input, const std::string& output, const ParameterBlock& parameters,
                 const std::string& dataFolder, bool progress, const EngraveOptions& options)
{
    LoadRequest request;
    request.Transparency = !PaperPresent(parameters);
    ImageDocument source;
    std::string error = LoadDocument(input, request, source);
    if (!error.empty()) {
        PrintError("cannot read \"" + input + "\": " + error);
        return false;
    }
    // Like a filter host, the output starts as a copy of the source.
    ImageDocument result;
    result.Width = source.Width;
    result.Height = source.Height;
    result.Planes = source.Planes;
    result.Depth = source.Depth;
    result.Cmyk = source.Cmyk;
    result.IccProfile = source.IccProfile;
    result.XResolution = source.XResolution;
    result.YResolution = source.YResolution;
    if (!result.Allocate()) {
        PrintError("\"" + input + "\": not enough memory for the engraved picture");
        return false;
    }
    // By bands: the copy also takes the first touch of every page of the
    // output, which costs as much as the copy itself.
    const size_t rowBytes = size_t(source.RowBytes());
    ForEachBand(source.Height, [&](int, int64_t first, int64_t end) {
        std::memcpy(result.Pixels.Data() + size_t(first) * rowBytes,
                    source.Pixels.Data() + size_t(first) * rowBytes, size_t(end - first) * rowBytes);
    });

    ParameterBlock params = parameters;
    RenderState state;
    state.PapersFolder = dataFolder + "Papers" + PathSeparator;
    ImageRenderHost host(source, result, progress);
    PlateSet plates;
    if (!options.PlatesDir.empty()) {
        plates.State = &state;
        state.Plates = {ReceivePlate, &plates};
    }
    currentInput = input;
    renderAlerts = 0;
    const RenderOutcome outcome = RenderImage(state, params, host);
    currentInput.clear();
    if (progress)
        std::fputs("\n", stderr);
    source.Pixels.Release();
    // A picture passed through is not an engraving, and one rendered after
    // an alert (a paper that would not load, say) is not the one asked for:
    // the alert said why.
    if (!outcome.Rendered() || renderAlerts > 0)
        return false;

    // The picture replaces an existing file only once it is complete.
    const fs::path target(output);
    std::string partialName = target.filename().string();
    partialName.insert(0, 1, '.');
    partialName += ".partial";
    const fs::path temporary = target.parent_path() / partialName;
    error = WriteDocument(temporary.string(), output, result);
    if (error.empty() && !ReplaceFileWith(temporary.string(), output))
        error = "it cannot replace the file there";
    if (!error.empty()) {
        std::error_code ec;
        fs::remove(temporary, ec);
        PrintError("cannot write \"" + output + "\": " + error);
        return false;
    }
    if (!options.PlatesDir.empty())
        return WritePlates(plates, options.PlatesDir,
                           options.Inputs.size() > 1 ? fs::path(input).stem().string() : std::string(),
                           options.PlateThreshold);
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
        else if (arg == "--plates")
            error = value(options.PlatesDir);
        else if (arg == "--plate-threshold") {
            std::string level;
            error = value(level);
            const int parsed = error.empty() ? ReadIntegerValue(level) : 0;
            if (error.empty() && (parsed < 1 || parsed > 255 || std::to_string(parsed) != level))
                error = "--plate-threshold takes a coverage level from 1 to 255";
            options.PlateThreshold = parsed;
        } else if (arg == "--threads") {
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
    if (options.PlateThreshold > 0 && options.PlatesDir.empty())
        return "--plate-threshold goes with --plates DIR";
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

std::string ToolDataFolder(const EngraveOptions& options) { return DataFolder(options); }

std::string BuildToolParameters(const EngraveOptions& options, ParameterBlock& block)
{
    return BuildParameters(options, DataFolder(options), block);
}

AlertAnswer PrintAlertLine(const AlertMessage& message) { return PrintAlert(message); }

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
    if (error.empty() && !options.PlatesDir.empty() && !fs::is_directory(options.PlatesDir, ec))
        error = "the plates folder \"" + options.PlatesDir + "\" does not exist";
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
    PrepareImageLibrary(options.Inputs);
    int status = 0;
    for (const std::string& input : options.Inputs) {
        const std::string output = OutputFor(options, input);
        if (EngraveFile(input, output, parameters, dataFolder, progress, options)) {
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
