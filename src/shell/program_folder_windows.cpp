#include "shell/program_folder.h"

#include "shell/shell.h"

#include <windows.h>

namespace varnemo {
namespace {

// The full path of the program's file. A path longer than the buffer comes back cut off at
// its size, so the buffer grows until the path fits.
std::string ProgramFilePath()
{
    constexpr DWORD kLongestPath = 32768;
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::string path(size, '\0');
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0)
            return {};
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

}  // namespace

std::string ProgramFolder()
{
    const std::string file = ProgramFilePath();
    const auto separator = file.rfind(kPathSeparator);
    return separator == std::string::npos ? std::string() : file.substr(0, separator);
}

}  // namespace varnemo
