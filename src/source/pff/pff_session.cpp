#include "source/pff/pff_session.h"

#include "source/pff/profile_data_files.h"

namespace varnemo::mapi::pff {

PffSession::PffSession(std::filesystem::path profileFolder) : profileFolder_(std::move(profileFolder)) {}

void PffSession::Logon()
{
    stores_ = PffStores(ProfileDataFiles(profileFolder_));
}

std::unique_ptr<mapi::Store> PffSession::GetStoreFromID(const std::string& entryId)
{
    return stores_.GetStoreFromID(entryId);
}

void PffSession::Logoff()
{
    stores_ = PffStores();
}

}  // namespace varnemo::mapi::pff
