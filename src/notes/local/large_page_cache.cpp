#include "notes/local/large_page_cache.h"

#include <fstream>
#include <sqlite3.h>
#include <string>
#include <sys/mman.h>

namespace varnemo::notes::local {
namespace {

// Room for a writer's cache and the smaller stores open beside it (address book, templates).
// Once the region is nearly used up, SQLite reuses clean pages before it allocates more.
constexpr std::size_t kRegionBytes = kStoreCacheBytes + 4 * 1024 * 1024;
// The stores' page size; a page that does not fit a slot is allocated by SQLite as before.
constexpr int kPageBytes = 4096;

int SlotBytes()
{
    int header = 0;
    if (sqlite3_config(SQLITE_CONFIG_PCACHE_HDRSZ, &header) != SQLITE_OK)
        return 0;
    return (kPageBytes + header + 7) / 8 * 8;
}

bool TakeRegion()
{
    const int slotBytes = SlotBytes();
    // SQLite links every slot into its free list as it takes the region, touching all of it: on
    // 4 KiB pages that would be the faults this is meant to save, and all of them at once.
    if (slotBytes == 0 || !KernelOffersLargePages())
        return false;
    const int slots = static_cast<int>(kRegionBytes / static_cast<std::size_t>(slotBytes));
    const std::size_t bytes = static_cast<std::size_t>(slotBytes) * static_cast<std::size_t>(slots);
    void* region = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED)
        return false;
    if (madvise(region, bytes, MADV_HUGEPAGE) != 0 ||
        sqlite3_config(SQLITE_CONFIG_PAGECACHE, region, slotBytes, slots) != SQLITE_OK) {
        munmap(region, bytes);
        return false;
    }
    return true;  // SQLite keeps the region for the life of the process
}

}  // namespace

bool KernelOffersLargePages()
{
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    return std::getline(setting, modes) && modes.find("[never]") == std::string::npos;
}

bool UseLargePagesForPageCache()
{
    static const bool inUse = TakeRegion();
    return inUse;
}

}  // namespace varnemo::notes::local
