#pragma once

#include "notes/notes.h"

#include <string>
#include <string_view>

namespace varnemo::notes::local {

// How an item is kept in the items table: its type word and its value as text.
struct EncodedItem {
    std::string type;  // "text", "textlist", "datetime", "datetimelist" or "richtext"
    std::string value;
};

inline constexpr std::string_view kRichTextType = "richtext";

// A date-time with no value becomes an empty text item, as Notes stores an empty date field.
EncodedItem EncodeItemValue(const ItemValue& value);

// The value of a stored item; a rich-text item reads as an empty text.
ItemValue DecodeItemValue(std::string_view type, const std::string& value);

}  // namespace varnemo::notes::local
