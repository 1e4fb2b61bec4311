#pragma once

// Property values as the file stores them: a type and the value's bytes, or, for large binary
// values, a source that streams the bytes when they are written.

#include "little_endian.h"

#include <functional>
#include <map>
#include <memory>

namespace pstgen {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Hands the bytes to sink in pieces, front to back.
    virtual void Read(const std::function<void(ByteView)>& sink) const = 0;
};

struct PropertyValue {
    std::uint16_t type = 0;
    Bytes data;
    std::shared_ptr<const ByteSource> stream;

    std::uint64_t Size() const { return stream ? stream->Size() : data.size(); }
};

// Values by property id, in id order as the property context keeps them.
class PropertyList {
public:
    void Set(std::uint16_t id, PropertyValue value) { values_[id] = std::move(value); }
    const PropertyValue* Find(std::uint16_t id) const
    {
        const auto found = values_.find(id);
        return found == values_.end() ? nullptr : &found->second;
    }
    auto begin() const { return values_.begin(); }
    auto end() const { return values_.end(); }

private:
    std::map<std::uint16_t, PropertyValue> values_;
};

}  // namespace pstgen
