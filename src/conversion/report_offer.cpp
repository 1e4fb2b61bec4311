#include "conversion/report_offer.h"

#include "conversion/conversion_report.h"

#include <fstream>

namespace varnemo {

void OfferConversionReport(const ConversionSummary& summary, Dialogs& dialogs)
{
    if (summary.problems().empty())
        return;
    const char* question = summary.AllWhole()
                               ? "Some items are of kinds that are not converted. Save a report of them?"
                               : "Not everything arrived whole. Save a report of what did not, with the reasons?";
    if (!dialogs.Ask(question, "Kestrova Varnemo"))
        return;
    const std::string path = dialogs.SaveFile({"Conversion report (*.txt)", "*.txt"});
    if (path.empty())
        return;
    std::ofstream out(path, std::ios::trunc);
    WriteConversionReport(summary, out);
    out.close();
    if (!out)
        dialogs.Message("The report could not be written to " + path + ".", "Kestrova Varnemo");
}

}  // namespace varnemo
