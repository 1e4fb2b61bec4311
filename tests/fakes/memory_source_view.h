#pragma once

#include "source/source_view.h"

#include <functional>
#include <string>
#include <vector>

namespace varnemo::testing {

// The main window's source controls in memory, starting as the window opens: the start button
// disabled, the store list enabled and empty, the second tab disabled and not selected.
class MemorySourceView : public SourceView {
public:
    bool startConversionEnabled = false;
    bool storeListEnabled = true;
    std::vector<std::string> storeEntries;
    int chosenEntry = -1;  // index into storeEntries; -1 while none is chosen
    std::string dataFilePath;
    bool previewTabShown = false;
    int yields = 0;
    std::vector<long> openingShown;
    std::vector<long> listingShown;
    bool openingEnded = false;
    // Runs inside every yield, as a click arriving in the middle of a build would.
    std::function<void()> duringYield;

    void SetStartConversionEnabled(bool enabled) override { startConversionEnabled = enabled; }
    void SetStoreListEnabled(bool enabled) override { storeListEnabled = enabled; }
    void AddStoreEntry(const std::string& entryText) override { storeEntries.push_back(entryText); }
    std::string StoreListText() override
    {
        return chosenEntry < 0 ? std::string() : storeEntries.at(static_cast<size_t>(chosenEntry));
    }
    void ClearStoreChoice() override { chosenEntry = -1; }
    std::string DataFilePath() override { return dataFilePath; }
    void ShowPreviewTab() override { previewTabShown = true; }
    void ShowOpening(long foldersSoFar) override { openingShown.push_back(foldersSoFar); }
    void ShowListing(long mailboxesSoFar) override { listingShown.push_back(mailboxesSoFar); }
    void OpeningEnded() override { openingEnded = true; }
    void Yield() override
    {
        ++yields;
        if (duringYield)
            duringYield();
    }
};

}  // namespace varnemo::testing
