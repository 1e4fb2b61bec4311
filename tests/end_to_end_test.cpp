// Whole conversions of the sample Outlook files into the local Notes store, the way the
// program runs them: the libpff reader, the folder tree, the run and the writers together.
#include "fakes/fake_target_view.h"
#include "local_notes_test_support.h"
#include "conversion/conversion_run.h"
#include "source/folder_tree.h"
#include "source/pff/pff_mapi.h"

#include <chrono>
#include <cstdlib>
#include <fmt/chrono.h>

namespace varnemo {
namespace {

using notes::local::StoredDocument;
using notes::local::testing::AttachmentBytes;
using notes::local::testing::ReadDocuments;

std::string Text(const StoredDocument& document, const std::string& name)
{
    for (const auto& item : document.items)
        if (item.name == name)
            return std::get<std::string>(item.value);
    return "<missing " + name + ">";
}

notes::ItemValue Value(const StoredDocument& document, const std::string& name)
{
    for (const auto& item : document.items)
        if (item.name == name)
            return item.value;
    return "<missing " + name + ">";
}

std::vector<DateTime> DateTimes(const StoredDocument& document, const std::string& name)
{
    const auto value = Value(document, name);
    const auto* list = std::get_if<std::vector<DateTime>>(&value);
    return list ? *list : std::vector<DateTime>{};
}

// A full value with its offset as the UTC instant, "2016-08-02T15:00:00Z".
std::string InUtc(const DateTime& value)
{
    using namespace std::chrono;
    const auto instant = sys_days{year{value.year()} / value.month() / value.day()} + hours{value.hour()} +
                         minutes{value.minute() - value.utcOffsetMinutes().value_or(0)} + seconds{value.second()};
    return fmt::format("{:%Y-%m-%dT%H:%M:%S}Z", instant);
}

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() : mapi(dir.path() / "profile"), notes(dir.path() / "notes-data")
    {
        std::filesystem::create_directories(dir.path() / "tmp");
        setenv("TMPDIR", (dir.path() / "tmp").c_str(), 1);
        state.LoadExcludeFromViewValues();
    }
    ~EndToEnd() override { unsetenv("TMPDIR"); }

    // Opens the data file as the main window does and ticks every folder of its tree.
    void Open(const std::string& fixture)
    {
        const auto path = testing::CopyFixture(fixture, dir.path());
        auto session = mapi.CreateSession();
        session->Logon();
        auto store = session->GetStores().AddPSTStore(path.string());
        state.OutlookStoreID = store->EntryID();
        FolderTree tree;
        BuildFolderTree(*store, tree, [] {});
        tree.TickAll();
        state.SelectedFolders = tree.SelectedFolders();
    }

    void ConvertIntoNewDatabase()
    {
        view.newNsfSelected = true;
        state.TargetDatabasePath = (dir.path() / "out").string();
        Run();
    }

    void ConvertInto(const std::string& database)
    {
        view.newNsfSelected = false;
        view.existingNsfFileName = database;
        Run();
    }

    std::string ExistingDatabase()
    {
        const auto path = (dir.path() / "existing.nsf").string();
        notes.CreateSession()->GetDatabase("", "mail.ntf")->CreateCopy("", path);
        return path;
    }

    std::vector<std::string> Members(const std::string& database, const std::string& folder)
    {
        return notes::local::DatabaseReader(database).FolderMembers(folder);
    }

    testing::TempDir dir;
    mapi::pff::PffMapi mapi;
    notes::local::LocalNotes notes;
    ProgramState state;
    testing::FakeTargetView view;
    ConversionRun run{mapi, WriterContext{state, notes, view}};

private:
    void Run()
    {
        run.CmdConversion_Click();
        ASSERT_TRUE(view.closed) << (view.messages.empty() ? "" : view.messages.back().first);
        EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "tmp")) << "temporary files were left behind";
    }
};

TEST_F(EndToEnd, DistListIntoANewDatabaseAndItsAddressBook)
{
    Open("dist-list.pst");
    ConvertIntoNewDatabase();
    const auto mail = ReadDocuments(state.TargetDatabasePath);
    ASSERT_EQ(mail.size(), 1u);
    EXPECT_EQ(Text(mail[0], "Form"), "Appointment");
    EXPECT_EQ(Text(mail[0], "Subject"), "Test appointment");
    // The weekly series keeps its changed occurrences in attachments, which are not the user's.
    EXPECT_TRUE(mail[0].attachments.empty());
    EXPECT_EQ(Members(state.TargetDatabasePath, "Outlook\\Calendar"), std::vector<std::string>{mail[0].unid});

    const auto book = ReadDocuments(state.NamesDbPath);
    ASSERT_EQ(book.size(), 2u);
    // In the order of the contacts folder: the contact, then the list.
    const auto& person = book[0];
    const auto& group = book[1];
    EXPECT_EQ(Text(group, "Form"), "Group");
    EXPECT_EQ(Text(group, "ListName"), "test dist list");
    EXPECT_EQ(Text(group, "Members"), "'contact name 1' 'dist name 1' 'dist name 2' ");
    EXPECT_EQ(Text(person, "Form"), "Person");
    EXPECT_EQ(Text(person, "MailAddress"), "contact1@rjohnson.id.au");
    EXPECT_EQ(Members(state.NamesDbPath, "Outlook Groups"), std::vector<std::string>{group.unid});
    EXPECT_EQ(Members(state.NamesDbPath, "Outlook Contacts"), std::vector<std::string>{person.unid});

    // The weekly series has no end: it is laid out ten years ahead, and that is said.
    const auto& message = view.messages.back();
    EXPECT_EQ(message.second, "Export Complete");
    EXPECT_NE(message.first.find(state.TargetDatabasePath + "\r\n" + state.NamesDbPath +
                                 "\r\n2 items converted. 1 item converted in part."),
              std::string::npos)
        << message.first;
    EXPECT_EQ(std::filesystem::path(state.TargetDatabasePath).parent_path().filename(), "Converted Outlook PST");
}

// The sample's weekly series (Tuesdays 08:00 to 08:30 in Pacific time, from 2016-08-02, without
// end; the 9th of August deleted, the 23rd and the 30th moved to 09:00 and 10:00) comes with
// every occurrence up to ten years on, each at its instant on either side of the clock changes.
TEST_F(EndToEnd, TheSamplesWeeklySeriesKeepsEveryOccurrence)
{
    Open("dist-list.pst");
    ConvertIntoNewDatabase();
    const auto mail = ReadDocuments(state.TargetDatabasePath);
    ASSERT_EQ(mail.size(), 1u);
    const auto starts = DateTimes(mail[0], "STARTDATETIME"), ends = DateTimes(mail[0], "EndDateTime");
    // 2016-08-02 to 2026-07-28, the last Tuesday before 2026-08-02: 3647 days, 521 weeks, 522
    // Tuesdays, one of them deleted.
    ASSERT_EQ(starts.size(), 521u);
    ASSERT_EQ(ends.size(), 521u);
    struct Occurrence {
        std::size_t index;
        const char *start, *end;
    };
    for (const auto& [index, start, end] :
         {Occurrence{0, "2016-08-02T15:00:00Z", "2016-08-02T15:30:00Z"},
          Occurrence{1, "2016-08-16T15:00:00Z", "2016-08-16T15:30:00Z"},
          Occurrence{2, "2016-08-23T16:00:00Z", "2016-08-23T16:30:00Z"},
          Occurrence{3, "2016-08-30T17:00:00Z", "2016-08-30T17:30:00Z"},
          Occurrence{4, "2016-09-06T15:00:00Z", "2016-09-06T15:30:00Z"},
          Occurrence{12, "2016-11-01T15:00:00Z", "2016-11-01T15:30:00Z"},
          Occurrence{13, "2016-11-08T16:00:00Z", "2016-11-08T16:30:00Z"},
          Occurrence{31, "2017-03-14T15:00:00Z", "2017-03-14T15:30:00Z"},
          Occurrence{520, "2026-07-28T15:00:00Z", "2026-07-28T15:30:00Z"}}) {
        EXPECT_EQ(InUtc(starts[index]), start) << "occurrence " << index;
        EXPECT_EQ(InUtc(ends[index]), end) << "occurrence " << index;
    }
    EXPECT_TRUE(Value(mail[0], "RepeatUnit") == notes::ItemValue(std::string("W")));
    EXPECT_TRUE(Value(mail[0], "RepeatAdjust") == notes::ItemValue(std::vector<std::string>{"2"}));
    EXPECT_TRUE(Value(mail[0], "VarnemoRepeatCut") == notes::ItemValue(DateTime::DateOnly(2026, 8, 2)));
    // The first occurrence's own items are as for any entry.
    EXPECT_TRUE(Value(mail[0], "StartTime") == notes::ItemValue(starts[0].TimePart()));
}

TEST_F(EndToEnd, DistListIntoAnExistingDatabase)
{
    Open("dist-list.pst");
    const auto database = ExistingDatabase();
    ConvertInto(database);
    const auto documents = ReadDocuments(database);
    ASSERT_EQ(documents.size(), 3u);
    EXPECT_EQ(Members(database, "Outlook Contacts").size(), 1u);
    EXPECT_EQ(Members(database, "Outlook Groups").size(), 1u);
    EXPECT_EQ(Members(database, "Outlook\\Calendar").size(), 1u);
    EXPECT_EQ(run.Summary().notConverted(), 0);
}

TEST_F(EndToEnd, SampleMessageKeepsItsPictureByteForByte)
{
    Open("sample1.pst");
    ConvertIntoNewDatabase();
    const auto mail = ReadDocuments(state.TargetDatabasePath);
    ASSERT_EQ(mail.size(), 1u);
    EXPECT_EQ(Text(mail[0], "Form"), "Memo");
    EXPECT_EQ(Text(mail[0], "Subject"), "Here is a sample message");
    ASSERT_EQ(mail[0].attachments.size(), 1u);
    EXPECT_EQ(mail[0].attachments[0].fileName, "leah_thumper.jpg");
    const auto bytes = AttachmentBytes(state.TargetDatabasePath, mail[0].attachments[0]);
    EXPECT_EQ(bytes.size(), 93142u);
    EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(Members(state.TargetDatabasePath, "Outlook\\Sample1"), std::vector<std::string>{mail[0].unid});
    EXPECT_TRUE(ReadDocuments(state.NamesDbPath).empty());
}

TEST_F(EndToEnd, AnsiAndUnicodeFilesGiveTheSamePost)
{
    for (const std::string fixture : {"test_ansi.pst", "test_unicode.pst"}) {
        Open(fixture);
        const auto database = ExistingDatabase();
        ConvertInto(database);
        const auto documents = ReadDocuments(database);
        ASSERT_EQ(documents.size(), 1u) << fixture;
        EXPECT_EQ(Text(documents[0], "Subject"), "Post") << fixture;
        EXPECT_EQ(Members(database, "Outlook\\Folder").size(), 1u) << fixture;
        std::filesystem::remove(database);
        view.closed = false;
    }
}

// What a user who copies, mails or backs up a database named in the completion message gets: the
// file alone, without the write-ahead log beside it.
std::vector<StoredDocument> DocumentsOfACopyAlone(const std::string& database, const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    const auto copy = folder / std::filesystem::path(database).filename();
    std::filesystem::copy_file(database, copy, std::filesystem::copy_options::overwrite_existing);
    return ReadDocuments(copy);
}

TEST_F(EndToEnd, TheDatabasesNamedAtCompletionAreWholeInTheirFilesAlone)
{
    Open("dist-list.pst");
    ConvertIntoNewDatabase();
    const auto mail = state.TargetDatabasePath, book = state.NamesDbPath;
    EXPECT_EQ(DocumentsOfACopyAlone(mail, dir.path() / "copy").size(), 1u);
    EXPECT_EQ(DocumentsOfACopyAlone(book, dir.path() / "copy").size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(mail + "-wal"));
    EXPECT_FALSE(std::filesystem::exists(book + "-wal"));

    // A later run of the same program writes into the same database again.
    view.closed = false;
    Open("sample1.pst");
    ConvertInto(mail);
    EXPECT_EQ(DocumentsOfACopyAlone(mail, dir.path() / "copy").size(), 2u);
}

TEST_F(EndToEnd, RunsInTheSameSecondNeverShareADatabase)
{
    const DateTime sameSecond = DateTime::Full(2026, 12, 8, 13, 1, 21);
    const std::string out = (dir.path() / "out" / "Converted Outlook PST").string() + "/";
    std::vector<std::pair<std::string, std::string>> made;  // mail database, address book
    for (const std::string fixture : {"dist-list.pst", "dist-list.pst", "sample1.pst", "test_unicode.pst"}) {
        Open(fixture);
        view.newNsfSelected = true;
        view.closed = false;
        state.TargetDatabasePath = (dir.path() / "out").string();
        ConversionRun clocked(mapi, WriterContext{state, notes, view, [&] { return sameSecond; }});
        clocked.CmdConversion_Click();
        ASSERT_TRUE(view.closed) << (view.messages.empty() ? "" : view.messages.back().first);
        EXPECT_NE(view.messages.back().first.find(state.TargetDatabasePath + "\r\n" + state.NamesDbPath),
                  std::string::npos);
        made.emplace_back(state.TargetDatabasePath, state.NamesDbPath);
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {out + "dist-list08-12-2026-13-1-21.nsf", out + "names08-12-2026-13-1-21.nsf"},
        {out + "dist-list08-12-2026-13-1-21-2.nsf", out + "names08-12-2026-13-1-21-2.nsf"},
        {out + "sample108-12-2026-13-1-21.nsf", out + "names08-12-2026-13-1-21-3.nsf"},
        {out + "test_unicode08-12-2026-13-1-21.nsf", out + "names08-12-2026-13-1-21-4.nsf"}};
    EXPECT_EQ(made, expected);
    const std::vector<std::size_t> books = {2, 2, 0, 0};
    for (std::size_t run = 0; run < made.size(); ++run) {
        EXPECT_EQ(ReadDocuments(made[run].first).size(), 1u) << made[run].first;
        EXPECT_EQ(ReadDocuments(made[run].second).size(), books[run]) << made[run].second;
    }
}

// Every sample file converts without a failure into either kind of target; a series without
// end, laid out ten years ahead, is the one thing that arrives in part.
class EveryFixture : public EndToEnd, public ::testing::WithParamInterface<std::tuple<std::string, bool>> {};

TEST_P(EveryFixture, ConvertsWhole)
{
    const auto& [fixture, newDatabase] = GetParam();
    Open(fixture);
    if (newDatabase)
        ConvertIntoNewDatabase();
    else
        ConvertInto(ExistingDatabase());
    EXPECT_GT(run.Summary().converted(), 0);
    EXPECT_EQ(run.Summary().notConverted(), 0);
    for (const auto& problem : run.Summary().problems())
        EXPECT_EQ(problem.reason.rfind("the series has no end", 0), 0u) << problem.reason;
    EXPECT_NE(view.messages.back().first.find(state.TargetDatabasePath), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, EveryFixture,
                         ::testing::Combine(::testing::Values("dist-list.pst", "sample1.pst", "test_ansi.pst",
                                                              "test_unicode.pst"),
                                            ::testing::Bool()),
                         [](const auto& info) {
                             std::string name = std::get<0>(info.param);
                             name = name.substr(0, name.find('.'));
                             std::erase(name, '-');
                             std::erase(name, '_');
                             return name + (std::get<1>(info.param) ? "IntoNewDatabase" : "IntoExistingDatabase");
                         });

}  // namespace
}  // namespace varnemo
