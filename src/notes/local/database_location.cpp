#include "notes/local/database_location.h"

#include "common/errors.h"

#include <fmt/format.h>

namespace varnemo::notes::local {

std::filesystem::path LocateDatabase(const std::filesystem::path& dataDirectory, const std::string& server,
                                     const std::string& path)
{
    if (!server.empty())
        throw ComponentError(fmt::format(
            "only local databases can be opened here (server \"\"), not {} on the server {}", path, server));
    if (path.empty())
        throw ComponentError("no database path was given");
    const std::filesystem::path location(path);
    return location.is_absolute() ? location : dataDirectory / location;
}

}  // namespace varnemo::notes::local
