#pragma once

#include "common/program_state.h"
#include "common/stop_request.h"
#include "shell/dialogs.h"
#include "source/folder_tree.h"
#include "source/mailbox_folders.h"
#include "source/logged_on_session.h"
#include "source/mapi.h"
#include "source/source_view.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnemo {

// The message-box title of the main window's messages.
inline constexpr const char* kProgramTitle = "Kestrova Varnemo";
// Shown, with the cause, when no session of the MAPI access component can be created or logged on.
inline constexpr const char* kOutlookNotConfigured = "Outlook NOT installed or configured properly.";

// Opens the Outlook source the user wants to convert, on one of three roads: listing the
// configured stores (A), showing the folders of the store picked from that list (B), or opening
// another data file and showing its folders (C).
//
// The window's events are processed while a folder tree is built, so a click can arrive in the
// middle of a road; such a click is ignored until the road has ended, because a second build
// would pull the tree away from under the first. Where the MAPI component allows it, every road
// reads its store on a thread of its own, so that a large one does not freeze the window.
class StoreDiscovery {
public:
    StoreDiscovery(mapi::Component& mapi, ProgramState& state, FolderTree& tree, SourceView& view, Dialogs& dialogs)
        : mapi_(mapi), state_(state), tree_(tree), view_(view), dialogs_(dialogs), folders_(mapi, state, tree, view)
    {
    }

    // Road A: appends every qualifying store of the default profile to the store list.
    void CmdExportConfigured_Click();
    // Road B: shows the folders of the store chosen in the store list.
    void CmbOutlookStores_Click();
    // Road C: opens the data file named in the path box and shows its folders.
    void CmdExportOther_Click();

    bool Busy() const { return busy_; }
    // Drops a store being opened away from the window: a data file leaves the window as before
    // the open, a picked store leaves no tree and no choice, a listing leaves the list as it was.
    void CancelOpening() { cancel_.Request(); }

private:
    // A store read off the window's thread, not yet shown.
    struct OpenedStore {
        bool qualifies = false;
        std::string storeId;
        FolderTree tree;
        std::string readingNote;  // ReadingNote of the store
    };

    // A logged-on session whose opens of data files Cancel can stop, or nothing once the user
    // has been told that Outlook is missing.
    std::optional<LoggedOnSession> LogOnOrTell();
    // Called by work on another thread with the count of what it has read so far; throws
    // WorkStopped once the user has cancelled.
    using Progress = std::function<void(long countSoFar)>;
    // The texts of the store list's entries, one for every qualifying store of the profile;
    // WorkStopped when the user cancels.
    std::vector<std::string> ListStores(mapi::Stores& stores);
    // The same, calling afterEach with the count of stores read so far.
    static std::vector<std::string> StoreEntries(mapi::Stores& stores, const Progress& afterEach);
    // Each returns the ReadingNote of the store it showed.
    std::string PickStore(const std::string& entry);
    std::string PickStoreInBackground(const std::string& entry);
    std::string OpenDataFile(mapi::Session& session, const std::string& path);
    // The same on a thread of its own, for a component that allows it.
    std::string OpenDataFileInBackground(mapi::Session& session, const std::string& path);
    // Tells the user, once the tree is shown, that the store named so was not read as it stands.
    void TellReadingNote(const std::string& shownName, const std::string& note);
    // Opens a store and, when it is wanted, reads its folder tree on a thread of its own: the
    // window stays alive, shows the folders read so far and can cancel (WorkStopped); the tree
    // changes only once the caller adopts the result.
    OpenedStore ReadInBackground(const std::function<std::unique_ptr<mapi::Store>()>& open,
                                 const std::function<bool(mapi::Store&)>& wanted);
    // Runs work on a thread of its own while the window shows (show) the count that work reports
    // and can cancel; WorkStopped when the user did.
    void RunCancellable(const std::function<void(const Progress&)>& work, const std::function<void(long)>& show);
    void Adopt(OpenedStore&& opened);
    // After a failed open or pick: no tree and no store that a conversion could take for the
    // one the user asked for.
    void ForgetStore();

    mapi::Component& mapi_;
    ProgramState& state_;
    FolderTree& tree_;
    SourceView& view_;
    Dialogs& dialogs_;
    MailboxFolders folders_;
    bool busy_ = false;
    StopRequest cancel_;
};

}  // namespace varnemo
