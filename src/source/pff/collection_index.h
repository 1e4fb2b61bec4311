#pragma once

#include "common/errors.h"

#include <fmt/format.h>

#include <string_view>

namespace varnemo::mapi::pff {

// Checks a 1-based index of a collection of count elements and returns it 0-based; an index
// out of range throws ComponentError naming the collection's owner.
inline int ZeroBasedIndex(long index, long count, std::string_view element, std::string_view owner)
{
    if (index < 1 || index > count)
        throw ComponentError(fmt::format("there is no {} {} of {} (it has {})", element, index, owner, count));
    return static_cast<int>(index - 1);
}

}  // namespace varnemo::mapi::pff
