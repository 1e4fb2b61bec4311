#include "notes/com/item_variant.h"

namespace varnemo::notes::com {

using varnemo::com::Variant;

varnemo::com::Variant ItemVariant(const ItemValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return Variant::Text(*text);
    if (const auto* date = std::get_if<DateTime>(&value))
        return date->hasValue() ? Variant::Date(*date) : Variant::Text("");
    if (const auto* dates = std::get_if<std::vector<DateTime>>(&value))
        return Variant::DateList(*dates);
    return Variant::TextList(std::get<std::vector<std::string>>(value));
}

}  // namespace varnemo::notes::com
