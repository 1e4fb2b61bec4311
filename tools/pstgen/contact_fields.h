#pragma once

// The text values of a contact and where each one is stored: a property id, or a long id in
// the address property set.

#include <cstdint>
#include <span>
#include <string_view>

namespace pstgen {

struct ContactField {
    std::string_view key;
    std::uint16_t tag;        // 0 when the value is a named property
    std::uint32_t addressLid;  // 0 when the value has a property id
};

std::span<const ContactField> ContactFields();
const ContactField* FindContactField(std::string_view key);

}  // namespace pstgen
