#pragma once

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

struct sqlite3;

namespace varnemo::notes::local {

class SqliteConnection;

// Folds a store's write-ahead log back into the database file on a thread of its own, through a
// connection of its own. A checkpoint waits for the disk twice (the log, then the file); done by
// the writer it stalls the conversion for as long, several seconds per gigabyte.
//
// Installed on a writer connection, it asks for a checkpoint whenever a commit leaves the log
// framesPerCheckpoint pages longer than at the last request. The writer checkpoints itself once
// the log holds framesBeforeWriterFolds pages, so the log stays bounded: SQLite starts the log
// over only when a write begins with all of it folded back, which a writer that never pauses does
// not see after a background checkpoint (its next transaction has begun before the fold ends);
// the background may also fall behind.
class BackgroundCheckpointer {
public:
    BackgroundCheckpointer(SqliteConnection& writer, int framesPerCheckpoint, int framesBeforeWriterFolds);
    // Stops the thread, if one was started, after the checkpoint in progress.
    ~BackgroundCheckpointer();
    BackgroundCheckpointer(const BackgroundCheckpointer&) = delete;
    BackgroundCheckpointer& operator=(const BackgroundCheckpointer&) = delete;

    // Returns once every checkpoint asked for so far has run.
    void WaitUntilIdle();

private:
    static int OnCommit(void* self, sqlite3* db, const char* schema, int frames);
    void Request();
    void Run();

    sqlite3* writer_;
    const std::filesystem::path path_;
    const int framesPerCheckpoint_;
    const int framesBeforeWriterFolds_;
    int requestedAt_ = 0;  // the log's length at the last request; read and written by commits only
    std::unique_ptr<SqliteConnection> own_;  // opened with the first request
    std::mutex mutex_;
    std::condition_variable changed_;
    bool requested_ = false;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace varnemo::notes::local
