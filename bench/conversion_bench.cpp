// Converts generated in-memory mailboxes of growing size into the local Notes store and prints
// items per second, megabytes per second and the peak memory of the process. With --window the
// conversion runs through the desktop program's target window, which shows its progress as it
// does for a user (offscreen when there is no display).
//
//   conversion_bench [--window] [SIZE...]     (default: 1000 10000 100000)
#include "app/frm_save.h"
#include "conversion/conversion_run.h"
#include "fakes/fake_mailbox.h"
#include "fakes/scripted_dialogs.h"
#include "notes/local/local_notes.h"

#include "peak_memory.h"

#include <QAbstractButton>
#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fmt/format.h>
#include <optional>

using namespace varnemo;
using testing::FakeFolder;
using testing::FakeItem;

namespace {

// Shares of the mailbox: 60 % mail (every fifth with a 32 KiB attachment), 15 % appointments,
// 10 % tasks, 15 % contacts.
struct Mailbox {
    testing::FakeMailbox mapi;
    std::vector<std::string> tags;
    double bytes = 0;
};

FakeItem Item(const std::string& subject, long number, double& bytes)
{
    FakeItem item = testing::FakeMail(fmt::format("{} {}", subject, number));
    const std::string body(600, 'x');
    item.Text(mapi::TextField::Body, body)
        .Text(mapi::TextField::To, "Ann Lee; Bob Stone")
        .Text(mapi::TextField::SenderName, "Carl Jones")
        .Date(mapi::DateField::MessageDate, DateTime::Full(2026, 1, 1 + static_cast<int>(number % 28), 9, 30, 0))
        .Date(mapi::DateField::Start, DateTime::Full(2026, 2, 1 + static_cast<int>(number % 28), 10, 0, 0))
        .Date(mapi::DateField::End, DateTime::Full(2026, 2, 1 + static_cast<int>(number % 28), 11, 0, 0));
    bytes += static_cast<double>(body.size());
    return item;
}

void Fill(Mailbox& box, long size)
{
    static const auto attachment = std::make_shared<const std::string>(32 * 1024, 'a');
    auto& store = box.mapi.stores.emplace_back();
    store.name = "Bench";
    store.entryId = "BENCH";
    store.pstPath = "/bench/bench.pst";
    const std::pair<const char*, const char*> folders[] = {
        {"Inbox", "IPM.Note"}, {"Calendar", "IPM.Appointment"}, {"Tasks", "IPM.Task"}, {"Contacts", "IPM.Contact"}};
    const long counts[] = {size * 60 / 100, size * 15 / 100, size * 10 / 100,
                           size - size * 60 / 100 - size * 15 / 100 - size * 10 / 100};
    for (int f = 0; f < 4; ++f) {
        FakeFolder& folder = store.top.Add({.name = folders[f].first, .entryId = fmt::format("F{}", f),
                                            .defaultMessageClass = folders[f].second});
        folder.items.reserve(static_cast<size_t>(counts[f]));
        for (long n = 0; n < counts[f]; ++n) {
            if (f == 3) {
                folder.items.push_back(testing::FakeContact(fmt::format("First{}", n), "Last"));
                continue;
            }
            folder.items.push_back(Item(folder.name, n, box.bytes));
            if (f == 0 && n % 5 == 0) {
                folder.items.back().attachments.push_back({"report.pdf", attachment});
                box.bytes += static_cast<double>(attachment->size());
            }
        }
        box.tags.push_back(folder.entryId + "#" + folder.name);
    }
}

class QuietView : public TargetView {
public:
    void SetCaption(TargetLabel, const std::string&) override {}
    void ShowOverallProgress(const OverallProgress&) override {}
    void Yield() override {}
    void ShowMessage(const std::string&, const std::string&) override {}
    void EndProgram() override {}
    bool NewNsfSelected() override { return true; }
    std::string ExistingNsfFileName() override { return {}; }
    void ShowSubjectLabel() override {}
    void CloseWindow() override {}
};

// The run as the desktop program starts it: Select... of a new database, a folder picked.
ConversionSummary ConvertThroughWindow(Mailbox& box, ProgramState& state, notes::local::LocalNotes& notes)
{
    testing::ScriptedDialogs dialogs;
    dialogs.folderAnswers.push_back(state.TargetDatabasePath);
    app::FrmSave window{state, box.mapi, notes, dialogs};
    window.PrepareForNewDatabase();
    window.show();
    window.findChild<QAbstractButton*>("CmdNewNSF")->click();
    return window.Run().Summary();
}

ConversionSummary ConvertWithoutWindow(Mailbox& box, ProgramState& state, notes::local::LocalNotes& notes)
{
    QuietView view;
    ConversionRun run(box.mapi, WriterContext{state, notes, view});
    run.CmdConversion_Click();
    return run.Summary();
}

void Measure(long size, const std::filesystem::path& work, bool throughWindow)
{
    Mailbox box;
    Fill(box, size);
    const auto folder = work / fmt::format("run-{}", size);
    std::filesystem::create_directories(folder);
    notes::local::LocalNotes notes(work / "notes-data");
    ProgramState state;
    state.LoadExcludeFromViewValues();
    state.OutlookStoreID = "BENCH";
    state.SelectedFolders = box.tags;
    state.TargetDatabasePath = folder.string();

    const auto start = std::chrono::steady_clock::now();
    const auto summary =
        throughWindow ? ConvertThroughWindow(box, state, notes) : ConvertWithoutWindow(box, state, notes);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fmt::print("{:>7} items  {:>7} converted  {:>4} failed  {:8.2f} s  {:9.0f} items/s  {:7.2f} MB/s  "
               "peak {:7.1f} MB  database {:8.1f} MB\n",
               size, summary.converted(), summary.notConverted(), seconds, static_cast<double>(summary.converted()) / seconds,
               box.bytes / 1e6 / seconds, PeakMegabytes(),
               static_cast<double>(std::filesystem::file_size(state.TargetDatabasePath)) / 1e6);
}

}  // namespace

int main(int argc, char** argv)
{
    bool throughWindow = false;
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0)
            throughWindow = true;
        else
            sizes.push_back(std::atol(argv[i]));
    }
    if (sizes.empty())
        sizes = {1000, 10000, 100000};
    std::optional<QApplication> application;
    if (throughWindow) {
        if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        application.emplace(argc, argv);
    }
    const auto work = std::filesystem::temp_directory_path() / fmt::format("varnemo-bench-{}", getpid());
    std::filesystem::create_directories(work);
    for (long size : sizes)
        Measure(size, work, throughWindow);
    std::filesystem::remove_all(work);
}
