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

// The folder nodes with this path; two folders of one parent may share a name.
std::vector<size_t> NodesAt(const FolderTree& tree, const std::string& path)
{
    std::vector<size_t> numbers;
    for (size_t number = 2; number <= tree.Count(); ++number)
        if (FolderPath(tree.Node(number)) == path)
            numbers.push_back(number);
    return numbers;
}

// Says which asked-for paths name no folder, and which name a folder that cannot be read;
// true when every one can be converted. An unreadable folder is refused as a missing one is,
// before the target is touched: the user asked for exactly these folders, and a database
// holding only some of them is not what was asked for. Dropping it from the list and running
// again converts the rest.
bool AllConvertible(const FolderTree& tree, const std::vector<std::string>& paths, const std::string& dataFile)
{
    std::vector<std::string> unmatched;
    bool readable = true;
    for (const auto& path : paths) {
        const auto numbers = NodesAt(tree, path);
        if (numbers.empty())
            unmatched.push_back(path);
        for (const size_t number : numbers) {
            if (!tree.Node(number).Readable()) {
                fmt::print(stderr, "Folder {} cannot be read: {}\n", path, tree.Node(number).error);
                readable = false;
            }
        }
    }
    if (!unmatched.empty())
        fmt::print(stderr, "No folder {} in {}; `varnemo-cli folders` lists them.\n", fmt::join(unmatched, ", "),
                   dataFile);
    return readable && unmatched.empty();
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
        if (!AllConvertible(opened.tree, convert.folders, convert.dataFile))
            return kUsageError;
        TickOnly(opened.tree, convert.folders);
    }

    ProgramState state;
    state.LoadExcludeFromViewValues();
    state.OutlookStoreID = opened.storeId;
    state.SelectedFolders = opened.tree.SelectedFolders();
    // A conversion of named folders takes nothing else of the file, so what else the file holds,
    // readable or not, is none of its business; a named folder that cannot be read was refused.
    if (convert.folders.empty())
        state.LeftOutFolders = opened.tree.LeftOutFolders();
    const bool newDatabase = !convert.newDatabaseFolder.empty();
    state.TargetDatabasePath = Absolute(convert.newDatabaseFolder);
    TerminalView view(newDatabase, Absolute(convert.existingDatabase));
    ConversionRun run(*backends.mapi, WriterContext{state, *backends.notes, view},
                      ConversionOptions{convert.duplicates});
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
