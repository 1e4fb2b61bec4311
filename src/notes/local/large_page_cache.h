#pragma once

#include <cstddef>

namespace varnemo::notes::local {

// The page cache each store connection keeps (SQLite's cache_size, in bytes).
constexpr std::size_t kStoreCacheBytes = 16 * 1024 * 1024;

// Hands SQLite's page cache one region of memory that the kernel backs with 2 MiB pages, once per
// process and before SQLite initializes. A conversion fills the cache with thousands of new pages
// (attachments are stored in the database), and in 4 KiB pages each one costs a fault on first
// touch: a fifth of converting a small mailbox. Where the kernel gives the process no large pages,
// or SQLite is already initialized, SQLite keeps allocating its pages itself. True when the region
// is in use.
bool UseLargePagesForPageCache();

// Whether the kernel backs memory that asks for it with 2 MiB pages (transparent huge pages).
bool KernelOffersLargePages();

}  // namespace varnemo::notes::local
