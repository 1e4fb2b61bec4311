#pragma once

#include <array>
#include <string>
#include <vector>

namespace varnemo {

// A folder of the mailbox whose items the conversion cannot take, found while the folder tree
// was built: it could not be read, or it holds items of a kind that is not converted (the top
// folder's own items, a folder of a class the tree does not show).
struct LeftOutFolder {
    enum class Why { Unreadable, NotConverted };
    std::string path;
    Why why = Why::Unreadable;
    // What went wrong, or which kind of item is not converted.
    std::string reason;
    // Its items, or -1 when they could not be counted.
    long items = -1;

    bool operator==(const LeftOutFolder&) const = default;
};

// The values that live for the whole program and travel between the windows, the conversion
// run and the writers. main() makes one; a test makes a fresh one.
struct ProgramState {
    // Entry identifier of the source store whose folder tree is on screen.
    std::string OutlookStoreID;
    // Tags ("entry id#folder path") of the ticked folders in tree order, then empty entries.
    std::vector<std::string> SelectedFolders;
    // Handed over with SelectedFolders, so that the run accounts for their items.
    std::vector<LeftOutFolder> LeftOutFolders;
    // Full path of the target Notes mail database (for a new database, first the picked folder).
    std::string TargetDatabasePath;
    // For a new database, first its folder and then the full path of the new address book.
    std::string NamesDbPath;
    // Stored as the text list excludeFromView on memos, calendar entries and tasks.
    std::array<std::string, 2> ExcludeFromViewValues;

    // The target window fills the fixed list when it loads.
    void LoadExcludeFromViewValues();
    // The same values as the text list that the writers store.
    std::vector<std::string> ExcludeFromViewList() const;
};

}  // namespace varnemo
