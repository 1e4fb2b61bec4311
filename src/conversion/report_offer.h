#pragma once

#include "conversion/conversion_summary.h"
#include "shell/dialogs.h"

namespace varnemo {

// After the completion message of a run in which some items did not arrive whole, or were not
// taken: asks whether to save a report of them, and writes it where the user says.
void OfferConversionReport(const ConversionSummary& summary, Dialogs& dialogs);

}  // namespace varnemo
