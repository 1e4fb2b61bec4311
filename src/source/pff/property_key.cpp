#include "source/pff/property_key.h"

#include "source/pff/pff_error.h"

namespace varnemo::mapi::pff {
namespace {

PropertyKey NamedKey(libpff_name_to_id_map_entry_t* named, const std::string& where)
{
    const char* what = "cannot resolve a named property";
    uint8_t type = 0;
    Guid set{};
    CheckPff(what, where, [&](libpff_error_t** e) { return libpff_name_to_id_map_entry_get_type(named, &type, e); });
    CheckPff(what, where, [&](libpff_error_t** e) {
        return libpff_name_to_id_map_entry_get_guid(named, set.data(), set.size(), e);
    });
    if (type == LIBPFF_NAME_TO_ID_MAP_ENTRY_TYPE_NUMERIC) {
        uint32_t longId = 0;
        CheckPff(what, where, [&](libpff_error_t** e) { return libpff_name_to_id_map_entry_get_number(named, &longId, e); });
        return PropertyKey::LongId(set, longId);
    }
    size_t size = 0;
    CheckPff(what, where, [&](libpff_error_t** e) {
        return libpff_name_to_id_map_entry_get_utf8_string_size(named, &size, e);
    });
    std::string name(size, '\0');
    if (size > 0) {
        CheckPff(what, where, [&](libpff_error_t** e) {
            return libpff_name_to_id_map_entry_get_utf8_string(named, reinterpret_cast<uint8_t*>(name.data()), size, e);
        });
    }
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    return PropertyKey::Name(set, std::move(name));
}

}  // namespace

PropertyKey KeyOf(libpff_record_entry_t* entry, const std::string& where)
{
    // libpff attaches the name-to-id map entry of the file to every record entry whose local
    // id the map knows; the entry type itself stays the local id.
    libpff_name_to_id_map_entry_t* named = nullptr;
    const int isNamed = CheckPff("cannot read a property name", where, [&](libpff_error_t** e) {
        return libpff_record_entry_get_name_to_id_map_entry(entry, &named, e);
    });
    if (isNamed == 1 && named)
        return NamedKey(named, where);

    uint32_t type = 0;
    CheckPff("cannot read a property tag", where, [&](libpff_error_t** e) {
        return libpff_record_entry_get_entry_type(entry, &type, e);
    });
    return PropertyKey::Tag(static_cast<std::uint16_t>(type));
}

}  // namespace varnemo::mapi::pff
