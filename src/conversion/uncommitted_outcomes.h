#pragma once

#include "conversion/conversion_summary.h"
#include "notes/notes.h"

#include <chrono>
#include <vector>

namespace varnemo {

// The outcomes of the items whose documents the Notes component holds back until its next commit
// (notes::Component::HoldSaves): they reach the summary once the commit has written the
// documents. Should it fail, every item whose document was saved is recorded as not converted,
// with the reason; the others keep their outcome.
class UncommittedOutcomes {
public:
    UncommittedOutcomes(notes::Component& notes, ConversionSummary& summary) : notes_(notes), summary_(summary) {}

    // An item whose document was saved whole; `item` names it (its outcome is not read).
    void AddWhole(ConversionProblem item);
    // An item that was converted in part or not at all.
    void Add(ConversionProblem problem);
    // Commits once enough items or time have gathered since the last commit.
    void CommitWhenDue();
    // Commits every document saved so far and records the outcomes of their items.
    void Commit();

private:
    struct Pending {
        ConversionProblem item;
        bool whole = false;
    };

    void Hold(Pending pending);
    void RecordAll(const std::string* commitFailure);

    notes::Component& notes_;
    ConversionSummary& summary_;
    std::vector<Pending> pending_;
    std::chrono::steady_clock::time_point firstPending_;
};

}  // namespace varnemo
