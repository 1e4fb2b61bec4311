#pragma once

#include "mailbox.h"

#include <filesystem>

namespace pstgen {

// Writes the mailbox as a Unicode data file at path (replacing it): the message store, the
// root folders ("Top of Personal Folders" holding the mailbox's folders and "Deleted Items",
// "Search Root", the spam search folder), every folder with its tables, every item with its
// recipients and attachments, and the name-to-id map. Throws with the reason on failure.
void WritePst(const Mailbox& mailbox, const std::filesystem::path& path);

}  // namespace pstgen
