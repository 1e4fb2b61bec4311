#include "conversion/conversion_summary.h"

#include "common/text.h"
#include "source/reading_note.h"

#include <fmt/format.h>

#include <algorithm>

namespace varnemo {
namespace {

std::string Count(long count, const char* one, const char* many)
{
    return fmt::format("{} {}", count, count == 1 ? one : many);
}

std::string Items(long count)
{
    return Count(count, "item", "items");
}

std::string Headline(const ConversionSummary& summary)
{
    if (summary.stoppedByUser())
        return "The conversion was stopped by the user.";
    if (summary.converted() + summary.convertedInPart() + summary.alreadyThere() == 0)
        return "No item was exported to the Lotus Notes Mailbox.";
    if (summary.AllWhole())
        return "Outlook Mailbox Exported Successfully to Lotus Notes Mailbox.";
    return "Outlook Mailbox Exported to Lotus Notes Mailbox, but not everything arrived whole.";
}

}  // namespace

const char* OutcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::ConvertedInPart:
        return "converted in part";
    case Outcome::NotConverted:
        return "not converted";
    case Outcome::SkippedByDesign:
        return "skipped by design";
    case Outcome::FolderNotRead:
        return "folder not read";
    }
    return "not converted";
}

void ConversionSummary::Record(ConversionProblem problem)
{
    switch (problem.outcome) {
    case Outcome::ConvertedInPart:
        ++convertedInPart_;
        break;
    case Outcome::NotConverted:
        ++notConverted_;
        break;
    case Outcome::SkippedByDesign:
        skippedByDesign_ += std::max(problem.items, 0L);
        break;
    case Outcome::FolderNotRead:
        ++foldersNotRead_;
        break;
    }
    problems_.push_back(std::move(problem));
}

void ConversionSummary::RecordFallbackRead(std::string dataFile, std::string reason, bool pastDamage)
{
    fallbackReads_.push_back({std::move(dataFile), std::move(reason), pastDamage});
}

void ConversionSummary::RecordDamageReadAround(std::string dataFile, std::string what)
{
    damageReadAround_.push_back({std::move(dataFile), std::move(what)});
}

std::string ItemCaption(const std::string& subjectOrName)
{
    return TrimBlanks(subjectOrName).empty() ? "(no subject)" : subjectOrName;
}

std::string CompletionText(const ConversionSummary& summary, const std::string& targetDatabasePath,
                           const std::string& namesDbPath)
{
    std::string text = Headline(summary) + "\r\n";
    for (const auto* path : {&targetDatabasePath, &namesDbPath})
        if (!path->empty())
            text += *path + "\r\n";
    text += fmt::format("{} converted{}.", Items(summary.converted()),
                        summary.stoppedByUser() ? " before it stopped" : "");
    if (summary.alreadyThere() > 0)
        text += fmt::format(" {} already in the database (not added again).", Items(summary.alreadyThere()));
    if (summary.convertedInPart() > 0)
        text += fmt::format(" {} converted in part.", Items(summary.convertedInPart()));
    if (summary.notConverted() > 0)
        text += fmt::format(" {} could not be converted.", Items(summary.notConverted()));
    if (summary.foldersNotRead() > 0)
        text += fmt::format(" {} could not be read.", Count(summary.foldersNotRead(), "folder", "folders"));
    if (summary.skippedByDesign() > 0)
        text += fmt::format(" {} not converted by design (kinds of items that the conversion does not take).",
                            Items(summary.skippedByDesign()));
    for (const auto& read : summary.fallbackReads())
        text += " " + FallbackReadSentence(read.reason, read.pastDamage);
    for (const auto& damage : summary.damageReadAround())
        text += " " + DamageReadAroundSentence(damage.what);
    return text;
}

}  // namespace varnemo
