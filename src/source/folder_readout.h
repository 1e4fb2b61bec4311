#pragma once

#include "source/mapi.h"

#include <memory>
#include <string>

namespace varnemo {

// What the folder tree needs of one folder, read part by part, so that a part that fails (a
// damaged contents table, say) costs that part and not the folder's siblings.
struct FolderReadout {
    // Its display name, or a stand-in naming its place when the name cannot be read.
    std::string name;
    // Empty when it cannot be read.
    std::string entryId;
    std::string defaultMessageClass;
    // -1 when the items cannot be counted.
    long itemCount = -1;
    // Null when the sub-folders cannot be listed.
    std::unique_ptr<mapi::Folders> subFolders;
    long subFolderCount = 0;
    // The first failure, naming the file and folder; empty for a folder read whole.
    std::string error;

    bool Readable() const { return error.empty(); }
};

// Reads the sub-folder at this 1-based index of the collection. A failure of the component
// (ComponentError) is kept in the readout, also when the folder cannot be opened at all.
FolderReadout ReadSubFolder(mapi::Folders& folders, long index);

}  // namespace varnemo
