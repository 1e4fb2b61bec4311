#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>

namespace varnemo::mapi::pff {

// A data file as it is on disk now: a file whose size or modification time changed since it was
// opened is another file, to be opened afresh.
struct FileStamp {
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;

    // A file that cannot be looked at gets an empty stamp; opening it then says why.
    static FileStamp Of(const std::filesystem::path& path);
    auto operator<=>(const FileStamp&) const = default;
};

}  // namespace varnemo::mapi::pff
