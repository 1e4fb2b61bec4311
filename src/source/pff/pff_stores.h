#pragma once

#include "source/mapi.h"
#include "source/pff/pff_file.h"
#include "source/pff/recent_data_file.h"

#include <filesystem>
#include <memory>
#include <vector>

namespace varnemo::mapi::pff {

// The stores of a session: one for each data file of the profile, then those added. A data file
// is opened when its store is first asked for, so one damaged file does not keep the others from
// being listed; it fails (ComponentError) when its store is asked for.
class PffStores : public mapi::Stores {
public:
    PffStores() = default;
    // Data files are opened through recent, which the sessions of one component share.
    PffStores(const std::vector<std::filesystem::path>& dataFiles, std::shared_ptr<RecentDataFile> recent);
    // The stores of a session whose profile folder cannot be listed: data files opened by their
    // path still work; listing the profile's stores fails with the cause.
    static PffStores WithoutProfile(std::string cause, std::shared_ptr<RecentDataFile> recent);

    long Count() override;
    std::unique_ptr<mapi::Store> Item(long index) override;
    // Opens the store named by any store entry id, whether or not it belongs to this session.
    std::unique_ptr<mapi::Store> GetStoreFromID(const std::string& entryId) override;
    // Adds any PST or OST file; adding a file twice gives its store once.
    std::unique_ptr<mapi::Store> AddPSTStore(const std::string& path) override;
    // Opens from now on end early once request is made (WorkStopped).
    void StopOpensOn(const StopRequest& request) { stopOpens_ = &request; }

private:
    struct Entry {
        std::filesystem::path path;
        std::shared_ptr<const PffFile> file;  // empty until first used
    };

    std::shared_ptr<const PffFile> FileOf(Entry& entry);
    Entry* Find(const std::filesystem::path& path);

    std::shared_ptr<const PffFile> OpenFile(const std::filesystem::path& path);

    std::vector<Entry> entries_;
    std::string profileError_;
    std::shared_ptr<RecentDataFile> recent_;
    const StopRequest* stopOpens_ = nullptr;
};

}  // namespace varnemo::mapi::pff
