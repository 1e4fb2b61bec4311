#include "local_notes_test_support.h"

#include "notes/local/store_schema.h"

#include <cstdlib>

namespace varnemo::notes::local::testing {
namespace {

std::vector<DesignElement> DesignOf(const std::filesystem::path& database)
{
    return DatabaseReader(database).DesignElements();
}

bool HasElement(const std::vector<DesignElement>& design, DesignKind kind, const std::string& name)
{
    return std::ranges::find(design, DesignElement{kind, name}) != design.end();
}

// --- Provisioning -------------------------------------------------------------------------

using Provisioning = LocalNotesTest;

TEST_F(Provisioning, CreatesTheFilesOfANotesInstallation)
{
    // Nothing else: no temporary files, no -wal or -shm files of the templates that were read.
    EXPECT_EQ(FileNamesIn(dataDirectory), (std::set<std::string>{"notes.ini", "mail.ntf", "pernames.ntf", "names.nsf"}));
    EXPECT_EQ(ReadFile(DataPath("notes.ini")), "[Notes]\nDefaultMailTemplate=mail.ntf\nNAMES=names.nsf\n");

    const auto mail = DesignOf(DataPath("mail.ntf"));
    EXPECT_TRUE(HasElement(mail, DesignKind::Form, "Memo"));
    EXPECT_TRUE(HasElement(mail, DesignKind::Form, "Appointment"));
    EXPECT_TRUE(HasElement(mail, DesignKind::View, "($Calendar)"));
    EXPECT_TRUE(HasElement(mail, DesignKind::Folder, "($Inbox)"));
    EXPECT_TRUE(DatabaseReader(DataPath("mail.ntf")).Info().isTemplate);

    const auto addressBook = DesignOf(DataPath("pernames.ntf"));
    EXPECT_TRUE(HasElement(addressBook, DesignKind::Form, "Person"));
    EXPECT_TRUE(HasElement(addressBook, DesignKind::View, "Groups"));
}

TEST_F(Provisioning, TheAddressBookIsADatabaseWithItsTemplatesDesign)
{
    EXPECT_EQ(DesignOf(DataPath("names.nsf")), DesignOf(DataPath("pernames.ntf")));
    const auto book = DatabaseReader(DataPath("names.nsf")).Info();
    EXPECT_FALSE(book.isTemplate);
    EXPECT_NE(book.replicaId, DatabaseReader(DataPath("pernames.ntf")).Info().replicaId);
}

TEST(ProvisioningExistingFiles, AreLeftAsTheyAre)
{
    TempDir temp;
    const auto data = temp.path() / "notes";
    std::filesystem::create_directories(data);
    WriteFile(data / "notes.ini", "[Notes]\r\nNAMES=company.nsf\r\n");
    WriteFile(data / "names.nsf", "not ours, not to be touched");

    LocalNotes notes(data);
    const auto session = notes.CreateSession();

    EXPECT_EQ(ReadFile(data / "notes.ini"), "[Notes]\r\nNAMES=company.nsf\r\n");
    EXPECT_EQ(ReadFile(data / "names.nsf"), "not ours, not to be touched");
    EXPECT_TRUE(std::filesystem::exists(data / "mail.ntf"));
    EXPECT_TRUE(std::filesystem::exists(data / "pernames.ntf"));
    EXPECT_EQ(session->GETENVIRONMENTSTRING("NAMES", true), "company.nsf");
}

TEST(DefaultDataDirectory, FollowsTheXdgDataHomeElseHome)
{
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* savedDataHome = std::getenv("XDG_DATA_HOME");
    const std::string savedDataHomeValue = savedDataHome ? savedDataHome : "";

    setenv("HOME", "/home/jdoe", 1);
    setenv("XDG_DATA_HOME", "/data/jdoe", 1);
    EXPECT_EQ(LocalNotes::DefaultDataDirectory(), "/data/jdoe/varnemo/notes");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(LocalNotes::DefaultDataDirectory(), "/home/jdoe/.local/share/varnemo/notes");
    setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    EXPECT_EQ(LocalNotes::DefaultDataDirectory(), "/home/jdoe/.local/share/varnemo/notes");

    setenv("HOME", savedHome.c_str(), 1);
    if (savedDataHome)
        setenv("XDG_DATA_HOME", savedDataHomeValue.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

// --- Environment --------------------------------------------------------------------------

TEST(EnvironmentStrings, ReadNotesIniWithCaseInsensitiveNamesAndTheDollarForUserSettings)
{
    TempDir temp;
    WriteFile(temp.path() / "notes.ini", "[Notes]\nMailFile=wrong.nsf\n$MailFile=mail/jdoe.nsf\nEmpty=\n");
    LocalNotes notes(temp.path());
    const auto session = notes.CreateSession();

    EXPECT_EQ(session->GETENVIRONMENTSTRING("MailFile", false), "mail/jdoe.nsf");
    EXPECT_EQ(session->GETENVIRONMENTSTRING("mailfile", true), "wrong.nsf");
    EXPECT_EQ(session->GETENVIRONMENTSTRING("MAILFILE", false), "mail/jdoe.nsf");
    EXPECT_EQ(session->GETENVIRONMENTSTRING("Empty", true), "");
    EXPECT_EQ(session->GETENVIRONMENTSTRING("Absent", true), "");
    EXPECT_EQ(session->GETENVIRONMENTSTRING("Absent", false), "");
}

TEST_F(LocalNotesTest, ProvisionedEnvironmentNamesTheTemplateAndAddressBook)
{
    EXPECT_EQ(session->GETENVIRONMENTSTRING("DefaultMailTemplate", true), "mail.ntf");
    EXPECT_EQ(session->GETENVIRONMENTSTRING("names", true), "names.nsf");
    EXPECT_EQ(session->GETENVIRONMENTSTRING("NAMES", false), "");
}

// --- Opening databases --------------------------------------------------------------------

using OpeningDatabases = LocalNotesTest;

TEST_F(OpeningDatabases, AMissingDatabaseFailsAndNothingIsCreated)
{
    const auto before = FileNamesIn(dataDirectory);
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { session->GetDatabase("", "missing.nsf"); }),
                         DataPath("missing.nsf").string()));
    EXPECT_THROW(session->GetDatabase("", (temp.path() / "elsewhere.nsf").string()), ComponentError);
    EXPECT_EQ(FileNamesIn(dataDirectory), before);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "elsewhere.nsf"));
}

TEST_F(OpeningDatabases, OnlyTheLocalServerIsServed)
{
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { session->GetDatabase("Mail01/Acme", "mail.ntf"); }),
                         "only local databases"));
}

TEST_F(OpeningDatabases, RelativePathsAreTakenFromTheDataDirectory)
{
    std::filesystem::create_directories(DataPath("archive"));
    NewMailDatabase("archive/2024.nsf")->CreateDocument()->Save(0, 0);
    EXPECT_TRUE(std::filesystem::exists(DataPath("archive/2024.nsf")));

    auto document = session->GetDatabase("", DataPath("archive/2024.nsf").string())->CreateDocument();
    document->Save(0, 0);
    EXPECT_EQ(ReadDocuments(DataPath("archive/2024.nsf")).size(), 2u);
}

TEST_F(OpeningDatabases, ReopeningForEveryItemWorksAThousandTimes)
{
    NewMailDatabase();
    for (int i = 0; i < 1000; ++i) {
        auto document = notes.CreateSession()->GetDatabase("", "mail.nsf")->CreateDocument();
        document->ReplaceItemValue("Number", std::to_string(i));
        document->Save(1, 0);
    }
    int expected = 0;
    DatabaseReader(DataPath("mail.nsf")).ForEachDocument([&](const StoredDocument& document) {
        EXPECT_EQ(std::get<std::string>(document.items.at(0).value), std::to_string(expected++));
    });
    EXPECT_EQ(expected, 1000);
}

// --- Foreign files ------------------------------------------------------------------------

class ForeignFiles : public LocalNotesTest {
protected:
    // Opening must fail for writing and for reading, and leave the file and its folder as they
    // were: same bytes, no journal or WAL files beside it.
    void ExpectRefusedUntouched(const std::filesystem::path& path, const std::string& why)
    {
        const std::string bytes = std::filesystem::is_regular_file(path) ? ReadFile(path) : "";
        const auto before = FileNamesIn(path.parent_path());
        const std::string message = ComponentErrorOf([&] { session->GetDatabase("", path.string()); });
        EXPECT_TRUE(Mentions(message, path.string()));
        EXPECT_TRUE(Mentions(message, why));
        EXPECT_THROW(DatabaseReader{path}, ComponentError);
        if (std::filesystem::is_regular_file(path)) {
            EXPECT_EQ(ReadFile(path), bytes);
        }
        EXPECT_EQ(FileNamesIn(path.parent_path()), before);
    }

    std::filesystem::path foreign = temp.path() / "foreign";
    void SetUp() override { std::filesystem::create_directories(foreign); }
};

TEST_F(ForeignFiles, ATextFileIsRefused)
{
    WriteFile(foreign / "notes.txt", std::string(300, 'x') + "\nnot a database\n");
    ExpectRefusedUntouched(foreign / "notes.txt", "not a SQLite database");
}

TEST_F(ForeignFiles, AnEmptyFileIsRefused)
{
    WriteFile(foreign / "empty.nsf", "");
    ExpectRefusedUntouched(foreign / "empty.nsf", "too short");
}

TEST_F(ForeignFiles, ADirectoryIsRefused)
{
    std::filesystem::create_directories(foreign / "folder.nsf");
    ExpectRefusedUntouched(foreign / "folder.nsf", "not a regular file");
}

TEST_F(ForeignFiles, AnotherProgramsSqliteDatabaseIsRefused)
{
    {
        SqliteConnection other(foreign / "other.sqlite", SqliteConnection::Mode::Create);
        other.Execute("PRAGMA application_id = 1234; CREATE TABLE t (x); INSERT INTO t VALUES ('data')");
    }
    ExpectRefusedUntouched(foreign / "other.sqlite", "another program");

    {
        SqliteConnection plain(foreign / "plain.sqlite", SqliteConnection::Mode::Create);
        plain.Execute("CREATE TABLE t (x)");
    }
    ExpectRefusedUntouched(foreign / "plain.sqlite", "another program");
}

TEST_F(ForeignFiles, AStoreWithANewerLayoutIsRefused)
{
    std::filesystem::copy_file(DataPath("mail.ntf"), foreign / "future.nsf");
    {
        SqliteConnection future(foreign / "future.nsf", SqliteConnection::Mode::ReadWrite);
        future.Execute(fmt::format("PRAGMA user_version = {}", kStoreSchemaVersion + 1));
    }
    ExpectRefusedUntouched(foreign / "future.nsf", "newer");
}

// A store of the first layout knew no date-time lists; written to, it takes the present one
// and keeps what it held.
TEST_F(LocalNotesTest, AStoreOfTheFirstLayoutIsUpgradedWhenWrittenTo)
{
    const auto path = DataPath("first.nsf");
    session->GetDatabase("", "mail.ntf")->CreateCopy("", path.string());
    {
        auto document = session->GetDatabase("", path.string())->CreateDocument();
        document->ReplaceItemValue("Subject", std::string("kept"));
        document->Save(0, 0);
    }
    notes.ReleaseDatabases();
    {
        SqliteConnection first(path, SqliteConnection::Mode::ReadWrite);
        first.Execute(R"sql(
            CREATE TABLE items_first (document_id INTEGER NOT NULL REFERENCES documents (id) ON DELETE CASCADE,
                position INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE CHECK (name <> ''),
                type TEXT NOT NULL CHECK (type IN ('text', 'textlist', 'datetime', 'richtext')),
                value TEXT NOT NULL, PRIMARY KEY (document_id, position), UNIQUE (document_id, name)) WITHOUT ROWID;
            INSERT INTO items_first SELECT * FROM items; DROP TABLE items;
            ALTER TABLE items_first RENAME TO items; PRAGMA user_version = 1;)sql");
    }
    {
        auto document = notes.CreateSession()->GetDatabase("", path.string())->CreateDocument();
        document->ReplaceItemValue("Occurrences", std::vector<DateTime>{DateTime::Full(2026, 1, 5, 9, 0, 0).WithUtcOffset(60)});
        document->Save(0, 0);
    }
    notes.ReleaseDatabases();
    const auto documents = ReadDocuments(path);
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_TRUE(documents[0].items.at(0).value == ItemValue(std::string("kept")));
    EXPECT_TRUE(documents[1].items.at(0).value ==
                ItemValue(std::vector<DateTime>{DateTime::Full(2026, 1, 5, 9, 0, 0).WithUtcOffset(60)}));
    SqliteConnection upgraded(path, SqliteConnection::Mode::ReadWrite);
    EXPECT_EQ(upgraded.PragmaInteger("user_version"), kStoreSchemaVersion);
}

// The item types are the store's own contract with its readers (show, DXL export): a row of any
// other type is refused by the file itself, whoever writes it.
TEST_F(LocalNotesTest, TheItemsTableTakesTheFiveItemTypesAndRefusesAnyOther)
{
    const auto path = DataPath("types.nsf");
    session->GetDatabase("", "mail.ntf")->CreateCopy("", path.string());
    notes.ReleaseDatabases();
    SqliteConnection store(path, SqliteConnection::Mode::ReadWrite);
    store.Execute("INSERT INTO documents (id, unid, created, modified) "
                  "VALUES (1, '0123456789ABCDEF0123456789ABCDEF', '2026-01-05', '2026-01-05')");
    int position = 0;
    for (const char* type : {"text", "textlist", "datetime", "datetimelist", "richtext"})
        EXPECT_NO_THROW(store.Execute(fmt::format("INSERT INTO items VALUES (1, {0}, 'Item{0}', '{1}', '')",
                                                  position++, type)))
            << type;
    for (const char* type : {"number", "Text", ""})
        EXPECT_THROW(store.Execute(fmt::format("INSERT INTO items VALUES (1, {0}, 'Item{0}', '{1}', '')",
                                               position++, type)),
                     ComponentError)
            << type;
}

// --- Copies -------------------------------------------------------------------------------

using CreatingCopies = LocalNotesTest;

TEST_F(CreatingCopies, TakesTheDesignButNotTheDocuments)
{
    auto source = NewMailDatabase("source.nsf");
    source->EnableFolder("Projects");
    source->CreateDocument()->Save(0, 0);

    source->CreateCopy("", "copy.nsf");

    EXPECT_EQ(DesignOf(DataPath("copy.nsf")), DesignOf(DataPath("source.nsf")));
    EXPECT_TRUE(HasElement(DesignOf(DataPath("copy.nsf")), DesignKind::Folder, "Projects"));
    EXPECT_TRUE(ReadDocuments(DataPath("copy.nsf")).empty());
    const auto info = DatabaseReader(DataPath("copy.nsf")).Info();
    EXPECT_EQ(info.title, "Mail");
    EXPECT_FALSE(info.isTemplate);
    EXPECT_NE(info.replicaId, DatabaseReader(DataPath("source.nsf")).Info().replicaId);
}

TEST_F(CreatingCopies, NeverReplaceAFileAndLeaveNothingBehindOnFailure)
{
    auto mail = NewMailDatabase();
    WriteFile(DataPath("taken.nsf"), "someone else's file");
    const auto before = FileNamesIn(dataDirectory);

    EXPECT_THROW(mail->CreateCopy("", "taken.nsf"), ComponentError);
    EXPECT_THROW(mail->CreateCopy("", "mail.ntf"), ComponentError);
    EXPECT_THROW(mail->CreateCopy("", "no/such/folder/new.nsf"), ComponentError);
    EXPECT_THROW(mail->CreateCopy("Mail01/Acme", "remote.nsf"), ComponentError);

    EXPECT_EQ(ReadFile(DataPath("taken.nsf")), "someone else's file");
    EXPECT_EQ(FileNamesIn(dataDirectory), before);
}

TEST_F(CreatingCopies, ANewDatabaseUnderADeletedOnesNameStartsEmpty)
{
    {
        auto old = NewMailDatabase("reused.nsf");
        old->CreateDocument()->Save(0, 0);
    }
    // Deleted the way a user deletes a file: the open connection's log stays behind.
    std::filesystem::remove(DataPath("reused.nsf"));

    auto fresh = NewMailDatabase("reused.nsf");
    EXPECT_TRUE(ReadDocuments(DataPath("reused.nsf")).empty());
    fresh->CreateDocument()->Save(0, 0);
    EXPECT_EQ(ReadDocuments(DataPath("reused.nsf")).size(), 1u);
}

}  // namespace
}  // namespace varnemo::notes::local::testing
