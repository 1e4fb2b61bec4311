#pragma once

#include "common/program_state.h"
#include "source/folder_tree.h"
#include "source/mapi.h"
#include "source/source_view.h"

namespace varnemo {

// Fills the folder tree from a store, ending with every node ticked: a configured store chosen
// in the store list, or a data file that the caller has opened already.
class MailboxFolders {
public:
    MailboxFolders(mapi::Component& mapi, ProgramState& state, FolderTree& tree, SourceView& view)
        : mapi_(mapi), state_(state), tree_(tree), view_(view) {}

    // Opens its own session, takes OutlookStoreID from the chosen store entry and rebuilds the
    // tree from that store. Throws ComponentError; the nodes added until then stay, unticked.
    void ShowMailboxFolders();

    // Rebuilds the tree from a store that the caller holds open. Throws ComponentError.
    void ShowPSTFolders(mapi::Store& store);

private:
    void Build(mapi::Store& store);

    mapi::Component& mapi_;
    ProgramState& state_;
    FolderTree& tree_;
    SourceView& view_;
};

}  // namespace varnemo
