#pragma once

#include <filesystem>
#include <string>

namespace varnemo::testing {

struct ProgramResult {
    unsigned long exitCode = 0;
    std::string out;
    std::string err;
};

// Runs the command line to its end, with its standard output and error caught in files of
// the folder.
ProgramResult RunProgram(const std::wstring& commandLine, const std::filesystem::path& folder);

// The folder of the running test program, where the build puts every Windows program.
std::filesystem::path ProgramFolder();

}  // namespace varnemo::testing
