#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace varnemo::mapi::pff {

// The display name of a data file's store, read by the direct reader from the message store's
// own node; nothing when the direct reader cannot read it (a file of a kind it does not read,
// damage), and the caller opens the file instead.
std::optional<std::string> ReadStoreDisplayName(const std::filesystem::path& dataFile);

}  // namespace varnemo::mapi::pff
