#pragma once

#include "notes/local/database_design.h"

#include <filesystem>
#include <memory>

namespace varnemo::notes::local {

class SqliteConnection;

// Opens an existing store for writing. Foreign files are refused before SQLite touches them.
// Each commit goes to the write-ahead log with synchronous=NORMAL: a committed Save survives a
// crash of the program (the log is in the operating system's hands once COMMIT returns),
// without paying an fsync for each of the tens of thousands of documents of a conversion. A
// power failure may lose the last commits but never leaves a half-written document.
// Attachments that a crashed program left staged are removed.
std::unique_ptr<SqliteConnection> OpenStoreForWriting(const std::filesystem::path& path);

// Opens an existing store that is only read: any statement that would change it fails.
// Foreign files are refused in the same way.
std::unique_ptr<SqliteConnection> OpenStoreForReading(const std::filesystem::path& path);

// Creates a new store with the design and no documents. Fails when the file exists; the store
// is built under a temporary name and only appears under its own name when complete, so a
// failure leaves nothing behind.
void CreateStore(const std::filesystem::path& path, const DatabaseDesign& design);

}  // namespace varnemo::notes::local
