#pragma once

#include "source/mapi.h"
#include "source/pff/pff_stores.h"

#include <filesystem>
#include <memory>

namespace varnemo::mapi::pff {

// A session on a profile: the Outlook data files in one folder.
class PffSession : public mapi::Session {
public:
    // recent is shared by the sessions of one component (see RecentDataFile).
    PffSession(std::filesystem::path profileFolder, std::shared_ptr<RecentDataFile> recent);

    // Lists the profile's data files; a profile folder that does not exist gives no stores.
    void Logon() override;
    mapi::Stores& GetStores() override { return stores_; }
    std::unique_ptr<mapi::Store> GetStoreFromID(const std::string& entryId) override;
    // Forgets the stores; stores, folders and items already handed out stay usable.
    void Logoff() override;
    // Data files that libpff reads take long to open; the direct reader's open is quick.
    void StopOpensOn(const StopRequest& request) override;

private:
    std::filesystem::path profileFolder_;
    std::shared_ptr<RecentDataFile> recent_;
    PffStores stores_;
    const StopRequest* stopOpens_ = nullptr;
};

}  // namespace varnemo::mapi::pff
