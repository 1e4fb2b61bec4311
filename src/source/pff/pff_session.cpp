#include "source/pff/pff_session.h"

#include "source/pff/profile_data_files.h"

namespace varnemo::mapi::pff {

PffSession::PffSession(std::filesystem::path profileFolder, std::shared_ptr<RecentDataFile> recent)
    : profileFolder_(std::move(profileFolder)), recent_(std::move(recent))
{
}

// A profile folder that cannot be listed costs only the configured stores: a data file opened by
// its path needs no profile.
void PffSession::Logon()
{
    try {
        stores_ = PffStores(ProfileDataFiles(profileFolder_), recent_);
    } catch (const ComponentError& error) {
        stores_ = PffStores::WithoutProfile(error.what(), recent_);
    }
    if (stopOpens_)
        stores_.StopOpensOn(*stopOpens_);
}

std::unique_ptr<mapi::Store> PffSession::GetStoreFromID(const std::string& entryId)
{
    return stores_.GetStoreFromID(entryId);
}

void PffSession::StopOpensOn(const StopRequest& request)
{
    stopOpens_ = &request;
    stores_.StopOpensOn(request);
}

void PffSession::Logoff()
{
    stores_ = PffStores();
}

}  // namespace varnemo::mapi::pff
