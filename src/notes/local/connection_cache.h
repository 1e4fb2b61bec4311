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

// From now on every write of a cached connection is held back until CommitSharedWrites (see
// SqliteConnection::HoldWrites), until ReleaseSharedConnections ends the holding.
void HoldSharedWrites();
// Commits the held writes of every cached connection; then throws the first failure, a
// ComponentError naming its file, none of whose held writes is in it.
void CommitSharedWrites();

// Commits what is held, then folds the write-ahead log of every cached connection into its file and lets go of them all, so
// that each database is whole in its own file once nobody else holds it open; the next
// SharedWriteConnection opens the file afresh. Every connection is let go, and then the first
// failure is thrown (a ComponentError naming its file).
void ReleaseSharedConnections();

// Lets go of the connection of a file that is gone, before a new file takes its name: closing
// it later would remove the new file's journal along with its own.
void ForgetVanishedConnection(const std::filesystem::path& path);

}  // namespace varnemo::notes::local
