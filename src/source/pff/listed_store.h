#pragma once

#include "source/mapi.h"
#include "source/pff/recent_data_file.h"

#include <filesystem>
#include <memory>

namespace varnemo::mapi::pff {

// A store of the profile as the list of configured stores needs it: its name is read from the
// message store's node alone and its entry id from its path, so that listing a profile does not
// read every data file's whole index. A file in a format that only libpff reads is named after
// the file; any other is opened in full only when the name cannot be read that way (damage), or
// when its folders are asked for.
class ListedStore : public mapi::Store {
public:
    // Its opens end early once stop, when given, is requested.
    ListedStore(std::filesystem::path dataFile, std::shared_ptr<RecentDataFile> recent, const StopRequest* stop);

    std::string Name() override;
    std::string EntryID() override;
    std::string QualifyingText() override { return PstPath(); }
    std::unique_ptr<mapi::Folder> TopFolder() override;
    std::string PstPath() override { return dataFile_.string(); }
    std::unique_ptr<mapi::Folder> GetFolderFromID(const std::string& entryId) override;

private:
    mapi::Store& Opened();

    std::filesystem::path dataFile_;
    std::shared_ptr<RecentDataFile> recent_;
    const StopRequest* stop_;
    std::unique_ptr<mapi::Store> opened_;
};

}  // namespace varnemo::mapi::pff
