#pragma once

// The described mailbox: a JSON file naming folders, items, values and attachments.

#include "mailbox.h"

#include <filesystem>
#include <string_view>

namespace pstgen {

// Relative attachment files are taken from the JSON file's folder. Throws with the place of the
// fault (such as "folders[0].items[3].start") when the description is wrong.
Mailbox ReadMailboxJson(const std::filesystem::path& path);
Mailbox ParseMailboxJson(std::string_view text, const std::filesystem::path& baseFolder);

// The shape of the JSON file, for --help.
std::string_view MailboxJsonHelp();

}  // namespace pstgen
