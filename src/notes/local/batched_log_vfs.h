#pragma once

namespace varnemo::notes::local {

// The name of an SQLite VFS that is the platform's own except for write-ahead logs: SQLite appends
// a log one 24-byte frame header and one page at a time, two system calls per page; this VFS
// gathers the appended frames and hands them to the file in large writes. Registered on first use.
const char* BatchedLogVfsName();

}  // namespace varnemo::notes::local
