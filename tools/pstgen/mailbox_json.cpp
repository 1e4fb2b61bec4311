#include "mailbox_json.h"

#include "byte_sources.h"
#include "contact_fields.h"
#include "file_time.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <stdexcept>

namespace pstgen {

namespace {

using nlohmann::json;

constexpr std::string_view kHelp = R"help(Mailbox description (JSON):
{
  "store": "Personal Folders",                      display name of the store
  "encoding": "none" | "compressible" | "high",      how item data is encoded (none unless given)
  "folders": [ FOLDER, ... ]                         below "Top of Personal Folders"
}
FOLDER: { "name": "Inbox", "class": "IPF.Note" (optional; IPF.Appointment, IPF.Contact,
          IPF.Task, IPF.StickyNote, IPF.Journal, ...), "items": [ITEM...], "folders": [FOLDER...] }
ITEM:   { "kind": "mail" | "appointment" | "task" | "contact" | "distlist" | "sticky" | "journal",
          "class": "IPM.Note" (optional; the kind's class otherwise),
          "subject", "body", "html", "message_id", "from": ADDRESS, "to" / "cc" / "bcc": [ADDRESS...],
          "delivered", "submitted", "created", "reminder": TIME,
          "importance": 0 | 1 | 2, "categories": ["..."],
          appointments: "start", "end": TIME, "location", "recurring": true, "recurrence": RECURRENCE;
          tasks: "start", "due": TIME,
          contacts: "contact": {"first_name": "...", ...}, "children": ["..."],
                    "birthday", "anniversary": TIME,
                    "birthday_local", "anniversary_local": TIME (the day as entered),
          distribution lists: "list_name", "members": [ADDRESS...],
          "attachments": [ATTACHMENT...] }
ADDRESS:    { "name": "...", "address": "..." }
TIME:       "2024-05-01" or "2024-05-01T10:30:00Z" (UTC)
RECURRENCE: { "pattern": "daily" | "weekly" | "monthly" | "monthly_nth" | "yearly" | "yearly_nth",
              "interval": days, weeks, months or years, "days": [0..6] (0 Sunday; weekly, *_nth),
              "day": day of the month (monthly, yearly), "week": 1..4 or 5 for the last (*_nth),
              "first": WALL (the first start), "minutes": length, "first_day_of_week": 0..6,
              "count": occurrences or "until": WALL (the last day); neither: no end,
              "deleted": [WALL day...], "changed": [{"original", "start", "end": WALL}...],
              "zone": {"bias": minutes west of UTC, "daylight_bias": -60,
                       "standard", "daylight": [month, week (5 last), day of week, hour]} }
WALL:       a TIME read as the series' wall clock, not as UTC
ATTACHMENT: { "name": "file name (may be empty)", and one of:
              "text": "content", "file": "path", "size": bytes with optional "seed"
              (pseudo-random content), "item": ITEM (an embedded item),
              "link": "path or address" (a link to a file the data file does not hold);
              optional "flags": PidTagAttachmentFlags, "hidden": true }
Contact keys: )help";

// Reads one JSON value with the path of its place for error messages.
class Reader {
public:
    Reader(const json& value, std::string path) : value_(value), path_(std::move(path)) {}

    bool Has(const char* key) const { return value_.is_object() && value_.contains(key); }
    Reader At(const char* key) const { return {value_.at(key), fmt::format("{}.{}", path_, key)}; }
    std::string Text(const char* key, std::string fallback = {}) const
    {
        return Has(key) ? At(key).As<std::string>() : fallback;
    }
    std::optional<FileTime> Time(const char* key) const
    {
        if (!Has(key))
            return std::nullopt;
        const auto reader = At(key);
        try {
            return ParseFileTime(reader.As<std::string>());
        } catch (const std::invalid_argument& error) {
            throw reader.Fault(error.what());
        }
    }
    template <typename T>
    T As() const
    {
        try {
            return value_.get<T>();
        } catch (const json::exception& error) {
            throw Fault(error.what());
        }
    }
    template <typename Each>
    void ForEach(const char* key, Each each) const
    {
        if (!Has(key))
            return;
        const auto list = At(key);
        if (!list.value_.is_array())
            throw list.Fault("expected a list");
        for (std::size_t i = 0; i < list.value_.size(); ++i)
            each(Reader(list.value_[i], fmt::format("{}[{}]", list.path_, i)));
    }
    template <typename Each>
    void ForEachMember(const char* key, Each each) const
    {
        if (!Has(key))
            return;
        const auto object = At(key);
        if (!object.value_.is_object())
            throw object.Fault("expected an object");
        for (const auto& [name, member] : object.value_.items())
            each(name, Reader(member, fmt::format("{}.{}", object.path_, name)));
    }
    std::runtime_error Fault(std::string_view what) const
    {
        return std::runtime_error(fmt::format("{}: {}", path_, what));
    }

private:
    const json& value_;
    std::string path_;
};

ItemKind ParseKind(const Reader& item)
{
    static const std::map<std::string, ItemKind> kinds{
        {"mail", ItemKind::Mail},         {"appointment", ItemKind::Appointment},
        {"task", ItemKind::Task},         {"contact", ItemKind::Contact},
        {"distlist", ItemKind::DistributionList}, {"sticky", ItemKind::StickyNote},
        {"journal", ItemKind::Journal},
    };
    const auto name = item.Text("kind", "mail");
    const auto found = kinds.find(name);
    if (found == kinds.end())
        throw item.At("kind").Fault(fmt::format("unknown kind \"{}\"", name));
    return found->second;
}

Encoding ParseEncoding(const Reader& mailbox)
{
    const auto name = mailbox.Text("encoding", "none");
    const auto encoding = EncodingNamed(name);
    if (!encoding)
        throw mailbox.At("encoding").Fault(fmt::format("unknown encoding \"{}\"", name));
    return *encoding;
}

Address ParseAddress(const Reader& reader)
{
    return {reader.Text("name"), reader.Text("address")};
}

Item ParseItem(const Reader& reader, const std::filesystem::path& base);

Attachment ParseAttachment(const Reader& reader, const std::filesystem::path& base)
{
    Attachment attachment;
    attachment.fileName = reader.Text("name");
    const int sources =
        reader.Has("text") + reader.Has("file") + reader.Has("size") + reader.Has("item") + reader.Has("link");
    if (sources != 1)
        throw reader.Fault(
            "an attachment needs exactly one of \"text\", \"file\", \"size\", \"item\", \"link\"");
    if (reader.Has("text")) {
        const auto text = reader.Text("text");
        attachment.content = std::make_shared<MemoryBytes>(Bytes(text.begin(), text.end()));
    } else if (reader.Has("file")) {
        try {
            attachment.content = std::make_shared<FileBytes>(base / reader.Text("file"));
        } catch (const std::runtime_error& error) {
            throw reader.Fault(error.what());
        }
    } else if (reader.Has("size")) {
        const auto seed = reader.Has("seed") ? reader.At("seed").As<std::uint64_t>() : 0;
        attachment.content = std::make_shared<PatternBytes>(reader.At("size").As<std::uint64_t>(), seed);
    } else if (reader.Has("link")) {
        attachment.link = reader.Text("link");
        if (attachment.link.empty())
            throw reader.Fault("a link needs the path or address of its file");
    } else {
        attachment.embedded = std::make_shared<Item>(ParseItem(reader.At("item"), base));
    }
    if (reader.Has("flags"))
        attachment.flags = reader.At("flags").As<std::uint32_t>();
    if (reader.Has("hidden"))
        attachment.hidden = reader.At("hidden").As<bool>();
    return attachment;
}

void ParseRecipients(const Reader& reader, const char* key, RecipientType type, Item& item)
{
    reader.ForEach(key, [&](const Reader& address) { item.recipients.push_back({ParseAddress(address), type}); });
}

WallMinutes ParseWallMinutes(const Reader& reader)
{
    constexpr FileTime kTicksPerMinute = 600'000'000;
    try {
        return static_cast<WallMinutes>(ParseFileTime(reader.As<std::string>()) / kTicksPerMinute);
    } catch (const std::invalid_argument& error) {
        throw reader.Fault(error.what());
    }
}

Recurrence::Pattern ParsePattern(const Reader& reader)
{
    static const std::map<std::string, Recurrence::Pattern> kPatterns = {
        {"daily", Recurrence::Pattern::Daily},     {"weekly", Recurrence::Pattern::Weekly},
        {"monthly", Recurrence::Pattern::Monthly}, {"monthly_nth", Recurrence::Pattern::MonthlyNth},
        {"yearly", Recurrence::Pattern::Yearly},   {"yearly_nth", Recurrence::Pattern::YearlyNth}};
    const auto found = kPatterns.find(reader.As<std::string>());
    if (found == kPatterns.end())
        throw reader.Fault("unknown pattern");
    return found->second;
}

std::array<std::uint16_t, 4> ParseSwitch(const Reader& reader)
{
    const auto values = reader.As<std::vector<std::uint16_t>>();
    if (values.size() != 4)
        throw reader.Fault("expected [month, week, day of week, hour]");
    return {values[0], values[1], values[2], values[3]};
}

TimeZoneRule ParseZone(const Reader& reader)
{
    TimeZoneRule zone;
    zone.bias = reader.At("bias").As<std::int32_t>();
    if (reader.Has("daylight_bias"))
        zone.daylightBias = reader.At("daylight_bias").As<std::int32_t>();
    if (reader.Has("standard"))
        zone.toStandard = ParseSwitch(reader.At("standard"));
    if (reader.Has("daylight"))
        zone.toDaylight = ParseSwitch(reader.At("daylight"));
    return zone;
}

Recurrence ParseRecurrence(const Reader& reader)
{
    Recurrence recurrence;
    recurrence.pattern = ParsePattern(reader.At("pattern"));
    auto number = [&](const char* key, std::uint32_t fallback) {
        return reader.Has(key) ? reader.At(key).As<std::uint32_t>() : fallback;
    };
    recurrence.interval = number("interval", 1);
    reader.ForEach("days", [&](const Reader& day) { recurrence.weekDays |= 1u << day.As<std::uint32_t>(); });
    recurrence.dayOfMonth = number("day", 0);
    recurrence.week = number("week", 0);
    recurrence.firstDayOfWeek = number("first_day_of_week", 0);
    recurrence.first = ParseWallMinutes(reader.At("first"));
    recurrence.minutes = number("minutes", 60);
    if (reader.Has("count"))
        recurrence.count = reader.At("count").As<std::uint32_t>();
    if (reader.Has("until"))
        recurrence.until = ParseWallMinutes(reader.At("until"));
    reader.ForEach("deleted", [&](const Reader& day) { recurrence.deleted.push_back(ParseWallMinutes(day)); });
    reader.ForEach("changed", [&](const Reader& change) {
        recurrence.changes.push_back({ParseWallMinutes(change.At("original")), ParseWallMinutes(change.At("start")),
                                      ParseWallMinutes(change.At("end"))});
    });
    if (reader.Has("zone"))
        recurrence.zone = ParseZone(reader.At("zone"));
    return recurrence;
}

Item ParseItem(const Reader& reader, const std::filesystem::path& base)
{
    Item item;
    item.kind = ParseKind(reader);
    item.messageClass = reader.Text("class");
    item.subject = reader.Text("subject");
    item.body = reader.Text("body");
    item.html = reader.Text("html");
    item.messageId = reader.Text("message_id");
    if (reader.Has("from"))
        item.sender = ParseAddress(reader.At("from"));
    ParseRecipients(reader, "to", RecipientType::To, item);
    ParseRecipients(reader, "cc", RecipientType::Cc, item);
    ParseRecipients(reader, "bcc", RecipientType::Bcc, item);
    item.delivered = reader.Time("delivered");
    item.submitted = reader.Time("submitted");
    item.created = reader.Time("created");
    item.reminder = reader.Time("reminder");
    if (reader.Has("importance"))
        item.importance = reader.At("importance").As<std::uint32_t>();
    reader.ForEach("categories", [&](const Reader& c) { item.categories.push_back(c.As<std::string>()); });
    item.start = reader.Time("start");
    item.end = reader.Time("end");
    item.due = reader.Time("due");
    item.location = reader.Text("location");
    if (reader.Has("recurring"))
        item.recurring = reader.At("recurring").As<bool>();
    if (reader.Has("recurrence"))
        item.recurrence = ParseRecurrence(reader.At("recurrence"));
    reader.ForEachMember("contact", [&](const std::string& key, const Reader& value) {
        if (!FindContactField(key))
            throw value.Fault("unknown contact value");
        item.contact[key] = value.As<std::string>();
    });
    reader.ForEach("children", [&](const Reader& c) { item.children.push_back(c.As<std::string>()); });
    item.birthday = reader.Time("birthday");
    item.anniversary = reader.Time("anniversary");
    item.birthdayLocal = reader.Time("birthday_local");
    item.anniversaryLocal = reader.Time("anniversary_local");
    item.listName = reader.Text("list_name");
    reader.ForEach("members", [&](const Reader& m) { item.members.push_back(ParseAddress(m)); });
    reader.ForEach("attachments", [&](const Reader& a) { item.attachments.push_back(ParseAttachment(a, base)); });
    return item;
}

Folder ParseFolder(const Reader& reader, const std::filesystem::path& base)
{
    Folder folder;
    folder.name = reader.Text("name");
    folder.containerClass = reader.Text("class");
    reader.ForEach("items", [&](const Reader& item) { folder.items.push_back(ParseItem(item, base)); });
    reader.ForEach("folders", [&](const Reader& child) { folder.folders.push_back(ParseFolder(child, base)); });
    return folder;
}

}  // namespace

Mailbox ParseMailboxJson(std::string_view text, const std::filesystem::path& baseFolder)
{
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error& error) {
        throw std::runtime_error(fmt::format("not JSON: {}", error.what()));
    }
    const Reader root(document, "mailbox");
    Mailbox mailbox;
    mailbox.displayName = root.Text("store", mailbox.displayName);
    mailbox.encoding = ParseEncoding(root);
    root.ForEach("folders", [&](const Reader& folder) { mailbox.folders.push_back(ParseFolder(folder, baseFolder)); });
    return mailbox;
}

Mailbox ReadMailboxJson(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(fmt::format("cannot read {}", path.string()));
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
        return ParseMailboxJson(text, path.parent_path());
    } catch (const std::exception& error) {
        throw std::runtime_error(fmt::format("{}: {}", path.string(), error.what()));
    }
}

std::string_view MailboxJsonHelp()
{
    static const std::string help = [] {
        std::string text(kHelp);
        for (const auto& field : ContactFields())
            text += fmt::format("{}{}", field.key, &field == &ContactFields().back() ? "\n" : ", ");
        return text;
    }();
    return help;
}

}  // namespace pstgen
