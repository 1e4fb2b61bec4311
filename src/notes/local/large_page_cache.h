#pragma once

#include <cstddef>

namespace varnemo::notes::local {

// The page cache each store connection keeps (SQLite's cache_size, in bytes).
constexpr std::size_t kStoreCacheBytes = 16 * 1024 * 1024;

// Has SQLite take the pages of its page cache from one arena of memory that asks the kernel for
// 2 MiB pages, once per process and before SQLite initializes. A conversion fills the cache with
// thousands of new pages (attachments are stored in the database), and in 4 KiB pages each costs
// a fault on first touch: a fifth of converting a small mailbox. The arena is touched only as it
// fills; every other allocation, and the pages beyond it, go to SQLite's own allocator. False
// when SQLite was initialized before or the arena could not be had: SQLite allocates as before.
bool UseLargePagesForPageCache();

// The bytes of cached pages that the arena holds now.
std::size_t PageCacheBytesInLargePages();

}  // namespace varnemo::notes::local
