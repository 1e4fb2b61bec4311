#include "source/com/com_folder.h"

#include "source/com/com_item.h"

namespace varnemo::mapi::com {

std::unique_ptr<mapi::Folders> ComFolder::GetFolders()
{
    return std::make_unique<ComFolders>(folder_.CallObject("Folders", "RDOFolders"));
}

std::unique_ptr<mapi::Items> ComFolder::GetItems()
{
    return std::make_unique<ComItems>(folder_.CallObject("Items", "RDOItems"));
}

}  // namespace varnemo::mapi::com
