#pragma once

namespace varnemo::notes::dxl {

inline constexpr const char* kDxlNamespace = "http://www.lotus.com/dxl";

// The item that holds a file attachment's bytes; the rich-text item refers to it by the
// attachment's name.
inline constexpr const char* kFileItemName = "$FILE";

// DXL has no element for the documents of a folder: Notes keeps them in the folder's index,
// which DXL does not carry. Each document therefore lists its folders in this text-list item,
// from which the import agent of the README files it with PutInFolder (and which
// import-dxl reads back as folder entries, not as an item).
inline constexpr const char* kFoldersItemName = "$VarnemoFolders";

// Attachments are written the way a Windows client stores them.
inline constexpr const char* kFileHostType = "msdos";

}  // namespace varnemo::notes::dxl
