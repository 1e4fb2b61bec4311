#pragma once

#include <filesystem>
#include <string>

namespace varnemo::mapi::pff {

class PffItem;

// Saves an item as an RFC 5322 message file: Subject, From, To, Cc, Date and Message-ID where the
// item has them, the plain-text body with the HTML body as its alternative, and the item's own
// attachments as MIME parts (embedded items as attached messages, to any depth). fallbackSubject
// is used when the item has no subject of its own (an embedded item often has none; its
// attachment's name stands in). Throws ComponentError naming the file.
void WriteMessageFile(PffItem& item, const std::string& fallbackSubject, const std::filesystem::path& path);

}  // namespace varnemo::mapi::pff
