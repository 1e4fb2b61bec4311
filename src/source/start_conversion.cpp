#include "source/start_conversion.h"

namespace varnemo {

bool CollectSelectedFolders(const FolderTree& tree, ProgramState& state, Dialogs& dialogs)
{
    state.SelectedFolders = tree.SelectedFolders();
    state.LeftOutFolders = tree.LeftOutFolders();
    if (state.SelectedFolders.empty() || state.SelectedFolders.front().empty()) {
        dialogs.Message("Please Select Folders to Export", "Export Outlook Folders to Lotus Notes");
        return false;
    }
    return true;
}

}  // namespace varnemo
