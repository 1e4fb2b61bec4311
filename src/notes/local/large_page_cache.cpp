#include "notes/local/large_page_cache.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <sqlite3.h>
#include <sys/mman.h>
#include <utility>

namespace varnemo::notes::local {
namespace {

// Room for a writer's cache and the smaller stores open beside it (address book, templates); it
// costs address space only until it is used.
constexpr std::size_t kArenaBytes = 2 * kStoreCacheBytes;
constexpr std::size_t kLargePageBytes = 2 * 1024 * 1024;
// The stores' page size. SQLite allocates each cached page with its headers in one block, a
// little larger than the page; blocks of other sizes are not pages of a store.
constexpr int kPageBytes = 4096;

// Blocks of one size, handed out from the start of the arena and reused once freed.
class Arena {
public:
    bool Reserve(std::size_t blockBytes)
    {
        void* mapped = mmap(nullptr, kArenaBytes + kLargePageBytes, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (mapped == MAP_FAILED)
            return false;
        // Large pages back only whole, aligned 2 MiB stretches.
        const auto address = reinterpret_cast<std::uintptr_t>(mapped);
        begin_ = reinterpret_cast<char*>((address + kLargePageBytes - 1) / kLargePageBytes * kLargePageBytes);
        end_ = begin_ + kArenaBytes;
        next_ = begin_;
        blockBytes_ = blockBytes;
        madvise(begin_, kArenaBytes, MADV_HUGEPAGE);  // a kernel without large pages still gives small ones
        return true;
    }

    bool Fits(int bytes) const { return bytes > kPageBytes && static_cast<std::size_t>(bytes) <= blockBytes_; }
    bool Holds(const void* block) const { return block >= begin_ && block < end_; }
    std::size_t blockBytes() const { return blockBytes_; }

    // Null once the arena is full.
    void* Take()
    {
        std::lock_guard lock(mutex_);
        void* block = freed_;
        if (block)
            std::memcpy(&freed_, block, sizeof freed_);
        else if (next_ + blockBytes_ <= end_)
            block = std::exchange(next_, next_ + blockBytes_);
        if (block)
            bytesInUse_ += blockBytes_;
        return block;
    }

    void Give(void* block)
    {
        std::lock_guard lock(mutex_);
        std::memcpy(block, &freed_, sizeof freed_);
        freed_ = block;
        bytesInUse_ -= blockBytes_;
    }

    std::size_t bytesInUse()
    {
        std::lock_guard lock(mutex_);
        return bytesInUse_;
    }

private:
    std::mutex mutex_;
    char* begin_ = nullptr;
    char* end_ = nullptr;
    char* next_ = nullptr;
    void* freed_ = nullptr;
    std::size_t blockBytes_ = 0;
    std::size_t bytesInUse_ = 0;
};

Arena arena;
sqlite3_mem_methods sqliteOwn{};

void* Allocate(int bytes)
{
    if (arena.Fits(bytes))
        if (void* block = arena.Take())
            return block;
    return sqliteOwn.xMalloc(bytes);
}

void Free(void* block)
{
    if (arena.Holds(block))
        arena.Give(block);
    else
        sqliteOwn.xFree(block);
}

int Size(void* block)
{
    return arena.Holds(block) ? static_cast<int>(arena.blockBytes()) : sqliteOwn.xSize(block);
}

void* Reallocate(void* block, int bytes)
{
    if (!arena.Holds(block))
        return sqliteOwn.xRealloc(block, bytes);
    if (static_cast<std::size_t>(bytes) <= arena.blockBytes())
        return block;
    void* moved = sqliteOwn.xMalloc(bytes);
    if (moved) {
        std::memcpy(moved, block, arena.blockBytes());
        arena.Give(block);
    }
    return moved;
}

bool InstallArena()
{
    int headerBytes = 0;
    if (sqlite3_config(SQLITE_CONFIG_PCACHE_HDRSZ, &headerBytes) != SQLITE_OK ||
        sqlite3_config(SQLITE_CONFIG_GETMALLOC, &sqliteOwn) != SQLITE_OK)
        return false;
    if (!arena.Reserve(static_cast<std::size_t>(sqliteOwn.xRoundup(kPageBytes + headerBytes))))
        return false;
    // Only where blocks come from differs: rounding and setting up stay SQLite's own.
    sqlite3_mem_methods methods = sqliteOwn;
    methods.xMalloc = Allocate;
    methods.xFree = Free;
    methods.xRealloc = Reallocate;
    methods.xSize = Size;
    return sqlite3_config(SQLITE_CONFIG_MALLOC, &methods) == SQLITE_OK;
}

}  // namespace

bool UseLargePagesForPageCache()
{
    static const bool inUse = InstallArena();
    return inUse;
}

std::size_t PageCacheBytesInLargePages()
{
    return arena.bytesInUse();
}

}  // namespace varnemo::notes::local
