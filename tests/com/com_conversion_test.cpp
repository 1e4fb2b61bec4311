// A whole varnemo-cli conversion through both COM backends, served by the fake server DLL:
// the Notes calls that arrive, in order and with their argument types, and what the user is
// told when a component is missing.
#include "class_registration.h"
#include "fake_classes.h"
#include "run_program.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <algorithm>
#include <regex>
#include <sstream>
#include <windows.h>

namespace varnemo::testing {
namespace {

using nlohmann::json;

json Mail()
{
    return {{"class", "IPM.Note"},
            {"texts", {{"Subject", "Quarterly report"}, {"To", "Ann Lee"}, {"CC", "Bob Stone"}, {"BCC", ""},
                       {"SenderName", "Carl Diaz"}, {"Body", "Numbers attached."}}},
            {"dates", {{"ReceivedTime", "2026-03-07T14:05:09"}}},
            {"attachments", {{{"fileName", "report.txt"}, {"content", "1,2,3"}}}}};
}

json Appointment()
{
    return {{"class", "IPM.Appointment"},
            {"texts", {{"Subject", "Design review"}, {"SenderName", "Carl Diaz"}, {"Body", "Room 4"},
                       {"Location", "Room 4"}, {"Categories", "Work"}}},
            {"dates", {{"Start", "2026-03-09T10:00:00"}, {"End", "2026-03-09T11:30:00"},
                       {"CreationTime", "2026-03-01T08:00:00"}}}};
}

json Task()
{
    return {{"class", "IPM.Task"},
            {"texts", {{"Subject", "File taxes"}, {"Body", "Before April"}}},
            {"dates", {{"StartDate", "2026-03-10T00:00:00"}, {"DueDate", "2026-04-15T00:00:00"},
                       {"CreationTime", "2026-03-02T09:00:00"}}},
            {"importance", 2}};
}

json Contact()
{
    return {{"class", "IPM.Contact"},
            {"texts", {{"FirstName", "Ann"}, {"LastName", "Lee"}, {"Email1Address", "ann@example.com"},
                       {"CompanyName", "Kestrova"}}},
            {"dates", {{"Birthday", "1990-05-17T00:00:00"}}}};
}

json Group()
{
    return {{"class", "IPM.DistList"},
            {"texts", {{"DLName", "Team"}, {"Body", "Everyone"}}},
            {"members", {{{"name", "Ann Lee"}, {"address", "ann@example.com"}},
                         {{"name", ""}, {"address", "bob@example.com"}}}}};
}

json Folder(const std::string& name, const std::string& messageClass, json items)
{
    return {{"name", name}, {"entryId", "ID-" + name}, {"class", messageClass}, {"items", std::move(items)}};
}

class ComConversionTest : public ::testing::Test {
protected:
    ComConversionTest() : registration(ProgramFolder() / "fake_com_server.dll")
    {
        pstPath = (dir.path() / "archive.pst").string();
        json mailbox = {
            {"notes", {{"DefaultMailTemplate", " mail.ntf "}, {"NAMES", "names.nsf,other.nsf"}}},
            {"stores", {{{"name", "Personal Folders"}, {"entryId", "STORE-1"}, {"pstPath", pstPath},
                         {"top", {{"name", "Top of Personal Folders"}, {"entryId", "TOP"},
                                  {"folders", {Folder("Inbox", "IPM.Note", {Mail()}),
                                               Folder("Calendar", "IPM.Appointment", {Appointment()}),
                                               Folder("Tasks", "IPM.Task", {Task()}),
                                               Folder("Contacts", "IPM.Contact", {Contact(), Group()}),
                                               Folder("Notes", "IPM.StickyNote", {Mail()})}}}}}}}};
        WriteFile(dir.path() / "mailbox.json", mailbox.dump());
        SetEnvironmentVariableA(kMailboxVariable, (dir.path() / "mailbox.json").string().c_str());
        SetEnvironmentVariableA(kCallLogVariable, (dir.path() / "calls.log").string().c_str());
    }
    ~ComConversionTest() override
    {
        SetEnvironmentVariableA(kMailboxVariable, nullptr);
        SetEnvironmentVariableA(kCallLogVariable, nullptr);
    }

    ProgramResult Cli(const std::wstring& arguments)
    {
        return RunProgram(L"\"" + (ProgramFolder() / "varnemo-cli.exe").wstring() + L"\" " + arguments, dir.path());
    }

    static std::wstring Quoted(const std::filesystem::path& path) { return L"\"" + path.wstring() + L"\""; }

    // The logged calls of one component, with the folders of this test and of the temporary
    // attachments given fixed names.
    std::vector<std::string> Calls(const std::string& component)
    {
        std::string log = ReadFile(dir.path() / "calls.log");
        log = std::regex_replace(log, std::regex("varnemo-attachment-[a-z0-9]+"), "varnemo-attachment-*");
        std::vector<std::string> lines;
        std::istringstream stream(log);
        const std::string here = dir.path().string();
        for (std::string line; std::getline(stream, line);) {
            for (auto at = line.find(here); at != std::string::npos; at = line.find(here))
                line.replace(at, here.size(), "<test>");
            if (line.rfind(component, 0) == 0)
                lines.push_back(line);
        }
        return lines;
    }

    std::string temp = TempFolderName();
    TempDir dir;
    ClassRegistration registration;
    std::string pstPath;

private:
    static std::string TempFolderName()
    {
        char buffer[MAX_PATH];
        return std::string(buffer, GetTempPathA(MAX_PATH, buffer));
    }
};

// The calls of one document, after the writer's GetDatabase.
std::vector<std::string> Slice(const std::vector<std::string>& calls, const std::string& first, size_t count)
{
    const auto start = std::find(calls.begin(), calls.end(), first);
    if (start == calls.end() || calls.end() - start < static_cast<long>(count))
        return {"no call " + first};
    return {start, start + static_cast<long>(count)};
}

TEST_F(ComConversionTest, EveryKindArrivesWithTheArgumentTypesOfTheWriters)
{
    const auto database = dir.path() / "mail.nsf";
    WriteFile(database, "existing");
    const auto result = Cli(L"convert " + Quoted(pstPath) + L" --into " + Quoted(database));
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_NE(result.out.find("Outlook Mailbox Exported Successfully to Lotus Notes Mailbox."), std::string::npos);

    const auto calls = Calls("Notes");
    const std::string db = "VT_BSTR \"<test>\\mail.nsf\"";
    const std::string attachment = "VT_BSTR \"" + temp + "varnemo-attachment-*\\report.txt\"";
    // The run opens the target once before the first item, asking which items it holds already,
    // then the memo writer does.
    const std::vector<std::string> memo = {
        "NotesSession.GetDatabase(VT_BSTR \"\", " + db + ")",
        "NotesDatabase.AllDocuments()",
        "NotesSession released; Notes objects left: 0",
        "NotesSession.GetDatabase(VT_BSTR \"\", " + db + ")",
        "NotesDatabase.EnableFolder(VT_BSTR \"Outlook\\Inbox\")",
        "NotesDatabase.CreateDocument()",
        "NotesDocument.Form = VT_BSTR \"Memo\"",
        "NotesDocument.From = VT_BSTR \"Carl Diaz\"",
        "NotesDocument.CopyTo = VT_BSTR \"Bob Stone\"",
        "NotesDocument.BlindCopyTo = VT_BSTR \"\"",
        "NotesDocument.Subject = VT_BSTR \"Quarterly report\"",
        "NotesDocument.Body = VT_BSTR \"Numbers attached.\"",
        "NotesDocument.PostedDate = VT_DATE 2026-03-07 14:05:09",
        "NotesDocument.Type = VT_BSTR \"Memo\"",
        "NotesDocument.excludeFromView = VT_ARRAY|VT_BSTR [\"D\", \"S\"]",
        "NotesDocument.SendTo = VT_BSTR \"Ann Lee\"",
        "NotesDocument.Principal = VT_BSTR \"Carl Diaz\"",
        "NotesDocument.DeliveredDate = VT_DATE 2026-03-07 14:05:09",
        "NotesDocument.CreateRichTextItem(VT_BSTR \"Attachment\")",
        "NotesRichTextItem.EmbedObject(VT_I2 1454, VT_BSTR \"\", " + attachment + ", VT_BSTR \"Attachment\")  # 5 bytes",
        "NotesDocument.Save(VT_I2 0, VT_I2 0)",
        "NotesDocument.PutInFolder(VT_BSTR \"Outlook\\Inbox\")",
        "NotesSession released; Notes objects left: 0",
    };
    EXPECT_EQ(Slice(calls, memo[0], memo.size()), memo);

    const std::vector<std::string> appointment = {
        "NotesDatabase.EnableFolder(VT_BSTR \"Outlook\\Calendar\")",
        "NotesDatabase.CreateDocument()",
        "NotesDocument.Form = VT_BSTR \"Appointment\"",
        "NotesDocument.AltChair = VT_BSTR \"\"",
        "NotesDocument.Chair = VT_BSTR \"\"",
        "NotesDocument.AppointmentType = VT_BSTR \"0\"",
        "NotesDocument.STARTDATETIME = VT_DATE 2026-03-09 10:00:00",
        "NotesDocument.EndDateTime = VT_DATE 2026-03-09 11:30:00",
        "NotesDocument.StartDate = VT_DATE 2026-03-09 00:00:00",
        "NotesDocument.StartTime = VT_DATE 1899-12-30 10:00:00",
        "NotesDocument.EndDate = VT_DATE 2026-03-09 00:00:00",
        "NotesDocument.EndTime = VT_DATE 1899-12-30 11:30:00",
        "NotesDocument.From = VT_BSTR \"Carl Diaz\"",
        "NotesDocument.Location = VT_BSTR \"Room 4\"",
        "NotesDocument.Subject = VT_BSTR \"Design review\"",
        "NotesDocument.Body = VT_BSTR \"Room 4\"",
        "NotesDocument.CalendarDateTime = VT_DATE 2026-03-09 10:00:00",
        "NotesDocument.Categories = VT_BSTR \"Work\"",
        "NotesDocument.excludeFromView = VT_ARRAY|VT_BSTR [\"D\", \"S\"]",
        "NotesDocument.Save(VT_I2 0, VT_I2 0)",
        "NotesDocument.PutInFolder(VT_BSTR \"Outlook\\Calendar\")",
        "NotesSession released; Notes objects left: 0",
    };
    EXPECT_EQ(Slice(calls, appointment[0], appointment.size()), appointment);

    const std::vector<std::string> task = {
        "NotesDatabase.EnableFolder(VT_BSTR \"Outlook\\Tasks\")",
        "NotesDatabase.CreateDocument()",
        "NotesDocument.Form = VT_BSTR \"Task\"",
        "NotesDocument.TaskType = VT_BSTR \"1\"",
        "NotesDocument.Chair = VT_BSTR \"\"",
        "NotesDocument.Repeats = VT_BSTR \"\"",
        "NotesDocument.From = VT_BSTR \"\"",
        "NotesDocument.DueDate = VT_DATE 2026-04-15 00:00:00",
        "NotesDocument.DueDateTime = VT_DATE 2026-04-15 00:00:00",
        "NotesDocument.StartDate = VT_DATE 2026-03-10 00:00:00",
        "NotesDocument.STARTDATETIME = VT_DATE 2026-03-10 00:00:00",
        "NotesDocument.Subject = VT_BSTR \"File taxes\"",
        "NotesDocument.Body = VT_BSTR \"Before April\"",
        "NotesDocument.CalendarDateTime = VT_DATE 2026-03-02 09:00:00",
        "NotesDocument.Importance = VT_BSTR \"2\"",
        "NotesDocument.excludeFromView = VT_ARRAY|VT_BSTR [\"D\", \"S\"]",
        "NotesDocument.Save(VT_I2 0, VT_I2 0)",
        "NotesDocument.PutInFolder(VT_BSTR \"Outlook\\Tasks\")",
        "NotesSession released; Notes objects left: 0",
    };
    EXPECT_EQ(Slice(calls, task[0], task.size()), task);

    // A Person document: 38 texts (the birthday as text too), then Type; no folder is enabled.
    const auto person = Slice(calls, "NotesDocument.Form = VT_BSTR \"Person\"", 43);
    ASSERT_EQ(person.size(), 43u);
    EXPECT_EQ(person[1], "NotesDocument.FirstName = VT_BSTR \"Ann\"");
    EXPECT_EQ(person[6], "NotesDocument.MailAddress = VT_BSTR \"ann@example.com\"");
    EXPECT_EQ(person[35], "NotesDocument.Birthday = VT_BSTR \"1990-05-17\"");
    for (size_t index = 1; index <= 39; ++index)
        EXPECT_NE(person[index].find(" = VT_BSTR \""), std::string::npos) << person[index];
    EXPECT_EQ(person[39], "NotesDocument.Type = VT_BSTR \"Person\"");
    EXPECT_EQ(person[41], "NotesDocument.PutInFolder(VT_BSTR \"Outlook Contacts\")");

    const std::vector<std::string> group = {
        "NotesSession.GetDatabase(VT_BSTR \"\", " + db + ")",
        "NotesDatabase.CreateDocument()",
        "NotesDocument.Form = VT_BSTR \"Group\"",
        "NotesDocument.ListName = VT_BSTR \"Team\"",
        "NotesDocument.ListDescription = VT_BSTR \"Everyone\"",
        "NotesDocument.Members = VT_BSTR \"'Ann Lee' 'bob@example.com' \"",
        "NotesDocument.Type = VT_BSTR \"Group\"",
        "NotesDocument.Save(VT_I2 0, VT_I2 0)",
        "NotesDocument.PutInFolder(VT_BSTR \"Outlook Groups\")",
        "NotesSession released; Notes objects left: 0",
    };
    EXPECT_EQ(std::vector<std::string>(calls.end() - static_cast<long>(group.size()), calls.end()), group);

    // The sticky note converts into nothing: five documents in all.
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "NotesDatabase.CreateDocument()"), 5);
}

// Each document records the item it came from; converting into the same database again finds
// them through Notes and adds nothing twice.
TEST_F(ComConversionTest, ConvertingAgainAddsOnlyWhatIsMissing)
{
    json mailbox = json::parse(ReadFile(dir.path() / "mailbox.json"));
    auto& inbox = mailbox["stores"][0]["top"]["folders"][0]["items"];
    inbox[0]["texts"]["EntryID"] = "MAIL-1";
    inbox.push_back(Mail());
    inbox[1]["texts"]["EntryID"] = "MAIL-2";
    WriteFile(dir.path() / "mailbox.json", mailbox.dump());
    const auto database = dir.path() / "mail.nsf";
    WriteFile(database, "existing");

    const auto first = Cli(L"convert " + Quoted(pstPath) + L" --into " + Quoted(database) + L" --folder Inbox");
    ASSERT_EQ(first.exitCode, 0u) << first.err;
    EXPECT_NE(first.out.find("2 items converted."), std::string::npos) << first.out;
    const auto calls = Calls("Notes");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "NotesDocument.VarnemoOrigin = VT_BSTR \"MAIL-2\""), 1);

    const auto again = Cli(L"convert " + Quoted(pstPath) + L" --into " + Quoted(database) + L" --folder Inbox");
    ASSERT_EQ(again.exitCode, 0u) << again.err;
    EXPECT_NE(again.out.find("0 items converted. 2 items already in the database"), std::string::npos) << again.out;
}

// A series read through Redemption's Fields: three daily occurrences at 10:00 from 2026-03-09,
// as Outlook stores them (MS-OXOCAL's recurrence BLOB, without a time zone, so that the wall
// clock goes as it is).
TEST_F(ComConversionTest, ARecurringAppointmentArrivesWithEveryOccurrence)
{
    json mailbox = json::parse(ReadFile(dir.path() / "mailbox.json"));
    auto& appointment = mailbox["stores"][0]["top"]["folders"][1]["items"][0];
    appointment["fields"]["http://schemas.microsoft.com/mapi/id/{00062002-0000-0000-C000-000000000046}/82160102"] =
        "043004300A200000000000000000A0050000000000002220000003000000000000000000000000000000603E540DDF80E95A"
        "063000000830000058020000B202000000000000000000000000";
    WriteFile(dir.path() / "mailbox.json", mailbox.dump());
    const auto database = dir.path() / "mail.nsf";
    WriteFile(database, "existing");

    const auto result = Cli(L"convert " + Quoted(pstPath) + L" --into " + Quoted(database) + L" --folder Calendar");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    const auto calls = Calls("Notes");
    const std::string starts = "VT_ARRAY|VT_DATE [2026-03-09 10:00:00, 2026-03-10 10:00:00, 2026-03-11 10:00:00]";
    for (const std::string& expected : std::vector<std::string>{
             "NotesDocument.STARTDATETIME = " + starts,
             "NotesDocument.EndDateTime = VT_ARRAY|VT_DATE [2026-03-09 11:30:00, 2026-03-10 11:30:00, 2026-03-11 11:30:00]",
             "NotesDocument.CalendarDateTime = " + starts, "NotesDocument.RepeatInstanceDates = " + starts,
             "NotesDocument.RepeatUnit = VT_BSTR \"D\"", "NotesDocument.RepeatFor = VT_BSTR \"3\""})
        EXPECT_EQ(std::count(calls.begin(), calls.end(), expected), 1) << expected;
}

TEST_F(ComConversionTest, OutlookIsLoggedOnWithoutArgumentsAndEveryObjectIsReleased)
{
    const auto database = dir.path() / "mail.nsf";
    WriteFile(database, "existing");
    ASSERT_EQ(Cli(L"convert " + Quoted(pstPath) + L" --into " + Quoted(database)).exitCode, 0u);
    const auto calls = Calls("RDO");
    // One session opens the file, one converts it.
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "RDOSession.Logon()"), 2);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "RDOSession.Logoff()"), 2);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "RDOSession released; RDO objects left: 0"), 2);
    EXPECT_NE(std::find(calls.begin(), calls.end(), "RDOStores.AddPSTStore(VT_BSTR \"<test>\\archive.pst\")"),
              calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "RDOSession.GetStoreFromID(VT_BSTR \"STORE-1\")"), calls.end());
}

TEST_F(ComConversionTest, ANewDatabaseIsCopiedFromTheTemplatesThatNotesNames)
{
    const auto result = Cli(L"convert " + Quoted(pstPath) + L" --new-db " + Quoted(dir.path()));
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    const auto calls = Calls("Notes");
    ASSERT_GE(calls.size(), 7u);
    const std::string folder = "<test>\\Converted Outlook PST\\";
    EXPECT_EQ(calls[0], "NotesSession.GetEnvironmentString(VT_BSTR \"DefaultMailTemplate\", VT_BOOL True)");
    EXPECT_EQ(calls[1], "NotesSession.GetDatabase(VT_BSTR \"\", VT_BSTR \"mail.ntf\")");
    EXPECT_EQ(calls[2].rfind("NotesDatabase.CreateCopy(VT_BSTR \"\", VT_BSTR \"" + folder + "archive", 0), 0u) << calls[2];
    EXPECT_EQ(calls[3], "NotesSession.GetEnvironmentString(VT_BSTR \"NAMES\", VT_BOOL True)");
    EXPECT_EQ(calls[4], "NotesSession.GetDatabase(VT_BSTR \"\", VT_BSTR \"names.nsf\")");
    EXPECT_EQ(calls[5].rfind("NotesDatabase.CreateCopy(VT_BSTR \"\", VT_BSTR \"" + folder + "names", 0), 0u) << calls[5];
    EXPECT_EQ(calls[6], "NotesSession released; Notes objects left: 0");
    // Contacts and groups go into the new address book.
    const std::string book = calls[5].substr(calls[5].find(", ") + 2);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "NotesSession.GetDatabase(VT_BSTR \"\", " + book), 2);
}

// Jürgen's own folders: the target folder on the command line and the temporary folder of the
// attachments have names beyond ASCII, which reach the components unchanged.
TEST_F(ComConversionTest, FoldersNamedBeyondAsciiReachTheComponentsWhole)
{
    const auto userFolder = dir.path() / L"J\u00fcrgen-\u00fc";
    std::filesystem::create_directories(userFolder / L"Temp");
    TemporaryFolderOverride useTemp(userFolder / L"Temp");
    const auto result = Cli(L"convert " + Quoted(pstPath) + L" --new-db " + Quoted(userFolder));
    ASSERT_EQ(result.exitCode, 0u) << result.err;

    const std::string user = "<test>\\J\u00fcrgen-\u00fc\\";
    const auto calls = Calls("Notes");
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[2].rfind("NotesDatabase.CreateCopy(VT_BSTR \"\", VT_BSTR \"" + user + "Converted Outlook PST\\archive", 0),
              0u)
        << calls[2];
    EXPECT_TRUE(std::filesystem::is_directory(userFolder / L"Converted Outlook PST"));
    // The fake Notes read the saved attachment back from that folder: all 5 bytes.
    const std::string embedded = "NotesRichTextItem.EmbedObject(VT_I2 1454, VT_BSTR \"\", VT_BSTR \"" + user +
                                 "Temp\\varnemo-attachment-*\\report.txt\", VT_BSTR \"Attachment\")  # 5 bytes";
    EXPECT_NE(std::find(calls.begin(), calls.end(), embedded), calls.end()) << embedded;
}

TEST_F(ComConversionTest, TheComponentsOwnReportReachesTheUser)
{
    const auto missing = dir.path() / "missing.nsf";
    const auto result = Cli(L"convert " + Quoted(pstPath) + L" --into " + Quoted(missing));
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("NotesSession.GetDatabase failed: Notes: File does not exist: " + missing.string() +
                              " (0x80040FA3)"),
              std::string::npos)
        << result.err;
}

TEST_F(ComConversionTest, MissingOutlookComponentIsReportedAsOutlookNotInstalled)
{
    ClassRegistration::Unregister(kFakeRdoSessionProgId);
    const auto result = Cli(L"convert " + Quoted(pstPath) + L" --into " + Quoted(dir.path() / "mail.nsf"));
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("Outlook NOT installed or configured properly."), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Redemption.RDOSession"), std::string::npos) << result.err;
    EXPECT_TRUE(Calls("Notes").empty());
}

TEST_F(ComConversionTest, MissingNotesComponentEndsANewDatabaseConversionWithTheNotesMessage)
{
    ClassRegistration::Unregister(kFakeNotesSessionProgId);
    const auto result = Cli(L"convert " + Quoted(pstPath) + L" --new-db " + Quoted(dir.path()));
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("Notes Not Installed/Configured: Lotus Notes NOT INSTALLED or CONFIGURED Properly."),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("Notes.NotesSession"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace varnemo::testing
