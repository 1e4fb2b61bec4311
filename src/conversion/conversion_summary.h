#pragma once

#include <string>
#include <vector>

namespace varnemo {

// Something of the mailbox that did not arrive whole: an item that was not converted, an item
// saved without some of its parts, or a folder that could not be read.
struct ConversionProblem {
    std::string folder;   // the folder's path in the mailbox
    std::string item;     // the item's caption (subject or name); empty for a whole folder
    std::string reason;
    bool itemLost = true;  // false when the item was saved, but not whole
};

struct ConversionSummary {
    long converted = 0;
    long failed = 0;
    std::vector<ConversionProblem> problems;
};

// The completion message: the fixed success text when anything was converted, then the two
// database paths, then how many items were converted and how many failed.
std::string CompletionText(const ConversionSummary& summary, const std::string& targetDatabasePath,
                           const std::string& namesDbPath);

}  // namespace varnemo
