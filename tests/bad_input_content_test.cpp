// Mailbox content that a data file can hold but that is hostile to a file system or to a
// database: attachment names that are paths, device names or nothing at all, attachments of
// awkward sizes, names of 10,000 characters, control characters and broken Unicode. Converted
// from the in-memory mailbox (a real data file cannot be made to hold all of it) into the
// real local store: every item arrives whole, every byte as it was, nothing lands outside the
// temporary folder.
#include "bad_input_support.h"
#include "conversion/conversion_run.h"
#include "fakes/fake_mailbox.h"
#include "fakes/fake_target_view.h"
#include "local_notes_test_support.h"

#include <cstdlib>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using notes::local::DatabaseReader;
using notes::local::LocalNotes;
using notes::local::StoredDocument;
using notes::local::testing::AttachmentBytes;
using notes::local::testing::BinaryContent;
using notes::local::testing::ReadDocuments;

// Points $TMPDIR, where attachments are saved on their way, at a folder of the test's own.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const fs::path& folder)
    {
        fs::create_directories(folder);
        if (const char* current = std::getenv("TMPDIR"))
            previous_ = current;
        setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TemporaryFolderOverride()
    {
        if (previous_)
            setenv("TMPDIR", previous_->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    TemporaryFolderOverride(const TemporaryFolderOverride&) = delete;
    TemporaryFolderOverride& operator=(const TemporaryFolderOverride&) = delete;

private:
    std::optional<std::string> previous_;
};

std::string TextOf(const StoredDocument& document, const std::string& name)
{
    for (const auto& item : document.items) {
        if (item.name == name)
            return std::get<std::string>(item.value);
    }
    throw std::runtime_error("the document has no item " + name);
}

class HostileContent : public ::testing::Test {
protected:
    HostileContent()
    {
        mailbox.stores.push_back({.name = "Hostile", .entryId = "STORE", .pstPath = "/data/hostile.pst"});
        state.OutlookStoreID = "STORE";
        state.LoadExcludeFromViewValues();
        state.TargetDatabasePath = (temp.path() / "output").string();
    }

    FakeFolder& AddFolder(std::string name, std::string kind = "IPM.Note")
    {
        auto entryId = "F" + std::to_string(mailbox.stores[0].top.folders.size() + 1);
        return mailbox.stores[0].top.Add({.name = std::move(name), .entryId = entryId, .defaultMessageClass = kind});
    }

    // Converts every folder into a new database; returns the mail database.
    fs::path Convert()
    {
        for (const auto& folder : mailbox.stores[0].top.folders)
            state.SelectedFolders.push_back(folder.entryId + "#" + folder.name);
        ConversionRun run(mailbox, WriterContext{state, notes, view});
        run.CmdConversion_Click();
        EXPECT_TRUE(view.closed) << (view.messages.empty() ? "" : view.messages.back().first);
        summary = run.Summary();
        return state.TargetDatabasePath;
    }

    TempDir temp;
    TemporaryFolderOverride temporaryFolder{temp.path() / "tmp"};
    FakeMailbox mailbox;
    ProgramState state;
    LocalNotes notes{temp.path() / "notes"};
    FakeTargetView view;
    ConversionSummary summary;
};

TEST_F(HostileContent, AttachmentsWithHostileNamesArriveWholeAndStayInTheTemporaryFolder)
{
    const std::vector<std::string> names = {
        "../../escaped.txt", "/etc/passwd",          "a\\b:c*?\"<>|d.txt", "CON.txt",      "",
        "...",               "   ",                  "bell\a tab\t nl\n del\x7f.bin",         "report|evil.doc",
        std::string(300, 'n') + ".pdf",              "dup.txt",             "dup.txt",      "ünï ✓ 東京.txt",
        "broken \xFF\xFE \xED\xA0\x80.txt",
    };
    auto& mail = AddFolder("Inbox").items.emplace_back(FakeMail("hostile names"));
    for (size_t index = 0; index < names.size(); ++index)
        mail.Attach(names[index], BinaryContent(1000 + index, static_cast<unsigned>(index)));

    const auto database = Convert();
    EXPECT_EQ(summary.converted(), 1);
    EXPECT_TRUE(summary.problems().empty()) << summary.problems().front().reason;
    const auto documents = ReadDocuments(database);
    ASSERT_EQ(documents.size(), 1u);
    ASSERT_EQ(documents[0].attachments.size(), names.size());
    for (size_t index = 0; index < names.size(); ++index) {
        const auto& attachment = documents[0].attachments[index];
        SCOPED_TRACE(attachment.fileName);
        EXPECT_EQ(AttachmentBytes(database, attachment),
                  BinaryContent(1000 + index, static_cast<unsigned>(index)));
        EXPECT_EQ(attachment.fileName.find('/'), std::string::npos);
        EXPECT_LE(attachment.fileName.size(), 255u);
    }
    EXPECT_FALSE(fs::exists(temp.path() / "escaped.txt"));
    EXPECT_TRUE(fs::is_empty(temp.path() / "tmp"));
}

TEST_F(HostileContent, AttachmentsOfAwkwardSizesArriveWholeAndAFailedOneIsListed)
{
    const std::vector<size_t> sizes = {0, 1, (1u << 20) - 1, 1u << 20, (1u << 20) + 1, 5 * (1u << 20) + 3};
    auto& mail = AddFolder("Inbox").items.emplace_back(FakeMail("sizes"));
    for (size_t index = 0; index < sizes.size(); ++index)
        mail.Attach("size" + std::to_string(sizes[index]), BinaryContent(sizes[index], static_cast<unsigned>(index)));
    mail.attachments.push_back({.fileName = "unreadable.bin", .content = nullptr, .failsToSave = true});

    const auto database = Convert();
    ASSERT_EQ(summary.problems().size(), 1u);
    EXPECT_EQ(summary.problems()[0].item, "sizes");
    EXPECT_EQ(summary.problems()[0].outcome, Outcome::ConvertedInPart);
    EXPECT_NE(summary.problems()[0].reason.find("cannot save attachment unreadable.bin"), std::string::npos)
        << summary.problems()[0].reason;
    const auto documents = ReadDocuments(database);
    ASSERT_EQ(documents.size(), 1u);
    ASSERT_EQ(documents[0].attachments.size(), sizes.size());
    for (size_t index = 0; index < sizes.size(); ++index) {
        EXPECT_EQ(documents[0].attachments[index].size, static_cast<long long>(sizes[index]));
        EXPECT_EQ(AttachmentBytes(database, documents[0].attachments[index]),
                  BinaryContent(sizes[index], static_cast<unsigned>(index)));
    }
    EXPECT_TRUE(fs::is_empty(temp.path() / "tmp"));
}

TEST_F(HostileContent, NamesAndSubjectsOfTenThousandCharactersArriveWhole)
{
    std::string longName;
    for (int i = 0; i < 10000; ++i)
        longName += i % 2 ? "ß" : "x";  // 10,000 characters, 15,000 bytes
    const std::string longSubject(10000, 's');
    AddFolder(longName).items.push_back(FakeMail(longSubject).Attach(longName + ".txt", "content"));
    AddFolder("Contacts", "IPM.Contact").items.push_back(FakeContact(longName, longSubject));

    const auto database = Convert();
    EXPECT_EQ(summary.converted(), 2);
    EXPECT_TRUE(summary.problems().empty()) << summary.problems().front().reason;
    const auto documents = ReadDocuments(database);
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(TextOf(documents[0], "Subject"), longSubject);
    EXPECT_EQ(DatabaseReader(database).FolderMembers("Outlook\\" + longName),
              std::vector<std::string>{documents[0].unid});
    EXPECT_EQ(AttachmentBytes(database, documents[0].attachments.at(0)), "content");

    const auto people = ReadDocuments(state.NamesDbPath);
    ASSERT_EQ(people.size(), 1u);
    EXPECT_EQ(TextOf(people[0], "FirstName"), longName);
}

TEST_F(HostileContent, ControlCharactersAndBrokenUnicodeAreKeptAsTheyCame)
{
    std::string controls;
    for (char c = 1; c < 0x20; ++c)
        controls += c;
    controls += '\x7f';
    // What a reader makes of invalid UTF-16: a lone surrogate (as CESU-8), a stray byte order
    // mark, a cut-off sequence and an overlong one.
    const std::string broken = "lone \xED\xA0\x80 stray \xFF\xFE cut \xE2\x82 overlong \xC0\xAF end";
    const std::string withNul("before\0after", 12);
    auto& mail = AddFolder("Inbox").items.emplace_back(FakeMail(controls + broken));
    mail.Text(mapi::TextField::Body, withNul + broken)
        .Text(mapi::TextField::To, broken)
        .Text(mapi::TextField::SenderName, controls);

    const auto database = Convert();
    EXPECT_EQ(summary.converted(), 1);
    EXPECT_TRUE(summary.problems().empty()) << summary.problems().front().reason;
    const auto documents = ReadDocuments(database);
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(TextOf(documents[0], "Subject"), controls + broken);
    EXPECT_EQ(TextOf(documents[0], "Body"), withNul + broken);
    EXPECT_EQ(TextOf(documents[0], "SendTo"), broken);

    // And the database can still be shown, as text and as JSON.
    for (const std::vector<std::string>& show : {std::vector<std::string>{"show", database.string()},
                                                 std::vector<std::string>{"show", database.string(), "--json"}}) {
        const auto outcome = RunCli(show);
        EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
        EXPECT_TRUE(Says(outcome.out, "overlong"));
    }
}

TEST_F(HostileContent, AMailboxWithoutFoldersOfAConvertedClassEndsWithACountOfNothing)
{
    AddFolder("Journal", "IPM.Journal").items.push_back(FakeMail("journal entry"));
    AddFolder("Notes", "IPM.StickyNote").items.push_back(FakeMail("sticky note"));
    AddFolder("Settings", "IPM.Configuration").items.push_back(FakeMail("configuration"));

    const auto database = Convert();
    ASSERT_FALSE(view.messages.empty());
    EXPECT_TRUE(Says(view.messages.back().first, "No item was exported"));
    EXPECT_TRUE(Says(view.messages.back().first, "0 items converted."));
    EXPECT_TRUE(ReadDocuments(database).empty());
}

}  // namespace
}  // namespace varnemo::testing
