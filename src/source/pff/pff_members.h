#pragma once

#include "source/mapi.h"

#include <string>
#include <vector>

namespace varnemo::mapi::pff {

// The members of a distribution list, read once when the list was asked for them.
class PffMembers : public mapi::Members {
public:
    PffMembers(std::vector<std::string> members, std::string list);

    long Count() override { return static_cast<long>(members_.size()); }
    std::string Item(long index) override;

private:
    std::vector<std::string> members_;
    std::string list_;
};

}  // namespace varnemo::mapi::pff
