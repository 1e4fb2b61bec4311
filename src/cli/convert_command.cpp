#include "cli/commands.h"
#include "cli/data_file.h"
#include "cli/terminal_view.h"
#include "conversion/conversion_report.h"
#include "conversion/conversion_run.h"
#include "shell/path_text.h"

#include <algorithm>
#include <filesystem>
#include <fmt/format.h>
#include <fstream>

namespace varnemo::cli {
namespace {

std::string FolderPath(const FolderNode& node)
{
    return node.tag.substr(node.tag.find('#') + 1);
}

// Unticks every folder that was not asked for; returns the asked-for paths that match none.
std::vector<std::string> TickOnly(FolderTree& tree, const std::vector<std::string>& paths)
{
    std::vector<std::string> unmatched;
    for (const auto& path : paths) {
        bool found = false;
        for (size_t number = 2; number <= tree.Count(); ++number)
            found = found || FolderPath(tree.Node(number)) == path;
        if (!found)
            unmatched.push_back(path);
    }
    for (size_t number = 2; number <= tree.Count(); ++number) {
        auto& node = tree.Node(number);
        node.checked = std::find(paths.begin(), paths.end(), FolderPath(node)) != paths.end();
    }
    return unmatched;
}

std::string Absolute(const std::string& path)
{
    return path.empty() ? path : TextFromPath(std::filesystem::absolute(PathFromText(path)));
}

void WriteReportFile(const ConversionSummary& summary, const std::string& path)
{
    std::ofstream out(path, std::ios::trunc);
    WriteConversionReport(summary, out);
    out.close();
    if (!out)
        throw ComponentError("cannot write the conversion report " + path);
}

void ReportProblems(const ConversionSummary& summary)
{
    for (const auto& problem : summary.problems())
        fmt::print(stderr, "{}\n", ProblemLine(problem));
}

}  // namespace

int RunConvert(const BackendOptions& options, const ConvertOptions& convert)
{
    auto backends = CreateBackends(options);
    auto opened = OpenDataFile(*backends.mapi, convert.dataFile);
    if (!convert.folders.empty()) {
        const auto unmatched = TickOnly(opened.tree, convert.folders);
        if (!unmatched.empty()) {
            fmt::print(stderr, "No folder {} in {}; `varnemo-cli folders` lists them.\n", fmt::join(unmatched, ", "),
                       convert.dataFile);
            return kUsageError;
        }
    }

    ProgramState state;
    state.LoadExcludeFromViewValues();
    state.OutlookStoreID = opened.storeId;
    state.SelectedFolders = opened.tree.SelectedFolders();
    const bool newDatabase = !convert.newDatabaseFolder.empty();
    state.TargetDatabasePath = Absolute(convert.newDatabaseFolder);
    TerminalView view(newDatabase, Absolute(convert.existingDatabase));
    ConversionRun run(*backends.mapi, WriterContext{state, *backends.notes, view});
    try {
        run.CmdConversion_Click();
    } catch (const ProgramEnding&) {
        return kFailure;
    }
    if (!view.Completed())
        return kFailure;
    ReportProblems(run.Summary());
    if (!convert.reportFile.empty())
        WriteReportFile(run.Summary(), convert.reportFile);
    // Only a conversion in which everything selected arrived whole succeeds.
    return run.Summary().AllWhole() ? kSuccess : kFailure;
}

}  // namespace varnemo::cli
