#include "contact_fields.h"

#include <algorithm>

namespace pstgen {

namespace {

constexpr ContactField kFields[] = {
    {"first_name", 0x3A06, 0},       {"middle_name", 0x3A44, 0},        {"last_name", 0x3A11, 0},
    {"suffix", 0x3A05, 0},           {"title", 0x3A45, 0},              {"email1", 0, 0x8083},
    {"email2", 0, 0x8093},           {"email3", 0, 0x80A3},             {"company", 0x3A16, 0},
    {"job_title", 0x3A17, 0},        {"department", 0x3A18, 0},         {"office_location", 0x3A19, 0},
    {"business_street", 0, 0x8045},  {"business_city", 0, 0x8046},     {"business_state", 0, 0x8047},
    {"business_postal_code", 0, 0x8048}, {"business_country", 0, 0x8049}, {"web_page", 0, 0x802B},
    {"manager", 0x3A4E, 0},          {"assistant", 0x3A30, 0},          {"office_phone", 0x3A08, 0},
    {"office_fax", 0x3A24, 0},       {"mobile_phone", 0x3A1C, 0},       {"pager", 0x3A21, 0},
    {"home_street", 0x3A5D, 0},      {"home_city", 0x3A59, 0},          {"home_postal_code", 0x3A5B, 0},
    {"home_state", 0x3A5C, 0},       {"home_country", 0x3A5A, 0},       {"spouse", 0x3A48, 0},
    {"home_phone", 0x3A09, 0},       {"home_fax", 0x3A25, 0},
};

}  // namespace

std::span<const ContactField> ContactFields()
{
    return kFields;
}

const ContactField* FindContactField(std::string_view key)
{
    const auto found = std::find_if(std::begin(kFields), std::end(kFields), [&](const auto& f) { return f.key == key; });
    return found == std::end(kFields) ? nullptr : found;
}

}  // namespace pstgen
