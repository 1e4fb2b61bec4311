#pragma once

#include "common/program_state.h"
#include "shell/dialogs.h"
#include "source/folder_tree.h"

namespace varnemo {

// Hands the ticked folders of the tree to the conversion: fills SelectedFolders, and
// LeftOutFolders with what the conversion cannot take of the store, and returns true when at
// least one folder is ticked; otherwise says "Please Select Folders to Export" and returns false.
// The store's own node never counts.
bool CollectSelectedFolders(const FolderTree& tree, ProgramState& state, Dialogs& dialogs);

}  // namespace varnemo
