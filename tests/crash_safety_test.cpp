// A conversion killed with SIGKILL at random moments: the databases it leaves open through the
// local store, pass SQLite's integrity check, hold only whole documents, and keep no staged
// attachment once opened again. The conversion runs in a child process over a large in-memory
// mailbox into the real local store; the parent kills it after a random number of items and a
// random fraction of the next.
#include "conversion/conversion_run.h"
#include "fakes/fake_mailbox.h"
#include "fakes/fake_target_view.h"
#include "local_notes_test_support.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using namespace notes::local;
using notes::local::testing::AttachmentBytes;
using notes::local::testing::BinaryContent;
using notes::local::testing::QueryNumber;
using notes::local::testing::ReadDocuments;

constexpr int kRuns = 24;
constexpr long kMails = 300;     // each with one attachment, so that kills land in staging too
constexpr long kContacts = 100;
constexpr size_t kAttachmentSize = 64 * 1024;
constexpr size_t kMemoItems = 12 + 1;  // the memo's items and the rich-text item Attachment
constexpr size_t kPersonItems = 40;

const std::string& AttachmentContent()
{
    static const std::string content = BinaryContent(kAttachmentSize, 7);
    return content;
}

FakeMailbox LargeMailbox()
{
    FakeMailbox mailbox;
    auto& store = mailbox.stores.emplace_back(FakeStore{.name = "Large", .entryId = "STORE", .pstPath = "/x/large.pst"});
    auto& inbox = store.top.Add({.name = "Inbox", .entryId = "INBOX"});
    const auto content = std::make_shared<const std::string>(AttachmentContent());
    for (long n = 0; n < kMails; ++n) {
        auto& mail = inbox.items.emplace_back(FakeMail("mail " + std::to_string(n)));
        mail.Text(mapi::TextField::Body, std::string(2000, 'b')).attachments.push_back({"file.bin", content});
    }
    auto& contacts = store.top.Add({.name = "Contacts", .entryId = "CONTACTS", .defaultMessageClass = "IPM.Contact"});
    for (long n = 0; n < kContacts; ++n)
        contacts.items.push_back(FakeContact("First" + std::to_string(n), "Last"));
    return mailbox;
}

// The child's window: one byte down the pipe whenever an item starts.
class ProgressPipe : public FakeTargetView {
public:
    explicit ProgressPipe(int descriptor) : descriptor_(descriptor) {}
    void SetCaption(TargetLabel label, const std::string& text) override
    {
        if (label == TargetLabel::LblCurrent && !text.empty() && write(descriptor_, "+", 1) != 1)
            _exit(3);
    }

private:
    int descriptor_;
};

[[noreturn]] void ConvertInChild(FakeMailbox& mailbox, const fs::path& folder, int progress)
{
    try {
        LocalNotes notes(folder / "notes");
        ProgramState state;
        state.LoadExcludeFromViewValues();
        state.OutlookStoreID = "STORE";
        state.SelectedFolders = {"INBOX#Inbox", "CONTACTS#Contacts"};
        state.TargetDatabasePath = (folder / "output").string();
        ProgressPipe view(progress);
        ConversionRun(mailbox, WriterContext{state, notes, view}).CmdConversion_Click();
        _exit(0);
    } catch (...) {
        _exit(2);
    }
}

struct RunResult {
    bool killedMidway = false;
    long databases = 0;
    long documents = 0;
    long stagedLeftovers = 0;  // staged attachments found before the store was opened again
    std::vector<std::string> damage;
};

std::string CheckIntegrity(const fs::path& database)
{
    SqliteConnection connection(database, SqliteConnection::Mode::ReadOnly);
    SqliteStatement check(connection, "PRAGMA integrity_check");
    return check.Step() ? check.Text(0) : "no answer";
}

// Every document has all the items of its form; a memo's attachment has all its bytes.
void CheckWholeDocuments(const fs::path& database, RunResult& result)
{
    for (const auto& document : ReadDocuments(database)) {
        ++result.documents;
        const auto& form = std::get<std::string>(document.items.at(0).value);
        const size_t expected = form == "Memo" ? kMemoItems : form == "Person" ? kPersonItems : 0;
        if (document.items.size() != expected)
            result.damage.push_back(fmt::format("{}: a {} with {} items", database.string(), form, document.items.size()));
        if (form == "Memo" && (document.attachments.size() != 1 ||
                               AttachmentBytes(database, document.attachments[0]) !=
                                   AttachmentContent()))
            result.damage.push_back(fmt::format("{}: a memo without its whole attachment", database.string()));
    }
}

void CheckDatabase(const fs::path& database, const fs::path& notesData, RunResult& result)
{
    ++result.databases;
    try {
        result.stagedLeftovers +=
            QueryNumber(database, "SELECT count(*) FROM attachments WHERE staged_for IS NOT NULL");
        LocalNotes(notesData).CreateSession()->GetDatabase("", database.string());
        if (const auto integrity = CheckIntegrity(database); integrity != "ok")
            result.damage.push_back(database.string() + ": " + integrity);
        if (const auto staged = QueryNumber(database, "SELECT count(*) FROM attachments WHERE staged_for IS NOT NULL"))
            result.damage.push_back(fmt::format("{}: {} staged attachments left", database.string(), staged));
        CheckWholeDocuments(database, result);
    } catch (const std::exception& error) {
        result.damage.push_back(error.what());
    }
}

// Runs one conversion and kills it once `items` items have started, after `delay` more.
RunResult KillAndCheck(FakeMailbox& mailbox, const fs::path& folder, long items, std::chrono::microseconds delay)
{
    int progress[2];
    if (pipe(progress) != 0)
        throw std::runtime_error("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(progress[0]);
        ConvertInChild(mailbox, folder, progress[1]);
    }
    close(progress[1]);
    char tick;
    long started = 0;
    while (started < items && read(progress[0], &tick, 1) == 1)
        ++started;
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(progress[0]);

    RunResult result;
    result.killedMidway = WIFSIGNALED(status);
    const auto output = folder / "output" / "Converted Outlook PST";
    if (fs::exists(output)) {
        for (const auto& entry : fs::directory_iterator(output)) {
            if (entry.path().extension() == ".nsf")
                CheckDatabase(entry.path(), folder / "notes", result);
        }
    }
    return result;
}

TEST(CrashSafety, AConversionKilledAtRandomMomentsLeavesOnlyWholeDocuments)
{
    TempDir temp;
    auto mailbox = LargeMailbox();
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(fmt::format("seed {}", seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> items(0, kMails + kContacts);
    std::uniform_int_distribution<long> delay(0, 3000);

    int killedMidway = 0, damaged = 0;
    long stagedLeftovers = 0, documents = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto result =
            KillAndCheck(mailbox, temp.path() / std::to_string(run), items(random), std::chrono::microseconds(delay(random)));
        killedMidway += result.killedMidway;
        damaged += !result.damage.empty();
        stagedLeftovers += result.stagedLeftovers;
        documents += result.documents;
        EXPECT_TRUE(result.damage.empty()) << "run " << run << ": " << fmt::format("{}", fmt::join(result.damage, "\n"));
    }
    RecordProperty("runs", kRuns);
    RecordProperty("killed_midway", killedMidway);
    RecordProperty("damaged_databases", damaged);
    RecordProperty("staged_attachments_cleaned", static_cast<int>(stagedLeftovers));
    RecordProperty("whole_documents", static_cast<int>(documents));
    EXPECT_EQ(damaged, 0);
    // Most kills must land while the conversion is still going, or the test proves little.
    EXPECT_GE(killedMidway, kRuns * 3 / 4);
}

}  // namespace
}  // namespace varnemo::testing
