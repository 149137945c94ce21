#pragma once
// "vellisto engrave": engraves image files with a parameter set.

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
    int Threads = 0;         // the render's thread count; 0: VELLISTO_THREADS, else every processor
};

// Parses the arguments after "engrave". Returns an empty string or an error.
std::string ParseEngraveArguments(const std::vector<std::string>& args, EngraveOptions& options);

// Runs the job; errors are printed as one line each. Returns the exit code:
// 0 success, 1 an input could not be engraved or written, 2 bad usage.
int RunEngrave(const EngraveOptions& options);

} // namespace vel
