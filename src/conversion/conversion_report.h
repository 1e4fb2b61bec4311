#pragma once

#include "conversion/conversion_summary.h"

#include <ostream>

namespace varnemo {

// A plain-text account of a conversion for the administrator: the counts, then one line per
// item that did not arrive whole and per folder that could not be read (folder, item, reason),
// tab-separated so that a spreadsheet opens it as it is.
void WriteConversionReport(const ConversionSummary& summary, std::ostream& out);

}  // namespace varnemo
