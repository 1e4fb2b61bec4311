#pragma once

#include "source/pff/direct/name_map.h"
#include "source/pff/direct/node_database.h"
#include "source/pff/pff_handles.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace varnemo::mapi::pff {

using RecordKey = std::array<std::uint8_t, 16>;

int CloseAndFreeFile(libpff_file_t** file, libpff_error_t** error);
using FileHandle = PffHandle<libpff_file_t, CloseAndFreeFile>;

// One open Outlook data file (PST or OST). Stores, folders and items share it, so that it stays
// open while any of them is held, whatever happens to the session that opened it.
class PffFile {
public:
    // Throws ComponentError naming the file and the reason when it cannot be read as an
    // Outlook data file (missing, a folder, empty, another kind of file, damaged).
    static std::shared_ptr<PffFile> Open(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    const std::string& where() const { return where_; }
    libpff_file_t* get() const { return file_.get(); }
    libpff_item_t* messageStore() const { return messageStore_.get(); }
    // The provider UID of every entry id in this file.
    const RecordKey& recordKey() const { return recordKey_; }

    // The item with this node id; an empty handle when the file has none.
    ItemHandle ItemById(std::uint32_t nodeId) const;

    // The file read without libpff, where that is faster; null for files it does not read.
    const direct::NodeDatabase* nodes() const { return nodes_.get(); }
    // Its name-to-id map, read the same way; valid while nodes() is not null.
    const direct::NameMap& names() const { return names_; }

private:
    PffFile(std::filesystem::path path, FileHandle file);
    void OpenDirectReader();

    std::filesystem::path path_;
    std::string where_;
    FileHandle file_;
    ItemHandle messageStore_;
    RecordKey recordKey_{};
    std::unique_ptr<direct::NodeDatabase> nodes_;
    direct::NameMap names_;
};

}  // namespace varnemo::mapi::pff
