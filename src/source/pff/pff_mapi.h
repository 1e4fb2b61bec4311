#pragma once

#include "source/mapi.h"
#include "source/pff/recent_data_file.h"

#include <filesystem>
#include <memory>

namespace varnemo::mapi::pff {

// The MAPI access component over libpff: a profile is a folder of Outlook data files
// (*.pst, *.ost), each of them one store.
class PffMapi : public mapi::Component {
public:
    explicit PffMapi(std::filesystem::path profileFolder = DefaultProfileFolder());

    // Where Outlook keeps its data files: $HOME/Documents/Outlook Files.
    static std::filesystem::path DefaultProfileFolder();

    std::unique_ptr<Session> CreateSession() override;
    // Its readers keep nothing tied to a thread.
    bool UsableFromAnyThread() const override { return true; }

private:
    std::filesystem::path profileFolder_;
    std::shared_ptr<RecentDataFile> recent_ = std::make_shared<RecentDataFile>();
};

}  // namespace varnemo::mapi::pff
