#pragma once

#include <string>

namespace varnemo {

// What opening a store and showing its folders need of the main window. The desktop program
// implements it with widgets, tests in memory.
class SourceView {
public:
    virtual ~SourceView() = default;
    // CmdStartConversion.
    virtual void SetStartConversionEnabled(bool enabled) = 0;
    // CmbOutlookStores.
    virtual void SetStoreListEnabled(bool enabled) = 0;
    virtual void AddStoreEntry(const std::string& entryText) = 0;
    // The entry text of the chosen store; empty while none is chosen.
    virtual std::string StoreListText() = 0;
    // Shows no store as chosen, as before the first pick.
    virtual void ClearStoreChoice() = 0;
    // The data file path in txtNotesDatabaseFile.
    virtual std::string DataFilePath() = 0;
    // Enables the " Mailbox Preview" tab and makes it the selected tab.
    virtual void ShowPreviewTab() = 0;
    // Lets the window system process pending events (repaints, clicks).
    virtual void Yield() = 0;
    // While a data file is opened away from the window: how many folders were read so far, and
    // a way to cancel (StoreDiscovery::CancelOpening). Called again as the count grows.
    virtual void ShowOpening(long foldersSoFar) = 0;
    // The same while the configured mailboxes are listed: how many were read so far.
    virtual void ShowListing(long mailboxesSoFar) = 0;
    // The open or the listing has ended, whichever way: the window shows neither any more.
    virtual void OpeningEnded() = 0;
};

}  // namespace varnemo
