#include "notes/local/background_checkpointer.h"

#include "notes/local/sqlite_connection.h"

#include <sqlite3.h>

namespace varnemo::notes::local {
namespace {

std::unique_ptr<SqliteConnection> CheckpointingConnection(const std::filesystem::path& path)
{
    auto connection = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::ReadWrite);
    // A connection finds out that the file uses a write-ahead log when it first reads it; until
    // then a checkpoint through it does nothing at all.
    connection->PragmaInteger("schema_version");
    return connection;
}

}  // namespace

BackgroundCheckpointer::BackgroundCheckpointer(SqliteConnection& writer, int framesPerCheckpoint,
                                               int framesBeforeWriterFolds)
    : writer_(writer.handle()),
      path_(writer.path()),
      framesPerCheckpoint_(framesPerCheckpoint),
      framesBeforeWriterFolds_(framesBeforeWriterFolds)
{
    // Replaces the writer's own automatic checkpoints, which use the same hook.
    sqlite3_wal_hook(writer_, &BackgroundCheckpointer::OnCommit, this);
}

BackgroundCheckpointer::~BackgroundCheckpointer()
{
    sqlite3_wal_hook(writer_, nullptr, nullptr);
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

int BackgroundCheckpointer::OnCommit(void* self, sqlite3* db, const char* schema, int frames)
{
    auto& checkpointer = *static_cast<BackgroundCheckpointer*>(self);
    const int every = checkpointer.framesPerCheckpoint_;
    if (frames < checkpointer.requestedAt_)
        checkpointer.requestedAt_ = 0;  // the log started over
    if (frames >= checkpointer.framesBeforeWriterFolds_) {
        sqlite3_wal_checkpoint_v2(db, schema, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        // Folded back whole, the log starts over at the next write, and its first commit may be
        // longer than the one that asked last: the stretches are measured from the start again.
        checkpointer.requestedAt_ = 0;
    } else if (frames >= checkpointer.requestedAt_ + every) {
        // Once per stretch of the log: a checkpoint of the few pages each commit adds would
        // wait for the disk just as long as one of many.
        checkpointer.requestedAt_ = frames;
        checkpointer.Request();
    }
    // A checkpoint that could not run now runs at a later commit; the commit itself succeeded.
    return SQLITE_OK;
}

void BackgroundCheckpointer::Request()
{
    // Connection and thread come with the first request only: templates, address books and
    // small targets never hold a stretch of log, for them a connection would cost as much as
    // their commits, and a process without threads of its own may still fork safely.
    if (!thread_.joinable()) {
        // Called from SQLite's commit, where no exception may pass. Without a connection or a
        // thread the writer folds the log back itself once it is long enough; the commit does not
        // fail for it, and the next stretch tries again. The connection is ready before the
        // thread starts, so that a failure leaves no thread behind.
        try {
            own_ = CheckpointingConnection(path_);
            thread_ = std::thread([this] { Run(); });
        } catch (const std::exception&) {
            own_.reset();
            return;
        }
    }
    {
        const std::lock_guard lock(mutex_);
        requested_ = true;
    }
    changed_.notify_all();
}

void BackgroundCheckpointer::WaitUntilIdle()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopping_ || (!requested_ && !busy_); });
}

void BackgroundCheckpointer::Run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return stopping_ || requested_; });
        if (stopping_)
            return;
        requested_ = false;
        busy_ = true;
        lock.unlock();
        // PASSIVE never waits for the writer: it copies what no reader needs and leaves the rest
        // for the next request. Failures (a busy log) are left to that next request as well.
        sqlite3_wal_checkpoint_v2(own_->handle(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace varnemo::notes::local
