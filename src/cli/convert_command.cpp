#include "cli/batch_total.h"
#include "cli/commands.h"
#include "cli/data_file.h"
#include "cli/terminal_view.h"
#include "conversion/conversion_report.h"
#include "common/stop_request.h"
#include "conversion/conversion_run.h"
#include "shell/path_text.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fstream>
#include <functional>

namespace varnemo::cli {
namespace {

std::string FolderPath(const FolderNode& node)
{
    return node.tag.substr(node.tag.find('#') + 1);
}

// The folder nodes with this path; two folders of one parent may share a name.
std::vector<size_t> NodesAt(const FolderTree& tree, const std::string& path)
{
    std::vector<size_t> numbers;
    for (size_t number = 2; number <= tree.Count(); ++number)
        if (FolderPath(tree.Node(number)) == path)
            numbers.push_back(number);
    return numbers;
}

// Why the asked-for paths cannot all be converted: those that name no folder, and those that name
// a folder that cannot be read; empty when every one can. An unreadable folder is refused as a
// missing one is, before the target is touched: the user asked for exactly these folders, and a
// database holding only some of them is not what was asked for. Dropping it from the list and
// running again converts the rest.
std::vector<std::string> WhyNotConvertible(const FolderTree& tree, const std::vector<std::string>& paths,
                                           const std::string& dataFile)
{
    std::vector<std::string> reasons, unmatched;
    for (const auto& path : paths) {
        const auto numbers = NodesAt(tree, path);
        if (numbers.empty())
            unmatched.push_back(path);
        for (const size_t number : numbers)
            if (!tree.Node(number).Readable())
                reasons.push_back(fmt::format("Folder {} cannot be read: {}", path, tree.Node(number).error));
    }
    if (!unmatched.empty())
        reasons.push_back(fmt::format("No folder {} in {}; `varnemo-cli folders` lists them.",
                                      fmt::join(unmatched, ", "), dataFile));
    return reasons;
}

// Unticks every folder that was not asked for.
void TickOnly(FolderTree& tree, const std::vector<std::string>& paths)
{
    for (size_t number = 2; number <= tree.Count(); ++number) {
        const auto path = FolderPath(tree.Node(number));
        tree.SetChecked(number, std::find(paths.begin(), paths.end(), path) != paths.end());
    }
}

std::string Absolute(const std::string& path)
{
    return path.empty() ? path : TextFromPath(std::filesystem::absolute(PathFromText(path)));
}

// Ctrl+C: the run at hand stops after its current item (an open by libpff at once) and no further
// data file is started.
StopRequest interrupted;

extern "C" void OnInterrupt(int)
{
    interrupted.Request();
    // A second Ctrl+C ends the program at once, as a terminal user expects of a stuck program.
    std::signal(SIGINT, SIG_DFL);
}

// Catches Ctrl+C for as long as a convert runs.
class InterruptCatcher {
public:
    InterruptCatcher() : previous_(std::signal(SIGINT, OnInterrupt)) {}
    ~InterruptCatcher() { std::signal(SIGINT, previous_); }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    void (*previous_)(int);
};

void ReportProblems(const ConversionSummary& summary)
{
    for (const auto& read : summary.fallbackReads())
        SayFallbackRead(read.dataFile, read.reason);
    for (const auto& damage : summary.damageReadAround())
        SayDamageReadAround(damage.dataFile, damage.what);
    for (const auto& problem : summary.problems())
        fmt::print(stderr, "{}\n", ProblemLine(problem));
}

// Each data file is a run of its own, with its own completion text, problems and report; the
// runs share the backends.
class ConvertBatch {
public:
    ConvertBatch(const BackendOptions& options, const ConvertOptions& convert)
        : backends_(CreateBackends(options)), convert_(convert), several_(convert.dataFiles.size() > 1)
    {
    }

    // The worst status of the runs: a stop by the user before a usage error before a failure
    // before success.
    int Run()
    {
        int status = kSuccess;
        for (const auto& dataFile : convert_.dataFiles) {
            if (interrupted.Requested()) {
                fmt::print(stderr, "varnemo-cli: stopped by the user before {}\n", dataFile);
                status = Stop(dataFile, "by the user, before this data file was opened", kStoppedByUser);
                continue;
            }
            status = std::max(status, ConvertFile(dataFile));
        }
        if (several_)
            fmt::print("{}\n", total_.Line());
        return status;
    }

private:
    int ConvertFile(const std::string& dataFile)
    {
        if (several_)
            fmt::print(stderr, "{}:\n", dataFile);
        OpenedDataFile opened;
        try {
            opened = OpenDataFile(*backends_.mapi, dataFile, &interrupted);
        } catch (const WorkStopped&) {
            fmt::print(stderr, "varnemo-cli: stopped by the user while {} was opened\n", dataFile);
            return Stop(dataFile, "by the user while the data file was opened", kStoppedByUser);
        } catch (const ComponentError& error) {
            fmt::print(stderr, "varnemo-cli: {}\n", error.what());
            return Stop(dataFile, error.what(), kFailure);
        }
        if (!convert_.folders.empty()) {
            if (const auto reasons = WhyNotConvertible(opened.tree, convert_.folders, dataFile); !reasons.empty()) {
                for (const auto& reason : reasons)
                    fmt::print(stderr, "{}\n", reason);
                return Stop(dataFile, fmt::format("{}", fmt::join(reasons, " ")), kUsageError);
            }
            TickOnly(opened.tree, convert_.folders);
        }
        return ConvertOpened(dataFile, opened);
    }

    int ConvertOpened(const std::string& dataFile, const OpenedDataFile& opened)
    {
        ProgramState state;
        state.LoadExcludeFromViewValues();
        state.OutlookStoreID = opened.storeId;
        state.SelectedFolders = opened.tree.SelectedFolders();
        // A conversion of named folders takes nothing else of the file, so what else the file
        // holds, readable or not, is none of its business; a named folder that cannot be read was
        // refused.
        if (convert_.folders.empty())
            state.LeftOutFolders = opened.tree.LeftOutFolders();
        state.TargetDatabasePath = Absolute(convert_.newDatabaseFolder);
        TerminalView view(!convert_.newDatabaseFolder.empty(), Absolute(convert_.existingDatabase));
        ConversionRun run(*backends_.mapi, WriterContext{state, *backends_.notes, view},
                          ConversionOptions{convert_.duplicates, &interrupted});
        try {
            run.CmdConversion_Click();
        } catch (const ProgramEnding&) {
            // Ends this run only: the next data file may well convert.
        }
        if (!view.Completed()) {
            // What it converted before it stopped is in the database: the report says so too.
            return Stop(dataFile,
                        view.LastMessage().empty() ? "the conversion ended before its completion message"
                                                   : view.LastMessage(),
                        kFailure, &run.Summary());
        }
        ReportProblems(run.Summary());
        WriteReportPart(dataFile, [&](std::ostream& out) { WriteConversionReport(run.Summary(), out); });
        total_.AddCompleted(run.Summary());
        if (run.Summary().stoppedByUser())
            return kStoppedByUser;
        // Only a conversion in which everything selected arrived whole succeeds.
        return run.Summary().AllWhole() ? kSuccess : kFailure;
    }

    // A run that stopped before its completion message; the report says why, then what it had
    // done when it got as far as converting, so that it holds every data file asked for, and never
    // what an earlier convert left in the file.
    int Stop(const std::string& dataFile, const std::string& reason, int status,
             const ConversionSummary* done = nullptr)
    {
        total_.AddStopped();
        WriteReportPart(dataFile, [&](std::ostream& out) {
            WriteStopReason(reason, out);
            if (done)
                WriteConversionReport(*done, out);
        });
        return status;
    }

    // The reports of several data files follow each other in the one file, each under its name.
    void WriteReportPart(const std::string& dataFile, const std::function<void(std::ostream&)>& write)
    {
        if (convert_.reportFile.empty())
            return;
        if (!report_.is_open())
            report_.open(convert_.reportFile, std::ios::trunc);
        if (several_)
            fmt::print(report_, "Data file: {}\n", dataFile);
        write(report_);
        if (several_)
            report_ << '\n';
        report_.flush();
        if (!report_)
            throw ComponentError("cannot write the conversion report " + convert_.reportFile);
    }

    Backends backends_;
    const ConvertOptions& convert_;
    const bool several_;
    BatchTotal total_;
    std::ofstream report_;
};

}  // namespace

int RunConvert(const BackendOptions& options, const ConvertOptions& convert)
{
    const InterruptCatcher catcher;
    return ConvertBatch(options, convert).Run();
}

}  // namespace varnemo::cli
