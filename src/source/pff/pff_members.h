#pragma once

#include "source/mapi.h"

#include <string>
#include <vector>

namespace varnemo::mapi::pff {

// The members of a distribution list, as the one-off entry ids that the list stores. Each is
// read when it is asked for, so that one that cannot be read costs only itself.
class PffMembers : public mapi::Members {
public:
    PffMembers(std::vector<std::string> entryIds, std::string charset, std::string list);

    long Count() override { return static_cast<long>(entryIds_.size()); }
    // The member's display name, or its address when the name is empty.
    std::string Item(long index) override;

private:
    std::vector<std::string> entryIds_;
    std::string charset_;
    std::string list_;
};

}  // namespace varnemo::mapi::pff
