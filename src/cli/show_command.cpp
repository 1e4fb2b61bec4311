#include "cli/commands.h"
#include "cli/sha256_stream.h"
#include "common/utc_offset.h"
#include "notes/local/database_reader.h"

#include <fmt/format.h>
#include <map>
#include <nlohmann/json.hpp>

namespace varnemo::cli {
namespace {

using notes::local::DatabaseReader;
using notes::local::StoredDocument;
using notes::local::StoredItem;

using FolderIndex = std::map<std::string, std::vector<std::string>>;

// The folders each document is filed in, by UNID.
FolderIndex IndexFolders(DatabaseReader& reader)
{
    FolderIndex folders;
    for (const auto& element : reader.DesignElements()) {
        if (element.kind != notes::local::DesignKind::Folder)
            continue;
        for (const auto& unid : reader.FolderMembers(element.name))
            folders[unid].push_back(element.name);
    }
    return folders;
}

// ISO 8601 with the value's offset from UTC (see UtcOffsetOf).
std::string IsoWithOffset(const DateTime& value)
{
    return value.WithUtcOffset(static_cast<int>(UtcOffsetOf(value).seconds / 60)).ToIso();
}

const char* TypeName(const StoredItem& item)
{
    if (item.isRichText)
        return "richtext";
    if (std::holds_alternative<DateTime>(item.value))
        return "datetime";
    if (std::holds_alternative<std::vector<std::string>>(item.value))
        return "textlist";
    if (std::holds_alternative<std::vector<DateTime>>(item.value))
        return "datetimelist";
    return "text";
}

nlohmann::json JsonDateTime(const DateTime& date)
{
    switch (date.kind()) {
    case DateTime::Kind::Full:
        return IsoWithOffset(date);
    case DateTime::Kind::DateOnly:
        return date.ToIso();
    case DateTime::Kind::TimeOnly:
        return date.ToIso().substr(1);
    case DateTime::Kind::None:
        break;
    }
    return nullptr;
}

nlohmann::json JsonValue(const StoredItem& item)
{
    if (item.isRichText)
        return nullptr;
    if (const auto* list = std::get_if<std::vector<std::string>>(&item.value))
        return *list;
    if (const auto* date = std::get_if<DateTime>(&item.value))
        return JsonDateTime(*date);
    if (const auto* dates = std::get_if<std::vector<DateTime>>(&item.value)) {
        auto list = nlohmann::json::array();
        for (const auto& value : *dates)
            list.push_back(JsonDateTime(value));
        return list;
    }
    return std::get<std::string>(item.value);
}

std::string Sha256(DatabaseReader& reader, const notes::local::StoredAttachment& attachment)
{
    Sha256Stream digest;
    reader.CopyAttachment(attachment, digest);
    return digest.Hex();
}

nlohmann::json DocumentJson(DatabaseReader& reader, const StoredDocument& document, const FolderIndex& folders)
{
    nlohmann::json json;
    json["noteid"] = document.unid;
    json["items"] = nlohmann::json::array();
    for (const auto& item : document.items)
        json["items"].push_back({{"name", item.name}, {"type", TypeName(item)}, {"value", JsonValue(item)}});
    const auto filed = folders.find(document.unid);
    json["folders"] = filed == folders.end() ? std::vector<std::string>{} : filed->second;
    json["attachments"] = nlohmann::json::array();
    for (const auto& attachment : document.attachments)
        json["attachments"].push_back(
            {{"name", attachment.fileName}, {"size", attachment.size}, {"sha256", Sha256(reader, attachment)}});
    return json;
}

// Stored text is what the mailbox held, which is not always valid UTF-8: a broken byte shows as
// U+FFFD instead of ending the program.
std::string JsonText(const nlohmann::json& json)
{
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void PrintDocument(DatabaseReader& reader, const StoredDocument& document, const FolderIndex& folders, long number)
{
    const auto json = DocumentJson(reader, document, folders);
    fmt::print("Document {} ({})\n", number, document.unid);
    for (const auto& item : json["items"]) {
        const auto& value = item["value"];
        const std::string text = value.is_string() ? value.get<std::string>() : value.is_null() ? "" : JsonText(value);
        fmt::print("  {:<22} {:<9} {}\n", item["name"].get<std::string>(), item["type"].get<std::string>(), text);
    }
    for (const auto& folder : json["folders"])
        fmt::print("  in folder {}\n", folder.get<std::string>());
    for (const auto& attachment : json["attachments"])
        fmt::print("  attachment {} ({} bytes, sha256 {})\n", attachment["name"].get<std::string>(),
                   attachment["size"].get<long long>(), attachment["sha256"].get<std::string>());
}

}  // namespace

int RunShow(const std::string& database, bool json)
{
    DatabaseReader reader(database);
    const auto folders = IndexFolders(reader);
    long number = 0;
    if (json)
        fmt::print("{{\"database\":{},\"documents\":[", JsonText(database));
    reader.ForEachDocument([&](const StoredDocument& document) {
        ++number;
        if (json)
            fmt::print("{}{}", number > 1 ? "," : "", JsonText(DocumentJson(reader, document, folders)));
        else
            PrintDocument(reader, document, folders, number);
    });
    if (json)
        fmt::print("]}}\n");
    else
        fmt::print("{} documents in {}\n", number, database);
    return kSuccess;
}

}  // namespace varnemo::cli
