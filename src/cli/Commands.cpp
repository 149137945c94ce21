#include "Commands.h"

#include "Engrave.h"
#include "ParameterListing.h"
#include "params/FieldTable.h"
#include "params/PresetFile.h"
#include "params/PresetLibrary.h"
#include "platform/Alert.h"
#include "platform/Folders.h"

#include <cstdio>

#ifndef VEL_VERSION
#define VEL_VERSION "unknown"
#endif

namespace vel {
namespace {

constexpr char PresetUsage[] =
    "usage: vellisto preset write FILE [--preset FILE|NAME] [--set NAME=VALUE]... [--data DIR]\n"
    "       vellisto preset show FILE\n"
    "Writes a preset file of the parameters (the defaults, then the preset, then each\n"
    "setting), or prints the parameters a preset file holds.\n";
constexpr char PresetsUsage[] = "usage: vellisto presets [--data DIR]\n"
                                "Lists the factory and the user presets, folder by folder.\n";
constexpr char PatternsUsage[] = "usage: vellisto patterns\n"
                                 "Lists the patterns with the numbers that Geometry1 and Geometry2 take.\n";
constexpr char CompletionUsage[] = "usage: vellisto completion\n"
                                   "Prints a bash completion script: source it, or put it in\n"
                                   "/etc/bash_completion.d/vellisto.\n";

void PrintError(const std::string& message)
{
    std::fprintf(stderr, "vellisto: %s\n", message.c_str());
}

int Usage(const char* usage, const std::string& error)
{
    PrintError(error);
    std::fputs(usage, stderr);
    return 2;
}

// Alerts of the preset code become lines on standard error while a command
// runs.
class AlertLines {
  public:
    AlertLines() : previous_(SetAlertSink(PrintAlertLine)) {}
    ~AlertLines() { SetAlertSink(previous_); }
    AlertLines(const AlertLines&) = delete;
    AlertLines& operator=(const AlertLines&) = delete;

  private:
    AlertSink previous_;
};

int WritePresetFile(const Arguments& args)
{
    EngraveOptions options;
    std::string file;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((arg == "--preset" || arg == "--set" || arg == "--data") && !hasValue)
            return Usage(PresetUsage, arg + " needs a value");
        if (arg == "--preset")
            options.Preset = args[++i];
        else if (arg == "--set")
            options.Settings.push_back(args[++i]);
        else if (arg == "--data")
            options.DataDir = args[++i];
        else if (arg.size() > 1 && arg[0] == '-')
            return Usage(PresetUsage, "unknown option \"" + arg + "\"");
        else if (file.empty())
            file = arg;
        else
            return Usage(PresetUsage, "preset write takes one FILE");
    }
    if (file.empty())
        return Usage(PresetUsage, "preset write needs a FILE");
    AlertLines alerts;
    ParameterBlock block{};
    const std::string error = BuildToolParameters(options, block);
    if (!error.empty()) {
        PrintError(error);
        return 2;
    }
    // WritePreset tells the user ("Cannot Save File!") when it fails.
    return WritePreset(file, block) ? 0 : 1;
}

int ShowPresetFile(const Arguments& args)
{
    if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-'))
        return Usage(PresetUsage, "preset show needs one FILE");
    AlertLines alerts;
    ParameterBlock block{};
    ResetWindowGeometry(block);
    if (!FileExists(args[0])) {
        PrintError("cannot read \"" + args[0] + "\": no such file");
        return 1;
    }
    if (!ReadPreset(args[0], block)) {
        PrintError("\"" + args[0] + "\" is not a Vellisto III preset");
        return 1;
    }
    std::fputs(DescribeParameters(block).c_str(), stdout);
    return 0;
}

// Prints a tree's list at `depth`, descending into its folders.
void ListTree(PresetLibrary& library, PresetTree tree, const std::string& subfolder, int depth)
{
    (tree == PresetTree::Factory ? library.FactorySubfolder : library.UserSubfolder) = subfolder;
    const std::vector<std::string> entries = ListPresets(library, tree);
    const std::string indent(size_t(depth) * 2, ' ');
    for (const std::string& entry : entries) {
        if (entry.empty() || entry[0] != '\t')
            std::printf("%s%s\n", indent.c_str(), entry.c_str());
    }
    for (const std::string& entry : entries) {
        if (entry.empty() || entry[0] != '\t' || entry == "\t..")
            continue;
        const std::string name = entry.substr(1);
        std::printf("%s%s/\n", indent.c_str(), name.c_str());
        ListTree(library, tree, subfolder + name + library.Separator, depth + 1);
    }
}

bool TakesDataOnly(const Arguments& args, EngraveOptions& options, const char* usage, int& status)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data" && i + 1 < args.size()) {
            options.DataDir = args[++i];
            continue;
        }
        status = Usage(usage, "unexpected \"" + args[i] + "\"");
        return false;
    }
    return true;
}

} // namespace

bool AsksForHelp(const Arguments& args)
{
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h")
            return true;
    return false;
}

std::string VersionLine()
{
    return std::string("vellisto ") + VEL_VERSION;
}

int RunPresetCommand(const Arguments& args)
{
    if (AsksForHelp(args)) {
        std::fputs(PresetUsage, stdout);
        return 0;
    }
    if (args.empty())
        return Usage(PresetUsage, "preset needs \"write\" or \"show\"");
    const Arguments rest(args.begin() + 1, args.end());
    if (args[0] == "write")
        return WritePresetFile(rest);
    if (args[0] == "show")
        return ShowPresetFile(rest);
    return Usage(PresetUsage, "unknown preset command \"" + args[0] + "\"");
}

int RunPresetsCommand(const Arguments& args)
{
    if (AsksForHelp(args)) {
        std::fputs(PresetsUsage, stdout);
        return 0;
    }
    EngraveOptions options;
    int status = 0;
    if (!TakesDataOnly(args, options, PresetsUsage, status))
        return status;
    PresetLibrary library;
    library.PresetsFolder = ToolDataFolder(options) + "Presets" + PathSeparator;
    std::printf("Factory presets (%sBasic):\n", library.PresetsFolder.c_str());
    ListTree(library, PresetTree::Factory, "", 1);
    std::printf("User presets (%sUser):\n", library.PresetsFolder.c_str());
    ListTree(library, PresetTree::User, "", 1);
    return 0;
}

int RunPatternsCommand(const Arguments& args)
{
    if (AsksForHelp(args)) {
        std::fputs(PatternsUsage, stdout);
        return 0;
    }
    if (!args.empty())
        return Usage(PatternsUsage, "patterns takes no arguments");
    for (int i = 0; i < PatternGeometryCount; ++i)
        std::printf("%2d  %s\n", i, PatternGeometryNames[i]);
    return 0;
}

std::string BashCompletion()
{
    // NAME= words for --set, and for each choice field its values.
    std::string names;
    std::string choices;
    for (const FieldInfo& field : ParameterFields()) {
        const int layers = field.Scope == FieldScope::Layer ? 2 : 1;
        for (int l = 0; l < layers; ++l) {
            const std::string name = FieldName(field, LayerIndex(l));
            names += (names.empty() ? "" : " ") + name + "=";
            if (field.Names.empty())
                continue;
            choices += "        " + name + ") values=(";
            for (const char* value : field.Names) {
                std::string quoted = "'";
                for (const char* c = value; *c; ++c)
                    quoted += *c == '\'' ? std::string("'\\''") : std::string(1, *c);
                choices += quoted + "' ";
            }
            choices += ") ;;\n";
        }
    }
    // Bash splits "--set Geometry1=Ri" at the "=" (COMP_WORDBREAKS), so the
    // field and the value are separate words.
    return "# bash completion for vellisto, generated from its parameter table\n"
           "_vellisto()\n"
           "{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
           "        COMPREPLY=($(compgen -W 'engrave preset presets patterns params completion --version "
           "--help' -- "
           "\"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    if [ \"${COMP_WORDS[1]}\" = preset ] && [ \"$COMP_CWORD\" -eq 2 ]; then\n"
           "        COMPREPLY=($(compgen -W 'write show' -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    local field= value= prefix=\n"
           "    if [ \"$prev\" = = ] && [ \"${COMP_WORDS[COMP_CWORD-3]}\" = --set ]; then\n"
           "        field=${COMP_WORDS[COMP_CWORD-2]} value=$cur\n"
           "    elif [ \"$cur\" = = ] && [ \"${COMP_WORDS[COMP_CWORD-2]}\" = --set ]; then\n"
           "        field=$prev prefix==\n"
           "    fi\n"
           "    if [ -n \"$field\" ]; then\n"
           "        local values=() i\n"
           "        case $field in\n" +
           choices +
           "        esac\n"
           "        local IFS=$'\\n'\n"
           "        COMPREPLY=($(compgen -W \"$(printf '%s\\n' \"${values[@]}\")\" -- \"$value\"))\n"
           "        for i in \"${!COMPREPLY[@]}\"; do COMPREPLY[i]=$prefix$(printf '%q' "
           "\"${COMPREPLY[i]}\"); done\n"
           "        return\n"
           "    fi\n"
           "    case $prev in\n"
           "    --set)\n"
           "        compopt -o nospace\n"
           "        COMPREPLY=($(compgen -W '" +
           names +
           "' -- \"$cur\"))\n"
           "        return ;;\n"
           "    --data|--out-dir)\n"
           "        COMPREPLY=($(compgen -d -- \"$cur\"))\n"
           "        return ;;\n"
           "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W '--preset --set --data --out-dir --quiet --help' -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
           "    fi\n"
           "}\n"
           "complete -o filenames -F _vellisto vellisto\n";
}

int RunCompletionCommand(const Arguments& args)
{
    if (AsksForHelp(args)) {
        std::fputs(CompletionUsage, stdout);
        return 0;
    }
    if (!args.empty())
        return Usage(CompletionUsage, "completion takes no arguments");
    std::fputs(BashCompletion().c_str(), stdout);
    return 0;
}

} // namespace vel
