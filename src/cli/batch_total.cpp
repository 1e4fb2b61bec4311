#include "cli/batch_total.h"

#include <fmt/format.h>

namespace varnemo::cli {

void BatchTotal::AddCompleted(const ConversionSummary& summary)
{
    ++(summary.AllWhole() ? whole_ : notWhole_);
    converted_ += summary.converted();
    convertedInPart_ += summary.convertedInPart();
    notConverted_ += summary.notConverted();
    skippedByDesign_ += summary.skippedByDesign();
    foldersNotRead_ += summary.foldersNotRead();
}

std::string BatchTotal::Line() const
{
    const long files = whole_ + notWhole_ + stopped_;
    return fmt::format("Total: {} data files, {} converted whole, {} not whole, {} stopped; {} items converted, {} "
                       "converted in part, {} not converted, {} skipped by design; {} folders not read.",
                       files, whole_, notWhole_, stopped_, converted_, convertedInPart_, notConverted_,
                       skippedByDesign_, foldersNotRead_);
}

}  // namespace varnemo::cli
