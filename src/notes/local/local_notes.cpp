#include "notes/local/local_notes.h"

#include "notes/local/connection_cache.h"
#include "notes/local/data_directory.h"
#include "notes/local/local_session.h"

namespace varnemo::notes::local {

LocalNotes::LocalNotes(std::filesystem::path dataDirectory) : dataDirectory_(std::move(dataDirectory)) {}

std::filesystem::path LocalNotes::DefaultDataDirectory()
{
    return DefaultNotesDataDirectory();
}

std::unique_ptr<Session> LocalNotes::CreateSession()
{
    {
        const std::lock_guard lock(provisioning_);
        if (!provisioned_) {
            ProvisionDataDirectory(dataDirectory_);
            provisioned_ = true;
        }
    }
    return std::make_unique<LocalSession>(dataDirectory_);
}

void LocalNotes::HoldSaves()
{
    HoldSharedWrites();
}

void LocalNotes::CommitSaved()
{
    CommitSharedWrites();
}

void LocalNotes::ReleaseDatabases()
{
    ReleaseSharedConnections();
}

}  // namespace varnemo::notes::local
