#include "pstgen_mailboxes.h"

#include "pstgen/byte_sources.h"
#include "pstgen/mailbox_json.h"

#include <fmt/format.h>

namespace varnemo::testing {

namespace {

constexpr const char* kEveryShape = R"json({
  "store": "Every shape ✓",
  "folders": [
    {"name": "Inbox", "class": "IPF.Note", "items": [
      {"kind": "mail", "subject": "Quarterly numbers ✓", "body": "Numbers attached.\nRegards",
       "from": {"name": "Ann Archer", "address": "ann@example.com"},
       "to": [{"name": "Bob Baker", "address": "bob@example.com"}, {"name": "Cleo Cruz", "address": "cleo@example.com"}],
       "cc": [{"name": "Dan Dorn", "address": "dan@example.com"}],
       "bcc": [{"name": "Eve Ernst", "address": "eve@example.com"}],
       "delivered": "2024-05-01T10:30:00Z", "submitted": "2024-05-01T10:29:00Z", "created": "2024-05-01T10:28:00Z",
       "reminder": "2024-05-02T09:00:00Z", "importance": 2, "categories": ["Finance", "Röd"],
       "attachments": [
         {"name": "../x", "text": "parent directory"},
         {"name": "a\\b.txt", "text": "backslash"},
         {"name": "", "text": "no name at all"},
         {"name": "same.txt", "text": "first of two"},
         {"name": "same.txt", "text": "second of two"},
         {"name": "numbers.bin", "size": 20000, "seed": 9},
         {"name": "Forwarded", "item": {"kind": "mail", "subject": "Inner message", "body": "Inner body",
           "attachments": [{"name": "inner.txt", "text": "inside the inner message"}]}}]},
      {"kind": "mail", "subject": "Low and plain", "importance": 0, "created": "2023-12-31T23:59:59Z"}
    ], "folders": [
      {"name": "Projects #1", "items": [{"subject": "In a folder with a hash"}], "folders": [
        {"name": "Archive", "items": [{"subject": "Third level"}]}]},
      {"name": "Empty", "class": "IPF.Note"}
    ]},
    {"name": "Archive", "items": [{"subject": "Same folder name, other place"}]},
    {"name": "Back\\slash", "items": [{"subject": "Backslash folder"}]},
    {"name": "Ωmega 日本", "items": [{"subject": "Unicode folder"}]},
    {"name": "Calendar", "class": "IPF.Appointment", "items": [
      {"kind": "appointment", "subject": "Planning", "location": "Room 4", "body": "Agenda",
       "start": "2024-06-03T08:00:00Z", "end": "2024-06-03T09:30:00Z", "categories": ["Meetings"],
       "reminder": "2024-06-03T07:45:00Z"}]},
    {"name": "Tasks", "class": "IPF.Task", "items": [
      {"kind": "task", "subject": "File the report", "body": "Before Friday", "start": "2024-06-01", "due": "2024-06-07",
       "importance": 2, "reminder": "2024-06-06T08:00:00Z"}]},
    {"name": "Contacts", "class": "IPF.Contact", "items": [
      {"kind": "contact", "subject": "Grace Hopper", "body": "Met at the conference", "categories": ["Friends"],
       "contact": {"first_name": "Grace", "middle_name": "Brewster", "last_name": "Hopper", "suffix": "PhD",
         "title": "Rear Admiral", "email1": "grace@example.com", "email2": "g.hopper@example.org",
         "email3": "amazing@example.net", "company": "Navy", "job_title": "Computer scientist",
         "department": "Programming", "office_location": "Building 7", "business_street": "1 Harbor Road",
         "business_city": "Arlington", "business_state": "VA", "business_postal_code": "22202",
         "business_country": "USA", "web_page": "https://example.com/grace", "manager": "H. Aiken",
         "assistant": "R. Bloch", "office_phone": "+1 555 0100", "office_fax": "+1 555 0101",
         "mobile_phone": "+1 555 0102", "pager": "+1 555 0103", "home_street": "2 Elm Street",
         "home_city": "New York", "home_postal_code": "10001", "home_state": "NY", "home_country": "USA",
         "spouse": "Vincent", "home_phone": "+1 555 0104", "home_fax": "+1 555 0105"},
       "children": ["Ada", "Alan"], "birthday": "1906-12-09", "anniversary": "1930-06-15"},
      {"kind": "distlist", "subject": "Pioneers", "list_name": "Pioneers",
       "members": [{"name": "Ada Lovelace", "address": "ada@example.com"}, {"name": "", "address": "alan@example.com"},
                   {"name": "Kathleen Booth", "address": "kathleen@example.com"}]}]},
    {"name": "Notes", "class": "IPF.StickyNote", "items": [{"kind": "sticky", "subject": "Buy milk", "body": "Buy milk"}]},
    {"name": "Journal", "class": "IPF.Journal", "items": [{"kind": "journal", "subject": "Phone call", "body": "Called Bob"}]},
    {"name": "Nothing here"}
  ]
})json";

// Berlin turned its clocks back from 03:00 summer time to 02:00 on 2024-10-27, at 01:00 UTC.
constexpr const char* kEndOfSummerTime = R"json({
  "store": "End of summer time",
  "folders": [
    {"name": "Inbox", "class": "IPF.Note", "items": [
      {"kind": "mail", "subject": "Before the clocks go back", "delivered": "2024-10-27T00:30:00Z"},
      {"kind": "mail", "subject": "After the clocks go back", "delivered": "2024-10-27T01:30:00Z"}]}
  ]
})json";

}  // namespace

pstgen::Mailbox EveryShapeMailbox()
{
    return pstgen::ParseMailboxJson(kEveryShape, ".");
}

pstgen::Mailbox EndOfSummerTimeMailbox()
{
    return pstgen::ParseMailboxJson(kEndOfSummerTime, ".");
}

pstgen::Mailbox BulkMailbox(std::size_t count)
{
    pstgen::Mailbox mailbox;
    mailbox.folders.push_back({"Bulk", "IPF.Note", {}, {}});
    auto& items = mailbox.folders.back().items;
    items.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        items[i].subject = fmt::format("Bulk {}", i);
    return mailbox;
}

pstgen::Mailbox LargeAttachmentMailbox(std::uint64_t size)
{
    pstgen::Mailbox mailbox;
    mailbox.folders.push_back({"Inbox", "IPF.Note", {}, {}});
    pstgen::Item item;
    item.subject = "Large attachment";
    item.attachments.push_back({"large.bin", std::make_shared<pstgen::PatternBytes>(size, 42), nullptr});
    mailbox.folders.back().items.push_back(std::move(item));
    return mailbox;
}

}  // namespace varnemo::testing
