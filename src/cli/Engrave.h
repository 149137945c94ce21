#pragma once
// "vellisto engrave": engraves image files with a parameter set.

#include "params/ParameterBlock.h"
#include "platform/Alert.h"

#include <string>
#include <vector>

namespace vel {

struct EngraveOptions {
    std::vector<std::string> Inputs;
    std::string Output;      // one input: the output file
    std::string OutputDir;   // many inputs: the folder for "<stem>.png"
    std::string Preset;      // a preset file, or a preset name from the data folder
    std::vector<std::string> Settings; // NAME=VALUE, applied in order after the preset
    std::string DataDir;     // the "VellistoIII" data folder; empty: beside the executable
    bool Quiet = false;
    std::string PlatesDir;  // the folder for the separation plates; empty: none
    int PlateThreshold = 0; // 1..255: one-bit plates, inked from this coverage on; 0: greyscale
    int Threads = 0;         // the render's thread count; 0: VELLISTO_THREADS, else every processor
};

// Parses the arguments after "engrave". Returns an empty string or an error.
std::string ParseEngraveArguments(const std::vector<std::string>& args, EngraveOptions& options);

// An empty string when the block's paper is "None", "Solid", empty (white)
// or a file of `papersFolder` (then spelt as the folder spells it);
// otherwise the error, listing the papers.
std::string CheckPaper(ParameterBlock& block, const std::string& papersFolder);

// The "VellistoIII" data folder: --data, or the one beside the program.
std::string ToolDataFolder(const EngraveOptions& options);

// The parameters of the options: the defaults, the preset, then each
// setting in order. Returns an empty string or the one-line error.
std::string BuildToolParameters(const EngraveOptions& options, ParameterBlock& block);

// Shows an alert as one line on standard error.
AlertAnswer PrintAlertLine(const AlertMessage& message);

// Runs the job; errors are printed as one line each. Returns the exit code:
// 0 success, 1 an input could not be engraved or written, 2 bad usage.
int RunEngrave(const EngraveOptions& options);

} // namespace vel
