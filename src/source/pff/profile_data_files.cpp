#include "source/pff/profile_data_files.h"

#include "common/errors.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>

namespace varnemo::mapi::pff {
namespace {

namespace fs = std::filesystem;

bool IsDataFileName(const fs::path& path)
{
    auto extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".pst" || extension == ".ost";
}

}  // namespace

std::vector<fs::path> ProfileDataFiles(const fs::path& profileFolder)
{
    std::error_code error;
    if (!fs::exists(profileFolder, error) && !error)
        return {};
    std::vector<fs::path> files;
    fs::directory_iterator entries(profileFolder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        if (IsDataFileName(entries->path()) && !entries->is_directory())
            files.push_back(fs::absolute(entries->path()));
    }
    if (error)
        throw ComponentError(fmt::format("cannot list the Outlook data files in {}: {}", profileFolder.string(),
                                         error.message()));
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace varnemo::mapi::pff
