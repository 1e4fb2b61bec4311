#pragma once

#include <nlohmann/json.hpp>

#include <memory>

namespace varnemo::testing {

// The mailbox and Notes environment that the test wrote, read afresh for every session.
std::shared_ptr<const nlohmann::json> ReadMailboxFile();

}  // namespace varnemo::testing
