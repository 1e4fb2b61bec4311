#include "source/folder_readout.h"

#include <fmt/format.h>

namespace varnemo {
namespace {

// Runs one read; its failure is kept as the readout's error unless an earlier one was.
template <class Read>
void Keep(FolderReadout& readout, Read&& read)
{
    try {
        read();
    } catch (const ComponentError& error) {
        if (readout.error.empty())
            readout.error = error.what();
    }
}

void ReadParts(mapi::Folder& folder, FolderReadout& readout)
{
    Keep(readout, [&] { readout.name = folder.Name(); });
    Keep(readout, [&] { readout.entryId = folder.EntryID(); });
    Keep(readout, [&] { readout.defaultMessageClass = folder.DefaultMessageClass(); });
    Keep(readout, [&] { readout.itemCount = folder.GetItems()->Count(); });
    Keep(readout, [&] {
        auto subFolders = folder.GetFolders();
        readout.subFolderCount = subFolders->Count();
        readout.subFolders = std::move(subFolders);
    });
}

}  // namespace

FolderReadout ReadSubFolder(mapi::Folders& folders, long index)
{
    FolderReadout readout;
    // Stays when the name cannot be read: the position is all that is known of such a folder.
    readout.name = fmt::format("Unnamed folder {}", index);
    std::unique_ptr<mapi::Folder> folder;
    Keep(readout, [&] { folder = folders.Item(index); });
    if (folder)
        ReadParts(*folder, readout);
    return readout;
}

}  // namespace varnemo
