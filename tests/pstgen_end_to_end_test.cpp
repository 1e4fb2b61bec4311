// Whole conversions of generated data files through varnemo-cli convert and show: nested
// folders with "#" and duplicate names, tasks, hostile attachment names, a folder of 40,000
// items and a 100 MB attachment. Every generated file also passes the independent readers.
#include "cli_process.h"
#include "notes/local/sqlite_connection.h"
#include "pstgen/byte_sources.h"
#include "pstgen/mailbox_json.h"
#include "pstgen/pst_writer.h"
#include "pstgen_mailboxes.h"
#include "pstgen_support.h"
#include "time_zone.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <set>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// The values of a shown document's items, as text where they are text.
std::multiset<std::string> TextValues(const json& document)
{
    std::multiset<std::string> values;
    for (const auto& item : document["items"])
        if (item["value"].is_string())
            values.insert(item["value"].get<std::string>());
    return values;
}

// The value of a document's text or date-time item; empty when it has none.
std::string TextOf(const json& document, const std::string& name)
{
    for (const auto& item : document["items"])
        if (item["name"] == name && item["value"].is_string())
            return item["value"];
    return {};
}

std::string FormOf(const json& document)
{
    return TextOf(document, "Form");
}

// The document whose items hold this text; fails the test when there is none.
const json& DocumentWith(const json& shown, const std::string& text)
{
    for (const auto& document : shown["documents"])
        if (TextValues(document).count(text))
            return document;
    ADD_FAILURE() << "no document holds \"" << text << "\"";
    static const json none = json::object({{"items", json::array()}, {"folders", json::array()},
                                           {"attachments", json::array()}});
    return none;
}

// The <document> element of a DXL export that holds this text; fails the test when there is none.
std::string DxlDocumentWith(const std::string& dxl, const std::string& text)
{
    for (auto start = dxl.find("<document>"); start != std::string::npos;) {
        const auto end = dxl.find("</document>", start);
        const std::string document = dxl.substr(start, end - start);
        if (document.find(text) != std::string::npos)
            return document;
        start = dxl.find("<document>", end);
    }
    ADD_FAILURE() << "no DXL document holds \"" << text << "\"";
    return {};
}

// What show --json and export-dxl make of a database.
struct Reading {
    json shown;
    std::string dxl;
};

class PstgenEndToEnd : public ::testing::Test {
protected:
    PstgenEndToEnd() { fs::create_directories(tmp); }

    // Writes the mailbox and checks that libpff's and libpst's tools read it as written.
    fs::path WriteAndProve(const pstgen::Mailbox& mailbox, bool exportEveryItem = true)
    {
        const auto pst = dir.path() / "mailbox.pst";
        pstgen::WritePst(mailbox, pst);
        ExpectIndependentReadersSee(pst, mailbox, dir.path(), exportEveryItem);
        return pst;
    }

    // Converts the whole file into a new database and returns the mail database's path.
    std::string Convert(const fs::path& pst, std::size_t expectedItems)
    {
        const auto result = Cli({"convert", pst.string(), "--new-db", (dir.path() / "out").string(), "--notes-data",
                                 (dir.path() / "notes-data").string()});
        EXPECT_EQ(result.status, 0) << result.err.substr(0, 2000);
        EXPECT_NE(result.out.find(std::to_string(expectedItems) + " item"), std::string::npos) << result.out;
        EXPECT_TRUE(fs::is_empty(tmp)) << "temporary files were left behind";
        return MailDatabase(result.out);
    }

    json Show(const std::string& database)
    {
        const auto result = Cli({"show", database, "--json"});
        EXPECT_EQ(result.status, 0) << result.err;
        return json::parse(result.out);
    }

    // The database read in a time zone (a TZ value).
    Reading ReadIn(const char* zone, const std::string& database)
    {
        TimeZone reading(zone);
        const auto exported = Cli({"export-dxl", database});
        EXPECT_EQ(exported.status, 0) << exported.err;
        return {Show(database), exported.out};
    }

    std::string AddressBookBeside(const std::string& database)
    {
        for (const auto& entry : fs::directory_iterator(fs::path(database).parent_path()))
            if (entry.path().filename().string().starts_with("names"))
                return entry.path().string();
        ADD_FAILURE() << "no address book beside " << database;
        return {};
    }

    CommandResult Cli(const std::vector<std::string>& arguments)
    {
        std::string command = "TMPDIR=" + Quote(tmp.string()) + " " + Quote(VARNEMO_CLI);
        for (const auto& argument : arguments)
            command += " " + Quote(argument);
        return RunCommand(command, dir.path());
    }

    TempDir dir;
    fs::path tmp = dir.path() / "tmp";
};

TEST_F(PstgenEndToEnd, NestedFoldersWithHashAndDuplicateNamesAndTasks)
{
    const auto database = Convert(WriteAndProve(EveryShapeMailbox()), 11);
    const auto shown = Show(database);
    // Mail, appointment and task documents land in the mail database; the contact and the
    // distribution list in the address book; notes and journal entries carry nothing.
    EXPECT_EQ(shown["documents"].size(), 9u);
    const std::pair<const char*, const char*> filed[] = {
        {"In a folder with a hash", "Outlook\\Inbox\\Projects #1"},
        {"Third level", "Outlook\\Inbox\\Projects #1\\Archive"},
        {"Same folder name, other place", "Outlook\\Archive"},
        {"Unicode folder", "Outlook\\Ωmega 日本"},
        {"Planning", "Outlook\\Calendar"},
        {"File the report", "Outlook\\Tasks"},
    };
    for (const auto& [subject, folder] : filed)
        EXPECT_EQ(DocumentWith(shown, subject)["folders"], json::array({folder})) << subject;
    EXPECT_EQ(FormOf(DocumentWith(shown, "File the report")), "Task");
    EXPECT_EQ(FormOf(DocumentWith(shown, "Planning")), "Appointment");

    const auto book = Show(AddressBookBeside(database));
    EXPECT_EQ(FormOf(DocumentWith(book, "Grace")), "Person");
    EXPECT_EQ(FormOf(DocumentWith(book, "Pioneers")), "Group");
}

// One contact whose days Outlook wrote as UTC midnight only, and one saved in Tokyo: its UTC
// instants fall on the day before, its local copies hold the days as entered.
constexpr const char* kContactDays = R"json({"folders": [{"name": "Contacts", "class": "IPF.Contact", "items": [
  {"kind": "contact", "subject": "UTC midnight", "contact": {"first_name": "Una"},
   "birthday": "1906-12-09", "anniversary": "1930-06-15"},
  {"kind": "contact", "subject": "Saved in Tokyo", "contact": {"first_name": "Toshi"},
   "birthday": "1906-12-08T15:00:00Z", "birthday_local": "1906-12-09",
   "anniversary": "1930-06-14T15:00:00Z", "anniversary_local": "1930-06-15"}]}]})json";

TEST_F(PstgenEndToEnd, BirthdaysAndAnniversariesKeepTheDayTheyWereSavedWith)
{
    const auto pst = dir.path() / "days.pst";
    pstgen::WritePst(pstgen::ParseMailboxJson(kContactDays, "."), pst);
    for (const char* zone : {"America/New_York", "Asia/Tokyo"}) {
        TimeZone converting(zone);
        fs::remove_all(dir.path() / "out");
        const auto book = Show(AddressBookBeside(Convert(pst, 2)));
        for (const char* name : {"Una", "Toshi"}) {
            const auto& person = DocumentWith(book, name);
            EXPECT_EQ(TextOf(person, "Birthday"), "1906-12-09") << zone << ", " << name;
            EXPECT_EQ(TextOf(person, "Anniversary"), "1930-06-15") << zone << ", " << name;
        }
    }
}

// Converted where the clocks went back, the two items keep their instants wherever and whenever
// the database is read.
TEST_F(PstgenEndToEnd, DeliveryTimesStayTheInstantsTheyWere)
{
    const auto pst = WriteAndProve(EndOfSummerTimeMailbox());
    TimeZone converting(Berlin);
    const auto database = Convert(pst, 2);

    const auto inUtc = ReadIn("UTC0", database), inNewYork = ReadIn(NewYork, database);
    EXPECT_EQ(inNewYork.shown, inUtc.shown);
    EXPECT_EQ(inNewYork.dxl, inUtc.dxl);
    struct Delivered {
        const char* subject;
        const char* shown;
        const char* dxl;
    };
    for (const auto& [subject, shownTime, dxlTime] :
         {Delivered{"Before the clocks go back", "2024-10-27T02:30:00+02:00", "20241027T023000,00+02"},
          Delivered{"After the clocks go back", "2024-10-27T02:30:00+01:00", "20241027T023000,00+01"}}) {
        EXPECT_EQ(TextOf(DocumentWith(inUtc.shown, subject), "PostedDate"), shownTime) << subject;
        EXPECT_EQ(TextOf(DocumentWith(inUtc.shown, subject), "DeliveredDate"), shownTime) << subject;
        const std::string element = std::string("<item name=\"DeliveredDate\"><datetime>") + dxlTime + "</datetime>";
        EXPECT_NE(DxlDocumentWith(inUtc.dxl, subject).find(element), std::string::npos) << subject;
    }
}

// Earlier versions stored wall clocks without an offset; such a database reads as it did then,
// in the zone of the machine that reads it.
TEST_F(PstgenEndToEnd, TimesStoredWithoutAnOffsetReadInTheLocalZone)
{
    const auto pst = WriteAndProve(EndOfSummerTimeMailbox());
    const auto database = [&] {
        TimeZone converting(Berlin);
        return Convert(pst, 2);
    }();
    {
        notes::local::SqliteConnection store(database, notes::local::SqliteConnection::Mode::ReadWrite);
        store.Execute("UPDATE items SET value = substr(value, 1, 19) WHERE type = 'datetime'");
        store.Execute("UPDATE documents SET created = substr(created, 1, 19), modified = substr(modified, 1, 19)");
    }
    struct Expected {
        const char* zone;
        const char* shown;
        const char* dxl;
    };
    for (const auto& [zone, shownTime, dxlTime] :
         {Expected{"UTC0", "2024-10-27T02:30:00+00:00", "<datetime>20241027T023000,00+00</datetime>"},
          Expected{NewYork, "2024-10-27T02:30:00-04:00", "<datetime dst=\"true\">20241027T023000,00-04</datetime>"}}) {
        const auto reading = ReadIn(zone, database);
        for (const char* subject : {"Before the clocks go back", "After the clocks go back"}) {
            EXPECT_EQ(TextOf(DocumentWith(reading.shown, subject), "DeliveredDate"), shownTime) << zone;
            const std::string element = std::string("<item name=\"DeliveredDate\">") + dxlTime;
            EXPECT_NE(DxlDocumentWith(reading.dxl, subject).find(element), std::string::npos) << zone;
        }
    }
}

TEST_F(PstgenEndToEnd, AttachmentsWithHostileNamesArriveWhole)
{
    const auto mailbox = EveryShapeMailbox();
    const auto database = Convert(WriteAndProve(mailbox), 11);
    const auto shown = Show(database);
    const auto& memo = DocumentWith(shown, "Quarterly numbers ✓");
    std::multiset<std::string> expected, arrived;
    for (const auto& attachment : mailbox.folders[0].items[0].attachments)
        if (attachment.content)
            expected.insert(Sha256(*attachment.content));
    for (const auto& attachment : memo["attachments"]) {
        const auto name = attachment["name"].get<std::string>();
        EXPECT_EQ(name.find('/'), std::string::npos) << name;
        EXPECT_FALSE(name.empty());
        if (!name.ends_with(".eml"))
            arrived.insert(attachment["sha256"].get<std::string>());
    }
    EXPECT_EQ(memo["attachments"].size(), 7u);
    EXPECT_EQ(arrived, expected);
    EXPECT_FALSE(fs::exists(dir.path() / "x")) << "an attachment escaped its folder";
}

TEST_F(PstgenEndToEnd, FolderOfFortyThousandItems)
{
    constexpr std::size_t kCount = 40000;
    const auto mailbox = BulkMailbox(kCount);
    // pffexport would write 40,000 folders; pffinfo and readpst read every item all the same.
    const auto database = Convert(WriteAndProve(mailbox, false), kCount);
    const auto shown = Show(database);
    ASSERT_EQ(shown["documents"].size(), kCount);
    std::set<std::string> subjects;
    for (const auto& document : shown["documents"]) {
        EXPECT_EQ(document["folders"], json::array({"Outlook\\Bulk"}));
        for (const auto& value : TextValues(document))
            if (value.starts_with("Bulk "))
                subjects.insert(value);
    }
    EXPECT_EQ(subjects.size(), kCount);
    EXPECT_EQ(subjects.count("Bulk 39999"), 1u);
}

TEST_F(PstgenEndToEnd, HundredMegabyteAttachment)
{
    constexpr std::uint64_t kSize = 100ull << 20;
    const auto database = Convert(WriteAndProve(LargeAttachmentMailbox(kSize)), 1);
    const auto shown = Show(database);
    const auto& memo = DocumentWith(shown, "Large attachment");
    ASSERT_EQ(memo["attachments"].size(), 1u);
    EXPECT_EQ(memo["attachments"][0]["name"], "large.bin");
    EXPECT_EQ(memo["attachments"][0]["size"], kSize);
    EXPECT_EQ(memo["attachments"][0]["sha256"], Sha256(pstgen::PatternBytes(kSize, 42)));
}

}  // namespace
}  // namespace varnemo::testing
