#include "conversion/uncommitted_outcomes.h"

#include "common/errors.h"

#include <fmt/format.h>

namespace varnemo {
namespace {

// A commit costs about as much as writing a few small documents; gathering this many makes it
// vanish beside them, and an interrupted run loses little more than the item at hand.
constexpr std::size_t kItemsPerCommit = 200;
// Items with large attachments reach this first. The store's background checkpoint folds its log
// back only as far as the last commit: the sooner the commit, the more of the log it folds back
// while the conversion goes on, and the less is left for the end (100 MB of attachments convert
// about 5 % faster than with 100 ms).
constexpr auto kLongestHold = std::chrono::milliseconds(20);

}  // namespace

void UncommittedOutcomes::AddWhole(ConversionProblem item)
{
    Hold({std::move(item), true});
}

void UncommittedOutcomes::Add(ConversionProblem problem)
{
    Hold({std::move(problem), false});
}

void UncommittedOutcomes::Hold(Pending pending)
{
    if (pending_.empty())
        firstPending_ = std::chrono::steady_clock::now();
    pending_.push_back(std::move(pending));
}

void UncommittedOutcomes::CommitWhenDue()
{
    if (pending_.size() >= kItemsPerCommit ||
        (!pending_.empty() && std::chrono::steady_clock::now() - firstPending_ >= kLongestHold))
        Commit();
}

void UncommittedOutcomes::Commit()
{
    try {
        notes_.CommitSaved();
    } catch (const ComponentError& error) {
        const std::string failure = error.what();
        RecordAll(&failure);
        return;
    }
    RecordAll(nullptr);
}

void UncommittedOutcomes::RecordAll(const std::string* commitFailure)
{
    for (auto& [item, whole] : pending_) {
        const bool saved = whole || item.outcome == Outcome::ConvertedInPart;
        if (commitFailure && saved) {
            item.outcome = Outcome::NotConverted;
            item.reason = fmt::format("the saved document was not written: {}", *commitFailure);
            summary_.Record(std::move(item));
        } else if (whole) {
            summary_.RecordConverted();
        } else {
            summary_.Record(std::move(item));
        }
    }
    pending_.clear();
}

}  // namespace varnemo
