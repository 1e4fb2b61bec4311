#pragma once

#include "source/pff/direct/name_map.h"
#include "source/pff/direct/property_context.h"
#include "source/pff/pff_handles.h"
#include "source/pff/property_key.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff {

// The properties of one item (message, folder, attachment, message store), indexed once by tag
// or by name so that every later read is a lookup. Text comes back as UTF-8: Unicode strings
// converted, 8-bit strings decoded with the item's code page. Reads of a property that is
// absent, or stored with another type, give no value.
class PropertyBag {
public:
    // where names the item in error messages ("item 3 of folder 'Inbox' in /data/a.pst").
    // An item keeps its own properties in record set 0; a table item (such as the recipients
    // of a message) keeps one row in each record set.
    PropertyBag(libpff_item_t* item, std::string where, int recordSet = 0);
    // Properties read from the file directly: names resolves the local ids of named properties,
    // readSubnode reads a value that a sub-node holds, when it is first asked for.
    using SubnodeReader = std::function<std::string(std::uint32_t subnode)>;
    PropertyBag(std::vector<direct::StoredProperty> properties, std::string where, const direct::NameMap& names,
                SubnodeReader readSubnode = {});

    const std::string& where() const { return where_; }
    // The iconv name of the code page of the item's 8-bit strings.
    const std::string& charset() const { return charset_; }

    bool Has(const PropertyKey& key) const { return entries_.count(key) != 0; }
    std::optional<std::string> Text(const PropertyKey& key) const;
    std::vector<std::string> TextList(const PropertyKey& key) const;
    // The stored bytes of a property of any type.
    std::optional<std::string> Bytes(const PropertyKey& key) const;
    // The values of a multi-valued property of strings or binaries.
    std::vector<std::string> BytesList(const PropertyKey& key) const;
    std::optional<std::int64_t> Integer(const PropertyKey& key) const;
    std::optional<bool> Boolean(const PropertyKey& key) const;
    // 100-nanosecond ticks since 1601-01-01, as stored.
    std::optional<std::uint64_t> FileTime(const PropertyKey& key) const;

private:
    struct Entry {
        RecordEntryHandle handle;
        std::uint32_t valueType = 0;
        // Set when the value was read without libpff: its bytes, or the sub-node that holds them.
        std::optional<std::string> bytes;
        std::optional<std::uint32_t> subnode;
    };

    void SettleCharset();

    const Entry* Find(const PropertyKey& key) const;
    std::string RawData(const Entry& entry) const;
    std::vector<std::string> RawValues(const Entry& entry) const;
    std::string Decode(std::uint32_t valueType, const std::string& data) const;

    std::string where_;
    RecordSetHandle recordSet_;
    std::map<PropertyKey, Entry> entries_;
    std::string charset_;
    SubnodeReader readSubnode_;
};

}  // namespace varnemo::mapi::pff
