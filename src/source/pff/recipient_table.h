#pragma once

#include "source/pff/property_bag.h"

#include <string>
#include <vector>

namespace varnemo::mapi::pff {

struct Recipient {
    enum class Kind { To = 1, Cc = 2, Bcc = 3 };
    Kind kind = Kind::To;
    std::string name;
    std::string address;  // an SMTP address, or empty when the recipient has none
};

// The recipients of a message, from the rows of its recipient table, in order.
std::vector<Recipient> RecipientsOf(const std::vector<PropertyBag>& rows);

}  // namespace varnemo::mapi::pff
