#pragma once

// Makes property values from ordinary C++ values. Text arrives as UTF-8 and is stored as UTF-16LE.

#include "property.h"

#include <string>
#include <string_view>
#include <vector>

namespace pstgen {

// 100-nanosecond ticks since 1601-01-01 UTC.
using FileTime = std::uint64_t;

Bytes Utf16(std::string_view utf8);

PropertyValue StringValue(std::string_view utf8);
PropertyValue Int32Value(std::uint32_t value);
PropertyValue BoolValue(bool value);
PropertyValue TimeValue(FileTime value);
PropertyValue BinaryValue(Bytes value);
PropertyValue MultiStringValue(const std::vector<std::string>& utf8);
PropertyValue MultiBinaryValue(const std::vector<Bytes>& values);
PropertyValue StreamValue(std::shared_ptr<const ByteSource> source);

}  // namespace pstgen
