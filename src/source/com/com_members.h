#pragma once

#include "com/collection.h"
#include "source/mapi.h"

namespace varnemo::mapi::com {

// The members of a distribution list (RDOAddressEntries): a member's text is its Name, or its
// Address when the name is empty.
class ComMembers : public mapi::Members {
public:
    explicit ComMembers(varnemo::com::Object members) : members_(std::move(members), "RDOAddressEntry") {}
    long Count() override { return members_.Count(); }
    std::string Item(long index) override;

private:
    varnemo::com::Collection members_;
};

}  // namespace varnemo::mapi::com
