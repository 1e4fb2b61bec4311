#pragma once

#include "source/mapi.h"
#include "source/pff/pff_file.h"
#include "source/pff/property_bag.h"

#include <memory>
#include <string>

namespace varnemo::mapi::pff {

// The message store of one data file.
class PffStore : public mapi::Store {
public:
    explicit PffStore(std::shared_ptr<const PffFile> file);

    std::string Name() override;
    std::string EntryID() override;
    // The data file's path: every data file is offered to the user.
    std::string QualifyingText() override { return PstPath(); }
    // The IPM subtree ("Top of Personal Folders"). Without the message store, which names it, the
    // root folder's sub-folder that has the most sub-folders: the IPM subtree holds the mailbox's
    // folders, the root's other sub-folders (search roots, views) few or none.
    std::unique_ptr<mapi::Folder> TopFolder() override;
    std::string PstPath() override { return file_->path().string(); }
    std::string FallbackReason() override { return file_->fallbackReason(); }
    bool ReadPastDamage() override { return file_->readPastDamage(); }
    std::string DamageReadAround() override;
    // Accepts the entry ids that the store's folders hand out; throws ComponentError for an id of
    // another store, a malformed id, or a node that is not a folder.
    std::unique_ptr<mapi::Folder> GetFolderFromID(const std::string& entryId) override;

private:
    std::shared_ptr<const PffFile> file_;
    PropertyBag properties_;
};

}  // namespace varnemo::mapi::pff
