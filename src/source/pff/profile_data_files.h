#pragma once

#include <filesystem>
#include <vector>

namespace varnemo::mapi::pff {

// The data files of a profile: the *.pst and *.ost files (any letter case) directly in its
// folder, sorted by name. A folder that does not exist holds none; a folder that cannot be
// listed throws ComponentError.
std::vector<std::filesystem::path> ProfileDataFiles(const std::filesystem::path& profileFolder);

}  // namespace varnemo::mapi::pff
