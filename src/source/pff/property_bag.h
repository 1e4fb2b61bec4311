#pragma once

#include "source/pff/property_key.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff {

// One stored property as a reader hands it over: its value's bytes as stored, or, for a value
// that is read only when asked for (a large one, or one a library keeps), how to read them.
struct StoredValue {
    PropertyKey key;
    std::uint32_t valueType = 0;
    std::optional<std::string> bytes;
    std::function<std::string()> read;
};

// The properties of one item (message, folder, attachment, message store, a row of a table),
// indexed once by tag or by name so that every later read is a lookup. Text comes back as UTF-8:
// Unicode strings converted, 8-bit strings decoded with the item's code page. Reads of a property
// that is absent, or stored with another type, give no value.
class PropertyBag {
public:
    // where names the item in error messages ("item 3 of folder 'Inbox' in /data/a.pst"). Of
    // two values under one key the first wins, as it would in a lookup by tag. leftOut says what
    // of the item's properties the reader could not read; empty when it read them all.
    PropertyBag(std::vector<StoredValue> values, std::string where, std::string leftOut = {});

    const std::string& where() const { return where_; }
    const std::string& leftOut() const { return leftOut_; }
    // The iconv name of the code page of the item's 8-bit strings.
    const std::string& charset() const { return charset_; }

    bool Has(const PropertyKey& key) const { return entries_.count(key) != 0; }
    // Every key the item has a value under, in key order.
    std::vector<PropertyKey> Keys() const;
    std::optional<std::uint32_t> ValueType(const PropertyKey& key) const;
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
    void SettleCharset();

    const StoredValue* Find(const PropertyKey& key) const;
    std::string RawData(const StoredValue& entry) const;
    std::vector<std::string> RawValues(const StoredValue& entry) const;
    std::string Decode(std::uint32_t valueType, const std::string& data) const;

    std::string where_;
    std::string leftOut_;
    std::map<PropertyKey, StoredValue> entries_;
    std::string charset_;
};

}  // namespace varnemo::mapi::pff
