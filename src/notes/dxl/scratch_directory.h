#pragma once

#include <filesystem>

namespace varnemo::notes::dxl {

// A fresh directory below the system's temporary folder, removed with its content when the
// object goes away.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace varnemo::notes::dxl
