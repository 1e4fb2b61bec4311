#pragma once

#include <filesystem>

namespace varnemo::notes::local {

// Makes sure that the file is a store of ours that this program can read, by reading its
// 100-byte SQLite header and nothing else. The file is never opened for writing here, so a
// foreign file (another program's SQLite database, a text file, an empty file, a directory)
// is refused with its bytes untouched and no journal files created beside it.
void CheckStoreHeader(const std::filesystem::path& path);

}  // namespace varnemo::notes::local
