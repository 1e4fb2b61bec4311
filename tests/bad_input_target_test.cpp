// Target databases that cannot take a conversion, given to `varnemo-cli convert`: each run ends
// with a message that names the database and says why, a file that is not ours stays
// byte-for-byte as it was (and gets no journal beside it), and what was converted is whole.
#include "bad_input_support.h"

#include "notes/local/sqlite_connection.h"

#include <fmt/format.h>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using notes::local::SqliteConnection;

class BadTarget : public BadInputTest {
protected:
    // A database of ours, made by converting a sample file into a new database.
    fs::path ExistingDatabase()
    {
        const auto made = ConvertToNew(CopyFixture("test_ansi.pst", temp_.path()));
        EXPECT_EQ(made.exitStatus, 0) << made.err;
        const auto databases = DatabasesBelow(output_);
        const auto mail = std::find_if(databases.begin(), databases.end(),
                                       [](const fs::path& path) { return !path.filename().string().starts_with("names"); });
        if (mail == databases.end())
            throw std::runtime_error("the conversion made no database");
        return *mail;
    }

    // Converts into the file, which is refused with a message naming it and saying why; the
    // file and its folder are unchanged.
    void ExpectRefused(const fs::path& database, const std::string& reason, const CliConditions& conditions = {})
    {
        const auto before = ReadFile(database);
        const auto folderBefore = FileNamesIn(database.parent_path());
        const auto outcome = ConvertInto(source_, database, conditions);
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_TRUE(Says(outcome.err, database.string()));
        EXPECT_TRUE(Says(outcome.err, reason));
        EXPECT_EQ(ReadFile(database), before);
        EXPECT_EQ(FileNamesIn(database.parent_path()), folderBefore);
    }

    static std::set<std::string> FileNamesIn(const fs::path& folder)
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    fs::path source_ = CopyFixture("sample1.pst", temp_.path());
};

TEST_F(BadTarget, FilesOfOtherKindsAreRefusedUntouched)
{
    const auto targets = temp_.path() / "targets";
    fs::create_directory(targets);
    const auto text = targets / "mail.nsf";
    WriteFile(text, "This is a text file that happens to be called mail.nsf. It is long enough to fill a\n"
                    "database header, and it says nothing a database would say.\n");
    ExpectRefused(text, "not a SQLite database");

    const auto foreign = targets / "inventory.nsf";
    {
        SqliteConnection other(foreign, SqliteConnection::Mode::Create);
        other.Execute("PRAGMA journal_mode = WAL; CREATE TABLE parts (name TEXT, count INTEGER);"
                      "INSERT INTO parts VALUES ('bolt', 12), ('nut', 40)");
    }
    ExpectRefused(foreign, "a SQLite database of another program");

    fs::create_directory(targets / "folder.nsf");
    const auto outcome = ConvertInto(source_, targets / "folder.nsf");
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_TRUE(Says(outcome.err, "not a regular file"));
}

TEST_F(BadTarget, AReadOnlyDatabaseIsRefusedUntouched)
{
    const auto database = ExistingDatabase();
    OpenToEveryone(temp_.path());
    fs::permissions(database, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // Run as nobody when the tests run as root, for root writes whatever a file's mode says.
    ExpectRefused(database, "the file is read-only", AsNobody());
}

TEST_F(BadTarget, ADatabaseInAReadOnlyFolderIsRefusedUntouched)
{
    const auto database = ExistingDatabase();
    OpenToEveryone(temp_.path());
    fs::permissions(database.parent_path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ExpectRefused(database, "its folder is read-only", AsNobody());
}

TEST_F(BadTarget, ANewDatabaseOnAFullDiskFailsWithoutLeavingHalfAFile)
{
    // A first run provides the Notes data directory, so that only the new databases meet the
    // full disk: room for the templates' shared-memory files (32 KiB), not for a database.
    ExistingDatabase();
    fs::remove_all(output_);
    const auto outcome = ConvertToNew(CopyFixture("dist-list.pst", temp_.path()), WithFileSizeLimit(40 * 1024));
    EXPECT_EQ(outcome.exitStatus, 1);
    // A file-size limit, not a full disk, makes the writes fail here: SQLite says "disk I/O
    // error" where a full disk makes it say "database or disk is full".
    EXPECT_TRUE(Says(outcome.err, "cannot create the database " + (output_ / "Converted Outlook PST").string()));
    EXPECT_TRUE(Says(outcome.err, "disk I/O error"));
    for (const auto& left : DatabasesBelow(output_))
        ADD_FAILURE() << "left behind: " << left;
}

TEST_F(BadTarget, ADiskThatFillsDuringTheRunCostsOnlyListedItems)
{
    const auto database = ExistingDatabase();
    const auto sizeBefore = fs::file_size(database);
    // Room for the message, not for its attachment: the message arrives, and the attachment it
    // lacks is listed with the reason.
    const auto outcome = ConvertInto(source_, database, WithFileSizeLimit(sizeBefore + 4096));
    EXPECT_EQ(outcome.exitStatus, 1) << "an item that lost its attachment is no success";
    EXPECT_TRUE(Says(outcome.err, "\"Here is a sample message\": converted in part"));
    EXPECT_TRUE(Says(outcome.err, "leah_thumper.jpg: File too large"));
    const auto shown = RunCli({"show", database.string()});
    EXPECT_EQ(shown.exitStatus, 0) << shown.err;
    EXPECT_TRUE(Says(shown.out, "Here is a sample message"));
    EXPECT_FALSE(Says(shown.out, "leah_thumper.jpg"));
}

TEST_F(BadTarget, PathsWithUnicodeAndSpacesWork)
{
    const auto source = temp_.path() / "Pöst Fïle 📧 2026.pst";
    fs::rename(source_, source);
    output_ = temp_.path() / "Ünïcödé Ördner ✓ 東京";
    const auto outcome = ConvertToNew(source);
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
    const auto databases = DatabasesBelow(output_);
    ASSERT_EQ(databases.size(), 2u);
    const auto mail = *std::find_if(databases.begin(), databases.end(), [](const fs::path& path) {
        return path.filename().string().starts_with("Pöst Fïle 📧 2026");
    });
    const auto shown = RunCli({"show", mail.string()});
    EXPECT_EQ(shown.exitStatus, 0) << shown.err;
    EXPECT_TRUE(Says(shown.out, "Here is a sample message"));
    EXPECT_TRUE(Says(shown.out, "leah_thumper.jpg"));

    const auto renamed = output_ / "Pöst für Ännchen.nsf";
    fs::rename(mail, renamed);
    EXPECT_EQ(ConvertInto(source, renamed).exitStatus, 0);
}

}  // namespace
}  // namespace varnemo::testing
