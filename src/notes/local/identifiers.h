#pragma once

#include <string>

namespace varnemo::notes::local {

// A document's universal id: 32 upper-case hex digits, random so that documents written by
// separate runs into separate databases never share one.
std::string NewUniversalId();

// A database's replica id: 16 upper-case hex digits.
std::string NewReplicaId();

}  // namespace varnemo::notes::local
