#pragma once

#include <libpff.h>

#include <string>
#include <vector>

namespace varnemo::mapi::pff {

struct Recipient {
    enum class Kind { To = 1, Cc = 2, Bcc = 3 };
    Kind kind = Kind::To;
    std::string name;
    std::string address;  // an SMTP address, or empty when the recipient has none
};

// The rows of a message's recipient table, in order; none when the message has no table.
std::vector<Recipient> ReadRecipients(libpff_item_t* message, const std::string& where);

}  // namespace varnemo::mapi::pff
