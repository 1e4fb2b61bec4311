#pragma once

#include "conversion/conversion_summary.h"

#include <string>

namespace varnemo::cli {

// The account of a convert over several data files, for its closing line: how many runs
// arrived whole, and the items of all of them by outcome.
class BatchTotal {
public:
    // A run that got to its completion message.
    void AddCompleted(const ConversionSummary& summary);
    // A run that stopped before its completion message (the data file or the target failed).
    void AddStopped() { ++stopped_; }

    // "Total: 4 data files, 3 converted whole, 1 not whole, 1 stopped; 12 items converted, ..."
    std::string Line() const;

private:
    long whole_ = 0, notWhole_ = 0, stopped_ = 0;
    long converted_ = 0, convertedInPart_ = 0, notConverted_ = 0, skippedByDesign_ = 0, foldersNotRead_ = 0;
};

}  // namespace varnemo::cli
