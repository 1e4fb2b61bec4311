#pragma once

#include <filesystem>
#include <memory>

namespace varnemo::notes::local {

class SqliteConnection;

// The process-wide write connection of a store. Writers open a session and a database for each
// item they convert, so the connection of a file is opened once and then handed out again; it
// is keyed by the file's canonical path and identity, so a file that was replaced under the
// same name is opened afresh. Fails as OpenStoreForWriting does.
std::shared_ptr<SqliteConnection> SharedWriteConnection(const std::filesystem::path& path);

// Folds the write-ahead log of every cached connection into its file and lets go of them all, so
// that each database is whole in its own file once nobody else holds it open; the next
// SharedWriteConnection opens the file afresh. Every connection is let go, and then the first
// failure is thrown (a ComponentError naming its file).
void ReleaseSharedConnections();

// Lets go of the connection of a file that is gone, before a new file takes its name: closing
// it later would remove the new file's journal along with its own.
void ForgetVanishedConnection(const std::filesystem::path& path);

}  // namespace varnemo::notes::local
