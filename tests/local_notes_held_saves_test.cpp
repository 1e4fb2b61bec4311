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
    Writer().Execute(fmt::format("PRAGMA max_page_count = {}", Writer().PragmaInteger("page_count")));
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { Save("too big for the disk", 200000); }), "full"));
    Writer().Execute("PRAGMA max_page_count = 1073741823");
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { Save("third"); }), "lost"));

    const auto failure = ComponentErrorOf([&] { notes.CommitSaved(); });
    EXPECT_TRUE(Mentions(failure, path.string()));
    EXPECT_TRUE(Mentions(failure, "lost"));
    EXPECT_TRUE(SubjectsInTheFile().empty());

    Save("fourth");
    notes.CommitSaved();
    EXPECT_EQ(SubjectsInTheFile(), (std::vector<std::string>{"fourth"}));
}

}  // namespace
}  // namespace varnemo::notes::local::testing
