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
    std::string fallbackReason;    // why libpff read the file; empty when the direct reader did
    std::string damageReadAround;  // what damage the file was read around; empty for none
};

// Adds the data file to a new session, builds its tree and closes the session again. Throws
// ComponentError naming the file when it cannot be opened, and WorkStopped when stop is requested
// while an open that takes long (libpff's) is under way.
OpenedDataFile OpenDataFile(mapi::Component& mapi, const std::string& path, const StopRequest* stop = nullptr);

// Standard error's word on a data file that was not read as it stands, for every command alike.
void SayFallbackRead(const std::string& dataFile, const std::string& reason);
void SayDamageReadAround(const std::string& dataFile, const std::string& what);

}  // namespace varnemo::cli
