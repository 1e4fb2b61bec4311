#pragma once

#include "source/pff/pff_file.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace varnemo::mapi::pff {

// A store's entry id names its data file, so that any session can reopen the store from it:
// upper-case hex of "VNPF", a format byte (1) and the file's absolute path in UTF-8. Hex keeps the
// text free of the "#" that separates the parts of a folder tag (a path may contain "#").
std::string StoreEntryId(const std::filesystem::path& dataFile);
// Throws ComponentError when the text is not a store entry id written by StoreEntryId.
std::filesystem::path DataFileOfStoreEntryId(std::string_view entryId);

// A folder's entry id is the data file's own: 4 zero flag bytes, the store's record key and
// the folder's node id, little-endian, 24 bytes written as upper-case hex. A message's has the
// same form, with the message's node id.
struct FolderEntryId {
    RecordKey recordKey{};
    std::uint32_t nodeId = 0;
};
std::string ToText(const FolderEntryId& id);
// Throws ComponentError when the bytes are not a 24-byte PST entry id.
FolderEntryId ParseFolderEntryId(std::string_view bytes);
FolderEntryId ParseFolderEntryIdText(std::string_view text);

}  // namespace varnemo::mapi::pff
