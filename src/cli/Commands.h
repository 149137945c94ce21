#pragma once
// The tool's commands besides "engrave": presets, patterns, the version and
// the shell completion. Each takes the arguments after its name and returns
// the exit code (0 done, 1 failed, 2 bad usage), printing errors as one line.

#include <string>
#include <vector>

namespace vel {

using Arguments = std::vector<std::string>;

// "vellisto preset write FILE [--preset P] [--set N=V]... [--data DIR]" and
// "vellisto preset show FILE".
int RunPresetCommand(const Arguments& args);

// "vellisto presets [--data DIR]": the factory and user presets by folder.
int RunPresetsCommand(const Arguments& args);

// "vellisto patterns": the patterns with their numbers.
int RunPatternsCommand(const Arguments& args);

// "vellisto completion": a bash completion script for the tool, with the
// parameter names and the names of their choices.
int RunCompletionCommand(const Arguments& args);
std::string BashCompletion();

// The tool's name and version: "vellisto 3.0.0".
std::string VersionLine();

// Whether the arguments ask for help ("--help" or "-h" anywhere).
bool AsksForHelp(const Arguments& args);

} // namespace vel
