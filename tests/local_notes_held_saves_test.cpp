// Documents saved while the component holds saves back: written together at the commit, and
// never written in part or reported written when they are not.
#include "local_notes_test_support.h"

#include "notes/local/connection_cache.h"

namespace varnemo::notes::local::testing {
namespace {

class HeldSaves : public LocalNotesTest {
protected:
    HeldSaves()
    {
        NewMailDatabase();
        notes.HoldSaves();
    }
    // The holding is process-wide: it must not reach the next test, whatever this one did.
    ~HeldSaves() override
    {
        try {
            notes.ReleaseDatabases();
        } catch (const ComponentError&) {
        }
    }

    void Save(const std::string& subject, std::size_t bodySize = 10)
    {
        auto document = session->GetDatabase("", path.string())->CreateDocument();
        document->ReplaceItemValue("Subject", subject);
        document->ReplaceItemValue("Body", std::string(bodySize, 'x'));
        document->Save(0, 0);
    }

    // A document of one item is one row in each table: SQLite writes it without a statement
    // journal, and a full disk then costs the whole transaction, not just the statement.
    void SaveOneItem(std::size_t size)
    {
        auto document = session->GetDatabase("", path.string())->CreateDocument();
        document->ReplaceItemValue("Subject", std::string(size, 'x'));
        document->Save(0, 0);
    }

    void FillTheDisk()
    {
        Writer().Execute(fmt::format("PRAGMA max_page_count = {}", Writer().PragmaInteger("page_count")));
    }
    void EmptyTheDisk() { Writer().Execute("PRAGMA max_page_count = 1073741823"); }

    std::vector<std::string> SubjectsInTheFile() const
    {
        std::vector<std::string> subjects;
        for (const auto& document : ReadDocuments(path))
            subjects.push_back(std::get<std::string>(document.items.at(0).value));
        return subjects;
    }

    // The writer's own connection, to fail it as a full disk or an I/O error would.
    SqliteConnection& Writer() { return *SharedWriteConnection(path); }

    std::filesystem::path path = DataPath("mail.nsf");
};

TEST_F(HeldSaves, ReachTheFileOnlyAtTheCommit)
{
    Save("first");
    EXPECT_TRUE(SubjectsInTheFile().empty());
    notes.CommitSaved();
    EXPECT_EQ(SubjectsInTheFile(), (std::vector<std::string>{"first"}));

    Save("second");
    EXPECT_EQ(SubjectsInTheFile(), (std::vector<std::string>{"first"}));
    notes.ReleaseDatabases();
    EXPECT_EQ(SubjectsInTheFile(), (std::vector<std::string>{"first", "second"}));
    Save("third");
    EXPECT_EQ(SubjectsInTheFile(), (std::vector<std::string>{"first", "second", "third"})) << "no longer held";
}

// SQLite abandons the whole transaction when the disk is full: the documents held before are lost
// with it, and no later one may slip into the file on its own as if nothing had happened.
TEST_F(HeldSaves, AFullDiskLosesTheHeldDocumentsAndEverySaveUntilTheCommitSaysSo)
{
    Save("first");
    FillTheDisk();
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { SaveOneItem(200000); }), "full"));
    EmptyTheDisk();
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { Save("third"); }), "lost"));

    const auto failure = ComponentErrorOf([&] { notes.CommitSaved(); });
    EXPECT_TRUE(Mentions(failure, path.string()));
    EXPECT_TRUE(Mentions(failure, "lost"));
    EXPECT_TRUE(SubjectsInTheFile().empty());

    Save("fourth");
    notes.CommitSaved();
    EXPECT_EQ(SubjectsInTheFile(), (std::vector<std::string>{"fourth"}));
}

// Where SQLite takes back only the statement that failed, the document goes and the others stay:
// nothing of it reaches the file, and the saves held before and after it do.
TEST_F(HeldSaves, AFullDiskThatCostsOneStatementLosesOnlyItsDocument)
{
    Save("first");
    FillTheDisk();
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { Save("too big for the disk", 200000); }), "full"));
    EmptyTheDisk();
    Save("third");
    notes.CommitSaved();
    EXPECT_EQ(SubjectsInTheFile(), (std::vector<std::string>{"first", "third"}));
}

}  // namespace
}  // namespace varnemo::notes::local::testing
