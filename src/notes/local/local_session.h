#pragma once

#include "notes/notes.h"

#include <filesystem>

namespace varnemo::notes::local {

class LocalSession : public Session {
public:
    explicit LocalSession(std::filesystem::path dataDirectory);

    // Fails for a missing file and for any file that is not a store of ours, which is left
    // untouched.
    std::unique_ptr<Database> GetDatabase(const std::string& server, const std::string& path) override;
    std::string GETENVIRONMENTSTRING(const std::string& name, bool system) override;

private:
    std::filesystem::path dataDirectory_;
};

}  // namespace varnemo::notes::local
