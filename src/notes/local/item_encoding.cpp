#include "notes/local/item_encoding.h"

#include "common/errors.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

namespace varnemo::notes::local {
namespace {

struct Encoder {
    EncodedItem operator()(const std::string& text) const { return {"text", text}; }
    EncodedItem operator()(const DateTime& dateTime) const
    {
        return dateTime.hasValue() ? EncodedItem{"datetime", dateTime.ToIso()} : EncodedItem{"text", ""};
    }
    EncodedItem operator()(const std::vector<std::string>& texts) const
    {
        // Outlook text is not always valid UTF-8: a broken byte becomes U+FFFD rather than costing
        // the whole document.
        return {"textlist", nlohmann::json(texts).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)};
    }
    // Each value as a datetime item holds it; every one must have a value.
    EncodedItem operator()(const std::vector<DateTime>& dateTimes) const
    {
        auto list = nlohmann::json::array();
        for (const auto& dateTime : dateTimes) {
            if (!dateTime.hasValue())
                throw ComponentError("a date-time list holds a date-time without a value");
            list.push_back(dateTime.ToIso());
        }
        return {"datetimelist", list.dump()};
    }
};

std::vector<DateTime> DecodeDateTimeList(const std::string& value)
{
    std::vector<DateTime> dateTimes;
    for (const auto& text : nlohmann::json::parse(value).get<std::vector<std::string>>())
        dateTimes.push_back(DateTime::FromIso(text));
    return dateTimes;
}

}  // namespace

EncodedItem EncodeItemValue(const ItemValue& value)
{
    return std::visit(Encoder{}, value);
}

ItemValue DecodeItemValue(std::string_view type, const std::string& value)
{
    try {
        if (type == "text" || type == kRichTextType)
            return value;
        if (type == "datetime")
            return DateTime::FromIso(value);
        if (type == "textlist")
            return nlohmann::json::parse(value).get<std::vector<std::string>>();
        if (type == "datetimelist")
            return DecodeDateTimeList(value);
    } catch (const std::exception& error) {
        throw ComponentError(fmt::format("a stored {} item cannot be read: {}", type, error.what()));
    }
    throw ComponentError(fmt::format("a stored item has the unknown type {}", type));
}

}  // namespace varnemo::notes::local
