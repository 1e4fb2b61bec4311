#pragma once

#include "com/object.h"
#include "source/mapi.h"

namespace varnemo::mapi::com {

class ComStore : public mapi::Store {
public:
    explicit ComStore(varnemo::com::Object store) : store_(std::move(store)) {}

    std::string Name() override { return store_.GetText("Name"); }
    std::string EntryID() override { return store_.GetText("EntryID"); }
    // Every store with a display name is offered, Exchange mailboxes as well as data files.
    std::string QualifyingText() override { return Name(); }
    // The root of the mail subtree (IPMRootFolder).
    std::unique_ptr<mapi::Folder> TopFolder() override;
    // Only a store of a data file (RDOPstStore) has one; for others the component's failure
    // says so.
    std::string PstPath() override { return store_.GetText("PstPath"); }
    std::unique_ptr<mapi::Folder> GetFolderFromID(const std::string& entryId) override;

private:
    varnemo::com::Object store_;
};

}  // namespace varnemo::mapi::com
