#pragma once

#include "com/object.h"

#include <string>
#include <utility>

namespace varnemo::com {

// A component collection with Count and a 1-based Item(index), as both components hand them out.
class Collection {
public:
    Collection(Object collection, std::string elementType)
        : collection_(std::move(collection)), elementType_(std::move(elementType))
    {
    }
    long Count() const { return collection_.GetLong("Count"); }
    Object Item(long index) const
    {
        return collection_.CallObject("Item", elementType_, Variant::Int32(static_cast<std::int32_t>(index)));
    }
    const Object& object() const { return collection_; }

private:
    Object collection_;
    std::string elementType_;
};

}  // namespace varnemo::com
