// Attachments that are Outlook items or links, in files that pstgen writes: an attached message
// becomes a whole message file named after its attachment, the occurrences that a recurring
// series keeps in attachments are not among the series' attachments, and a link to a file kept
// elsewhere is never saved as an empty file.
#include "damaged_node.h"
#include "pff_fixtures.h"
#include "pstgen/mailbox_json.h"
#include "pstgen/pst_writer.h"
#include "common/errors.h"
#include "source/pff/direct/file_layout.h"
#include "source/pff/eml_writer.h"
#include "source/pff/item_node.h"
#include "source/pff/pff_attachment.h"
#include "source/pff/pff_file.h"
#include "source/pff/pff_item.h"

#include <fmt/format.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace varnemo::testing {
namespace {

constexpr const char* kAttachedItems = R"json({"folders": [
  {"name": "Inbox", "items": [
    {"kind": "mail", "subject": "Outer", "body": "See the forwarded mail", "attachments": [
      {"name": "Fwd mail", "item": {"kind": "mail", "subject": "Inner", "body": "Inner text",
        "html": "<html><body><p>Inner <b>rich</b> text</p></body></html>", "message_id": "<inner.1@example.com>",
        "from": {"name": "Ann Archer", "address": "ann@example.com"},
        "to": [{"name": "Bob Baker", "address": "bob@example.com"}],
        "cc": [{"name": "Cleo Cruz", "address": "cleo@example.com"}],
        "submitted": "2024-05-01T10:29:00Z", "delivered": "2024-05-01T10:30:00Z",
        "attachments": [{"name": "inner.txt", "text": "inside the inner message"},
                        {"name": "Deeper", "item": {"kind": "mail", "subject": "Deepest", "body": "Deepest text"}}]}},
      {"name": "report.MSG", "item": {"kind": "mail", "subject": "Report", "body": "r"}},
      {"name": "", "item": {"kind": "mail", "subject": "Only a subject", "body": "s"}},
      {"name": "", "item": {"kind": "mail", "body": "neither name nor subject"}},
      {"name": "a/b\\c", "item": {"kind": "mail", "subject": "x", "body": "x"}}]},
    {"kind": "mail", "subject": "Invitation", "attachments": [
      {"name": "Weekly copy", "item": {"kind": "appointment", "subject": "Weekly", "recurring": true,
        "attachments": [
          {"name": "Untitled", "flags": 2, "hidden": true, "item": {"kind": "appointment", "body": "moved"}},
          {"name": "agenda.txt", "text": "the agenda"}]}}]}]},
  {"name": "Calendar", "class": "IPF.Appointment", "items": [
    {"kind": "appointment", "subject": "Weekly", "recurring": true,
     "start": "2024-06-04T08:00:00Z", "end": "2024-06-04T08:30:00Z", "attachments": [
      {"name": "agenda.txt", "text": "the agenda"},
      {"name": "Untitled", "flags": 2, "hidden": true, "item": {"kind": "appointment", "body": "moved"}},
      {"name": "Minutes", "item": {"kind": "mail", "subject": "Minutes", "body": "the minutes"}},
      {"name": "Untitled", "flags": 2, "item": {"kind": "appointment", "body": "changed"}},
      {"name": "Untitled", "hidden": true, "item": {"kind": "appointment", "body": "cancelled"}},
      {"name": "logo.png", "hidden": true, "text": "a picture"}]},
    {"kind": "appointment", "subject": "Once", "start": "2024-06-05T08:00:00Z", "end": "2024-06-05T09:00:00Z",
     "attachments": [{"name": "Flagged", "flags": 2, "hidden": true,
                      "item": {"kind": "mail", "subject": "Kept", "body": "kept"}}]}]}]})json";

class AttachedItems : public ::testing::Test {
protected:
    AttachedItems() : session(mapi::pff::PffMapi(dir.path() / "no profile").CreateSession())
    {
        session->Logon();
        pstgen::WritePst(pstgen::ParseMailboxJson(kAttachedItems, "."), dir.path() / "attached.pst");
        store = session->GetStores().AddPSTStore((dir.path() / "attached.pst").string());
    }

    std::unique_ptr<mapi::Item> Item(const std::string& folder, long index)
    {
        return SubFolder(*store->TopFolder(), folder)->GetItems()->Item(index);
    }

    std::vector<std::string> FileNames(mapi::Attachments& attachments)
    {
        std::vector<std::string> names;
        for (long index = 1; index <= attachments.Count(); ++index)
            names.push_back(attachments.Item(index)->FileName());
        return names;
    }

    // The message file an item is saved as.
    std::string MessageFile(mapi::Item& item)
    {
        const auto path = dir.path() / "item.eml";
        mapi::pff::WriteMessageFile(dynamic_cast<mapi::pff::PffItem&>(item), "", path);
        return ReadMessage(path);
    }

    // A message file with "\n" line ends.
    static std::string ReadMessage(const std::filesystem::path& path)
    {
        auto text = ReadFile(path);
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        return text;
    }

    TimeZone utc{"UTC0"};
    TempDir dir;
    std::unique_ptr<mapi::Session> session;
    std::unique_ptr<mapi::Store> store;
};

std::string Base64(std::string_view bytes)
{
    gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string text(encoded);
    g_free(encoded);
    return text;
}

TEST_F(AttachedItems, AnAttachedMessageIsNamedAfterItsAttachment)
{
    auto attachments = Item("Inbox", 1)->GetAttachments();
    // The attachment's own name, made safe for a file; the inner subject only when the attachment
    // has no name; a name of our own when neither exists.
    EXPECT_EQ(FileNames(*attachments), (std::vector<std::string>{"Fwd mail.eml", "report.eml", "Only a subject.eml",
                                                                 "Attached message.eml", "a_b_c.eml"}));
}

TEST_F(AttachedItems, AnAttachedMessageIsSavedWhole)
{
    const auto path = dir.path() / "Fwd mail.eml";
    Item("Inbox", 1)->GetAttachments()->Item(1)->SaveAsFile(path);
    const auto text = ReadMessage(path);
    const auto end = text.find("\n\n");
    ASSERT_NE(end, std::string::npos) << text;
    const auto headers = "\n" + text.substr(0, end + 1);
    const auto body = text.substr(end + 2);

    for (const char* header : {"\nSubject: Inner\n", "\nFrom: Ann Archer <ann@example.com>\n",
                               "\nTo: Bob Baker <bob@example.com>\n", "\nCc: Cleo Cruz <cleo@example.com>\n",
                               "\nDate: Wed, 01 May 2024 10:30:00 +0000\n", "\nMessage-Id: <inner.1@example.com>\n"})
        EXPECT_NE(headers.find(header), std::string::npos) << header << " is missing from " << headers;
    EXPECT_NE(headers.find("multipart/mixed"), std::string::npos) << headers;
    EXPECT_NE(body.find("multipart/alternative"), std::string::npos) << body;
    EXPECT_NE(body.find("Inner text"), std::string::npos) << body;
    std::string lowerBody = body;
    std::transform(lowerBody.begin(), lowerBody.end(), lowerBody.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_NE(lowerBody.find("content-type: text/html; charset=utf-8"), std::string::npos) << body;
    EXPECT_NE(body.find("<p>Inner <b>rich</b> text</p>"), std::string::npos) << body;
    EXPECT_NE(body.find("filename=inner.txt"), std::string::npos) << body;
    EXPECT_NE(body.find(Base64("inside the inner message")), std::string::npos) << body;
    EXPECT_NE(body.find("message/rfc822"), std::string::npos) << body;
    EXPECT_NE(body.find("Subject: Deepest"), std::string::npos) << body;
    EXPECT_NE(body.find("Deepest text"), std::string::npos) << body;
}

TEST_F(AttachedItems, TheOccurrencesOfARecurringSeriesAreNotItsAttachments)
{
    auto series = Item("Calendar", 1);
    auto attachments = series->GetAttachments();
    // Files stay, hidden or not; so does an attached item not marked as an occurrence.
    EXPECT_EQ(FileNames(*attachments), (std::vector<std::string>{"agenda.txt", "Minutes.eml", "logo.png"}));
    const auto saved = dir.path() / "logo.png";
    attachments->Item(3)->SaveAsFile(saved);
    EXPECT_EQ(ReadFile(saved), "a picture");

    const auto message = MessageFile(*series);
    EXPECT_NE(message.find("the minutes"), std::string::npos) << message;
    for (const char* occurrence : {"moved", "changed", "cancelled"})
        EXPECT_EQ(message.find(occurrence), std::string::npos) << occurrence << " is in " << message;
}

TEST_F(AttachedItems, AnItemThatDoesNotRecurKeepsEveryAttachment)
{
    auto once = Item("Calendar", 2);
    EXPECT_EQ(FileNames(*once->GetAttachments()), std::vector<std::string>{"Flagged.eml"});
}

TEST_F(AttachedItems, AnAttachedSeriesLeavesOutItsOccurrencesToo)
{
    auto attachments = Item("Inbox", 2)->GetAttachments();
    ASSERT_EQ(attachments->Count(), 1);
    auto attachment = attachments->Item(1);
    auto* attached = dynamic_cast<mapi::pff::PffAttachment*>(attachment.get());
    ASSERT_NE(attached, nullptr);
    auto series = attached->EmbeddedItem();
    EXPECT_EQ(FileNames(*series->GetAttachments()), std::vector<std::string>{"agenda.txt"});
    const auto message = MessageFile(*Item("Inbox", 2));
    EXPECT_NE(message.find(Base64("the agenda")), std::string::npos) << message;
    EXPECT_EQ(message.find("moved"), std::string::npos) << message;
}

constexpr const char* kLinks = R"json({"folders": [{"name": "Inbox", "items": [
  {"kind": "mail", "subject": "Links", "attachments": [
    {"name": "Budget.xlsx", "link": "https://example.sharepoint.com/personal/ann/Documents/Budget.xlsx"},
    {"name": "plan.docx", "link": "\\\\server\\share\\plan.docx"},
    {"name": "notes.txt", "text": "kept bytes"},
    {"name": "Fwd", "item": {"kind": "mail", "subject": "Inner", "body": "inner", "attachments": [
      {"name": "Deck.pptx", "link": "https://example.com/Deck.pptx"},
      {"name": "old.doc", "link": "H:\\old.doc"}]}}]}]}]})json";

// The first message of the folder tree below folder, depth first.
mapi::pff::SourceRef FirstMessage(const mapi::pff::SourceRef& folder)
{
    if (folder->MessageCount("folder") > 0)
        return folder->Message(0, "folder");
    for (int at = 0; at < folder->SubFolderCount("folder"); ++at) {
        if (auto message = FirstMessage(folder->SubFolder(at, "folder")))
            return message;
    }
    return nullptr;
}

// The attachments of the data file's first message, as reader reads them.
mapi::pff::PffAttachments FirstMessageAttachments(const std::filesystem::path& pst, mapi::pff::FileReader reader)
{
    const auto file = mapi::pff::PffFile::Open(pst, reader);
    const auto message = FirstMessage(file->Node(mapi::pff::direct::layout::kRootFolderNodeId));
    if (!message)
        throw std::runtime_error("the file holds no message");
    return mapi::pff::PffAttachments({file, message}, "the message", false);
}

// What saving attachment index gives: the reason it fails (and no file), or the bytes saved.
std::string SaveOrWhyNot(const mapi::pff::PffAttachments& attachments, long index, const std::filesystem::path& folder)
{
    const auto path = folder / fmt::format("saved-{}", index);
    try {
        attachments.Attachment(index)->SaveAsFile(path);
    } catch (const ComponentError& error) {
        EXPECT_FALSE(std::filesystem::exists(path));
        return error.what();
    }
    return "saved: \"" + ReadFile(path) + "\"";
}

// Cloud attachments (by web reference) and links to a path (by reference) keep no bytes in the
// data file; libpff does not even tell the kind of the first.
TEST(AttachmentsWithoutBytes, ALinkIsLeftOutSayingWhereItPointsWhicheverReaderReadsIt)
{
    TempDir dir;
    const auto pst = dir.path() / "links.pst";
    pstgen::WritePst(pstgen::ParseMailboxJson(kLinks, "."), pst);
    for (const auto reader : {mapi::pff::FileReader::Direct, mapi::pff::FileReader::Libpff}) {
        SCOPED_TRACE(reader == mapi::pff::FileReader::Direct ? "direct" : "libpff");
        auto attachments = FirstMessageAttachments(pst, reader);
        ASSERT_EQ(attachments.Count(), 4);
        EXPECT_EQ(attachments.Attachment(1)->FileName(), "Budget.xlsx");
        EXPECT_EQ(SaveOrWhyNot(attachments, 1, dir.path()),
                  "it is a link to https://example.sharepoint.com/personal/ann/Documents/Budget.xlsx, "
                  "and the data file holds no copy of the file");
        EXPECT_EQ(SaveOrWhyNot(attachments, 2, dir.path()),
                  "it is a link to \\\\server\\share\\plan.docx, and the data file holds no copy of the file");
        EXPECT_EQ(SaveOrWhyNot(attachments, 3, dir.path()), "saved: \"kept bytes\"");
        // Inside an attached message, a link stays a link: a part that names where its file is.
        auto forwarded = SaveOrWhyNot(attachments, 4, dir.path());
        forwarded.erase(std::remove(forwarded.begin(), forwarded.end(), '\r'), forwarded.end());
        for (auto fold = forwarded.find("\n\t"); fold != std::string::npos; fold = forwarded.find("\n\t"))
            forwarded.replace(fold, 2, " ");
        EXPECT_NE(forwarded.find("Content-Type: message/external-body; name=Deck.pptx; access-type=URL; "
                                 "URL=\"https://example.com/Deck.pptx\"\n"),
                  std::string::npos)
            << forwarded;
        EXPECT_NE(forwarded.find(
                      "Content-Type: message/external-body; name=\"H:\\\\old.doc\"; access-type=local-file\n"),
                  std::string::npos)
            << forwarded;
    }
}

// Damage that takes an attached message's value away and leaves the attachment saying it holds
// one: the message is missing, whichever reader reads it, and no empty file stands in for it.
TEST(AttachmentsWithoutBytes, AnAttachedMessageWhoseValueIsLostIsMissingNotEmpty)
{
    TempDir dir;
    const auto pst = dir.path() / "lost.pst";
    pstgen::WritePst(pstgen::ParseMailboxJson(R"json({"folders": [{"name": "Inbox", "items": [
        {"kind": "mail", "subject": "Outer", "attachments": [
          {"name": "Fwd", "item": {"kind": "mail", "subject": "Inner", "body": "inner"}}]}]}]})json",
                                              "."),
                     pst);
    // The attachment's record of its object value (0x3701, type 0x000D), renamed to 0x3702.
    auto bytes = ReadFile(pst);
    const std::string record("\x01\x37\x0D\x00", 4);
    const auto at = bytes.find(record);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(bytes.find(record, at + 1), std::string::npos);
    DamageKeepingChecksum(bytes, at, std::string_view("\x02\x37", 2));
    WriteFile(pst, bytes);

    for (const auto reader : {mapi::pff::FileReader::Direct, mapi::pff::FileReader::Libpff}) {
        SCOPED_TRACE(reader == mapi::pff::FileReader::Direct ? "direct" : "libpff");
        auto attachments = FirstMessageAttachments(pst, reader);
        ASSERT_EQ(attachments.Count(), 1);
        const auto outcome = SaveOrWhyNot(attachments, 1, dir.path());
        EXPECT_EQ(outcome.rfind("saved: ", 0), std::string::npos) << outcome;
        // libpff cannot tell the attachment's kind then; the own reader says what is missing.
        if (reader == mapi::pff::FileReader::Direct) {
            EXPECT_EQ(outcome, "cannot open the embedded item (attachment 1 of the message): it is missing");
        }
    }
}

}  // namespace
}  // namespace varnemo::testing
