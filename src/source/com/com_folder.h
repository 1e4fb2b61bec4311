#pragma once

#include "com/collection.h"
#include "source/mapi.h"

namespace varnemo::mapi::com {

class ComFolder : public mapi::Folder {
public:
    explicit ComFolder(varnemo::com::Object folder) : folder_(std::move(folder)) {}

    std::string Name() override { return folder_.GetText("Name"); }
    std::string EntryID() override { return folder_.GetText("EntryID"); }
    std::string DefaultMessageClass() override { return folder_.GetText("DefaultMessageClass"); }
    std::unique_ptr<mapi::Folders> GetFolders() override;
    std::unique_ptr<mapi::Items> GetItems() override;

private:
    varnemo::com::Object folder_;
};

class ComFolders : public mapi::Folders {
public:
    explicit ComFolders(varnemo::com::Object folders) : folders_(std::move(folders), "RDOFolder") {}
    long Count() override { return folders_.Count(); }
    std::unique_ptr<Folder> Item(long index) override { return std::make_unique<ComFolder>(folders_.Item(index)); }

private:
    varnemo::com::Collection folders_;
};

}  // namespace varnemo::mapi::com
