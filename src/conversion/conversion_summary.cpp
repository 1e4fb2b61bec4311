#include "conversion/conversion_summary.h"

#include <fmt/format.h>

namespace varnemo {
namespace {

std::string Items(long count)
{
    return fmt::format("{} {}", count, count == 1 ? "item" : "items");
}

}  // namespace

std::string CompletionText(const ConversionSummary& summary, const std::string& targetDatabasePath,
                           const std::string& namesDbPath)
{
    const std::string headline = summary.converted > 0 ? "Outlook Mailbox Exported Successfully to Lotus Notes Mailbox."
                                                       : "No item was exported to the Lotus Notes Mailbox.";
    std::string text = headline + "\r\n" + targetDatabasePath + "\r\n" + namesDbPath + "\r\n";
    text += fmt::format("{} converted.", Items(summary.converted));
    if (summary.failed > 0)
        text += fmt::format(" {} could not be converted.", Items(summary.failed));
    return text;
}

}  // namespace varnemo
