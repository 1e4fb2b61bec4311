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

}  // namespace

void WriteConversionReport(const ConversionSummary& summary, std::ostream& out)
{
    fmt::print(out, "Items converted: {}\nItems not converted: {}\n\n", summary.converted, summary.failed);
    fmt::print(out, "Folder\tItem\tOutcome\tReason\n");
    for (const auto& problem : summary.problems) {
        const char* outcome = problem.item.empty() ? "folder not read" : problem.itemLost ? "not converted" : "converted in part";
        fmt::print(out, "{}\t{}\t{}\t{}\n", Cell(problem.folder), Cell(problem.item), outcome, Cell(problem.reason));
    }
}

}  // namespace varnemo
