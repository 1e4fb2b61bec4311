#pragma once

#include "conversion/conversion_summary.h"

#include <ostream>
#include <string>

namespace varnemo {

// A plain-text account of a conversion for the administrator: the count of every outcome, then
// one line per item or folder that did not arrive whole (folder, position, item, entry id,
// outcome, reason), tab-separated so that a spreadsheet opens it as it is.
void WriteConversionReport(const ConversionSummary& summary, std::ostream& out);

// The first line of the account of a run that stopped before its completion message (its data
// file could not be opened, its target could not be made, ...): why. What the run had done by
// then, when it got as far as a run, follows as WriteConversionReport writes it.
void WriteStopReason(const std::string& reason, std::ostream& out);

// One problem as one line of text: folder, position and item, outcome, reason.
std::string ProblemLine(const ConversionProblem& problem);

}  // namespace varnemo
