#include "notes/local/local_session.h"

#include "notes/local/connection_cache.h"
#include "notes/local/data_directory.h"
#include "notes/local/database_location.h"
#include "notes/local/local_database.h"
#include "notes/local/notes_ini.h"

namespace varnemo::notes::local {

LocalSession::LocalSession(std::filesystem::path dataDirectory) : dataDirectory_(std::move(dataDirectory)) {}

std::unique_ptr<Database> LocalSession::GetDatabase(const std::string& server, const std::string& path)
{
    return std::make_unique<LocalDatabase>(SharedWriteConnection(LocateDatabase(dataDirectory_, server, path)),
                                           dataDirectory_);
}

std::string LocalSession::GETENVIRONMENTSTRING(const std::string& name, bool system)
{
    return ReadNotesIniSetting(dataDirectory_ / kNotesIniFile, system ? name : "$" + name);
}

}  // namespace varnemo::notes::local
