#include "notes/local/batched_log_vfs.h"

#include <cstddef>
#include <new>
#include <sqlite3.h>
#include <vector>

namespace varnemo::notes::local {
namespace {

// The write-ahead log's layout (SQLite's file format): a 32-byte header, then frames of a 24-byte
// header and a page. Bytes 4-7 of a frame header are the database's size after the commit in a
// commit frame, zero in any other.
constexpr sqlite3_int64 kLogHeaderSize = 32;
constexpr int kFrameHeaderSize = 24;
// SQLite's Unix VFS writes at most 128 KiB - 1 bytes in one call, and reports the rest as a full
// disk; 64 KiB is 15 frames of 4 KiB pages.
constexpr std::size_t kBatchCapacity = 64 * 1024;

bool IsCommitFrameHeader(const void* data, int size, sqlite3_int64 offset)
{
    if (size != kFrameHeaderSize || offset < kLogHeaderSize)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    return (bytes[4] | bytes[5] | bytes[6] | bytes[7]) != 0;
}

// A log file: the platform's file, opened in the same allocation just behind this one, and the
// frames appended to it but not yet written.
//
// Frames may wait in the batch only as long as no other connection may read them: other
// connections read no frame beyond the last commit that SQLite has published, and SQLite
// publishes a commit only after writing its commit frame. So a commit frame's header flushes the
// batch and goes to the file at once, and so does the page that follows it; any other use of the
// file (reads, size, syncs, truncation, closing) flushes the batch first.
struct LogFile {
    sqlite3_file base;
    sqlite3_file* real;
    std::vector<unsigned char> batch;
    sqlite3_int64 batchOffset = 0;
    bool writeNextThrough = false;

    int Flush()
    {
        if (batch.empty())
            return SQLITE_OK;
        const int result = real->pMethods->xWrite(real, batch.data(), static_cast<int>(batch.size()), batchOffset);
        batch.clear();
        return result;
    }

    int WriteThrough(const void* data, int size, sqlite3_int64 offset)
    {
        if (const int result = Flush(); result != SQLITE_OK)
            return result;
        return real->pMethods->xWrite(real, data, size, offset);
    }

    int Write(const void* data, int size, sqlite3_int64 offset)
    {
        const bool commitFrameHeader = IsCommitFrameHeader(data, size, offset);
        if (commitFrameHeader || writeNextThrough || static_cast<std::size_t>(size) > kBatchCapacity) {
            writeNextThrough = commitFrameHeader;  // the commit frame's page follows its header
            return WriteThrough(data, size, offset);
        }
        const bool continues = offset == batchOffset + static_cast<sqlite3_int64>(batch.size());
        if (!batch.empty() && (!continues || batch.size() + size > kBatchCapacity))
            if (const int result = Flush(); result != SQLITE_OK)
                return result;
        if (batch.empty())
            batchOffset = offset;
        const auto* bytes = static_cast<const unsigned char*>(data);
        batch.insert(batch.end(), bytes, bytes + size);
        return SQLITE_OK;
    }
};

LogFile& Log(sqlite3_file* file)
{
    return *reinterpret_cast<LogFile*>(file);
}

template <auto Method, typename... Arguments>
int Forwarded(sqlite3_file* file, Arguments... arguments)
{
    auto& log = Log(file);
    return (log.real->pMethods->*Method)(log.real, arguments...);
}

// Every use of the log but a write sees the file as the writes left it.
template <auto Method, typename... Arguments>
int FlushedThen(sqlite3_file* file, Arguments... arguments)
{
    if (const int result = Log(file).Flush(); result != SQLITE_OK)
        return result;
    return Forwarded<Method>(file, arguments...);
}

int CloseLog(sqlite3_file* file)
{
    auto& log = Log(file);
    const int flushed = log.Flush();
    const int closed = log.real->pMethods->xClose(log.real);
    log.~LogFile();
    return flushed != SQLITE_OK ? flushed : closed;
}

int WriteLog(sqlite3_file* file, const void* data, int size, sqlite3_int64 offset)
{
    return Log(file).Write(data, size, offset);
}

// Logs are never memory-mapped nor shared-memory files: version 1 of the methods is all they use.
const sqlite3_io_methods kLogMethods = {
    .iVersion = 1,
    .xClose = CloseLog,
    .xRead = FlushedThen<&sqlite3_io_methods::xRead, void*, int, sqlite3_int64>,
    .xWrite = WriteLog,
    .xTruncate = FlushedThen<&sqlite3_io_methods::xTruncate, sqlite3_int64>,
    .xSync = FlushedThen<&sqlite3_io_methods::xSync, int>,
    .xFileSize = FlushedThen<&sqlite3_io_methods::xFileSize, sqlite3_int64*>,
    .xLock = FlushedThen<&sqlite3_io_methods::xLock, int>,
    .xUnlock = FlushedThen<&sqlite3_io_methods::xUnlock, int>,
    .xCheckReservedLock = FlushedThen<&sqlite3_io_methods::xCheckReservedLock, int*>,
    .xFileControl = FlushedThen<&sqlite3_io_methods::xFileControl, int, void*>,
    .xSectorSize = Forwarded<&sqlite3_io_methods::xSectorSize>,
    .xDeviceCharacteristics = Forwarded<&sqlite3_io_methods::xDeviceCharacteristics>,
    .xShmMap = nullptr,
    .xShmLock = nullptr,
    .xShmBarrier = nullptr,
    .xShmUnmap = nullptr,
    .xFetch = nullptr,
    .xUnfetch = nullptr,
};

constexpr int kLogFileSize = (sizeof(LogFile) + 7) / 8 * 8;

sqlite3_vfs* Platform(sqlite3_vfs* vfs)
{
    return static_cast<sqlite3_vfs*>(vfs->pAppData);
}

// Any other file is the platform's own, opened in place at the start of the allocation.
int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* platform = Platform(vfs);
    if ((flags & SQLITE_OPEN_WAL) == 0)
        return platform->xOpen(platform, name, file, flags, outFlags);
    auto* log = new (file) LogFile;
    log->real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(file) + kLogFileSize);
    log->real->pMethods = nullptr;
    // Reserved whole, so that a write never allocates (nor throws into SQLite).
    try {
        log->batch.reserve(kBatchCapacity);
    } catch (const std::bad_alloc&) {
        log->~LogFile();
        file->pMethods = nullptr;
        return SQLITE_NOMEM;
    }
    if (const int result = platform->xOpen(platform, name, log->real, flags, outFlags); result != SQLITE_OK) {
        if (log->real->pMethods)
            log->real->pMethods->xClose(log->real);
        log->~LogFile();
        file->pMethods = nullptr;
        return result;
    }
    log->base.pMethods = &kLogMethods;
    return SQLITE_OK;
}

// The rest is the platform's.
template <auto Method, typename... Arguments>
auto ToPlatform(sqlite3_vfs* vfs, Arguments... arguments)
{
    return (Platform(vfs)->*Method)(Platform(vfs), arguments...);
}

sqlite3_vfs MakeVfs()
{
    sqlite3_vfs* platform = sqlite3_vfs_find(nullptr);
    sqlite3_vfs made{};
    made.iVersion = 2;
    made.szOsFile = kLogFileSize + platform->szOsFile;
    made.mxPathname = platform->mxPathname;
    made.zName = "varnemo-batched-log";
    made.pAppData = platform;
    made.xOpen = Open;
    made.xDelete = ToPlatform<&sqlite3_vfs::xDelete, const char*, int>;
    made.xAccess = ToPlatform<&sqlite3_vfs::xAccess, const char*, int, int*>;
    made.xFullPathname = ToPlatform<&sqlite3_vfs::xFullPathname, const char*, int, char*>;
    made.xDlOpen = ToPlatform<&sqlite3_vfs::xDlOpen, const char*>;
    made.xDlError = ToPlatform<&sqlite3_vfs::xDlError, int, char*>;
    made.xDlSym = ToPlatform<&sqlite3_vfs::xDlSym, void*, const char*>;
    made.xDlClose = ToPlatform<&sqlite3_vfs::xDlClose, void*>;
    made.xRandomness = ToPlatform<&sqlite3_vfs::xRandomness, int, char*>;
    made.xSleep = ToPlatform<&sqlite3_vfs::xSleep, int>;
    made.xCurrentTime = ToPlatform<&sqlite3_vfs::xCurrentTime, double*>;
    made.xGetLastError = ToPlatform<&sqlite3_vfs::xGetLastError, int, char*>;
    made.xCurrentTimeInt64 = ToPlatform<&sqlite3_vfs::xCurrentTimeInt64, sqlite3_int64*>;
    return made;
}

}  // namespace

const char* BatchedLogVfsName()
{
    static sqlite3_vfs vfs = MakeVfs();
    // Should SQLite refuse it, connections use the platform's VFS unchanged (nullptr).
    static const bool registered = sqlite3_vfs_register(&vfs, 0) == SQLITE_OK;
    return registered ? vfs.zName : nullptr;
}

}  // namespace varnemo::notes::local
