#pragma once

#include "common/stop_request.h"
#include "source/folder_tree.h"
#include "source/mapi.h"

#include <string>

namespace varnemo::cli {

// A data file opened as a store, with its folder tree as the main window would show it.
struct OpenedDataFile {
    std::string storeId;
    std::string storeName;
    FolderTree tree;  // every node ticked
};

// Adds the data file to a new session, builds its tree and closes the session again. Throws
// ComponentError naming the file when it cannot be opened, and WorkStopped when stop is requested
// while an open that takes long (libpff's) is under way.
OpenedDataFile OpenDataFile(mapi::Component& mapi, const std::string& path, const StopRequest* stop = nullptr);

}  // namespace varnemo::cli
