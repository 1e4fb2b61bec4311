// Converts generated in-memory mailboxes of growing size into the local Notes store and prints
// items per second, megabytes per second and the peak memory of the process.
//
//   conversion_bench [SIZE...]     (default: 1000 10000 100000)
#include "conversion/conversion_run.h"
#include "fakes/fake_mailbox.h"
#include "notes/local/local_notes.h"

#include "peak_memory.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>

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

void Measure(long size, const std::filesystem::path& work)
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
    QuietView view;
    ConversionRun run(box.mapi, WriterContext{state, notes, view});

    const auto start = std::chrono::steady_clock::now();
    run.CmdConversion_Click();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto& summary = run.Summary();
    fmt::print("{:>7} items  {:>7} converted  {:>4} failed  {:8.2f} s  {:9.0f} items/s  {:7.2f} MB/s  "
               "peak {:7.1f} MB  database {:8.1f} MB\n",
               size, summary.converted(), summary.notConverted(), seconds, static_cast<double>(summary.converted()) / seconds,
               box.bytes / 1e6 / seconds, PeakMegabytes(),
               static_cast<double>(std::filesystem::file_size(state.TargetDatabasePath)) / 1e6);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atol(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 100000};
    const auto work = std::filesystem::temp_directory_path() / fmt::format("varnemo-bench-{}", getpid());
    std::filesystem::create_directories(work);
    for (long size : sizes)
        Measure(size, work);
    std::filesystem::remove_all(work);
}
