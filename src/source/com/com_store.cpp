#include "source/com/com_store.h"

#include "source/com/com_folder.h"

namespace varnemo::mapi::com {

using varnemo::com::Variant;

std::unique_ptr<mapi::Folder> ComStore::TopFolder()
{
    return std::make_unique<ComFolder>(store_.CallObject("IPMRootFolder", "RDOFolder"));
}

std::unique_ptr<mapi::Folder> ComStore::GetFolderFromID(const std::string& entryId)
{
    return std::make_unique<ComFolder>(store_.CallObject("GetFolderFromID", "RDOFolder", Variant::Text(entryId)));
}

}  // namespace varnemo::mapi::com
