#include "conversion/conversion_report.h"

#include <fmt/ostream.h>

namespace varnemo {
namespace {

// Tabs and line breaks inside a value would break the columns.
std::string Cell(std::string text)
{
    for (auto& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}

std::string Position(const ConversionProblem& problem)
{
    return problem.position > 0 ? std::to_string(problem.position) : std::string();
}

// A whole folder, with its items when they could be counted.
std::string WholeFolder(const ConversionProblem& problem)
{
    if (problem.items < 0)
        return "(whole folder)";
    return fmt::format("(whole folder: {} {})", problem.items, problem.items == 1 ? "item" : "items");
}

}  // namespace

void WriteConversionReport(const ConversionSummary& summary, std::ostream& out)
{
    if (summary.stoppedByUser())
        fmt::print(out, "Stopped by the user before the end: the items it had not reached are not listed.\n");
    fmt::print(out, "Items converted: {}\n", summary.converted());
    fmt::print(out, "Items already in the database: {}\n", summary.alreadyThere());
    fmt::print(out, "Items converted in part: {}\n", summary.convertedInPart());
    fmt::print(out, "Items not converted: {}\n", summary.notConverted());
    fmt::print(out, "Items skipped by design: {}\n", summary.skippedByDesign());
    fmt::print(out, "Folders not read: {}\n", summary.foldersNotRead());
    for (const auto& read : summary.fallbackReads())
        fmt::print(out, "Read by the fallback reader (libpff): {}\t{}\n", Cell(read.dataFile), Cell(read.reason));
    for (const auto& damage : summary.damageReadAround())
        fmt::print(out, "Damage read around: {}\t{}\n", Cell(damage.dataFile), Cell(damage.what));
    fmt::print(out, "\n");
    fmt::print(out, "Folder\tPosition\tItem\tEntry ID\tOutcome\tReason\n");
    for (const auto& problem : summary.problems()) {
        const auto item = problem.position > 0 ? problem.item : WholeFolder(problem);
        fmt::print(out, "{}\t{}\t{}\t{}\t{}\t{}\n", Cell(problem.folder), Position(problem), Cell(item), problem.id,
                   OutcomeName(problem.outcome), Cell(problem.reason));
    }
}

void WriteStopReason(const std::string& reason, std::ostream& out)
{
    fmt::print(out, "Stopped: {}\n", Cell(reason));
}

// One line for the terminal: where, what, how it ended and why.
std::string ProblemLine(const ConversionProblem& problem)
{
    const auto folder = problem.folder.empty() ? std::string("(top folder)") : problem.folder;
    if (problem.position == 0)
        return fmt::format("{} {}: {}: {}", folder, WholeFolder(problem), OutcomeName(problem.outcome), problem.reason);
    return fmt::format("{}, item {} \"{}\": {}: {}", folder, problem.position, problem.item,
                       OutcomeName(problem.outcome), problem.reason);
}

}  // namespace varnemo
