#pragma once

#include <filesystem>
#include <string>

namespace varnemo::notes::local {

// Where the database named by a Notes call lives: only the local machine (server "") is
// served, and a relative path is taken from the Notes data directory, as a Notes client does.
std::filesystem::path LocateDatabase(const std::filesystem::path& dataDirectory, const std::string& server,
                                     const std::string& path);

}  // namespace varnemo::notes::local
