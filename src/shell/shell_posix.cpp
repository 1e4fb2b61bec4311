#include "shell/shell.h"

#include <system_error>

namespace varnemo {

std::string GetTempFolder()
{
    std::error_code error;
    std::string folder = std::filesystem::temp_directory_path(error).string();
    if (error || folder.empty())
        return {};
    if (folder.back() != kPathSeparator)
        folder += kPathSeparator;
    return folder;
}

bool MakeFolderPath(const std::string& path)
{
    if (path.empty())
        return false;
    const std::filesystem::path directory(path);
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    return std::filesystem::is_directory(directory, error);
}

}  // namespace varnemo
