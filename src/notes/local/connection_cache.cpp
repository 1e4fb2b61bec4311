#include "notes/local/connection_cache.h"

#include "common/continue_on_error.h"
#include "common/errors.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/store_file.h"

#include <fmt/format.h>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace varnemo::notes::local {
namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct CachedConnection {
    FileIdentity identity;
    std::shared_ptr<SqliteConnection> connection;
};

bool IdentityOf(const std::filesystem::path& path, FileIdentity& identity)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return false;
    identity = {status.st_dev, status.st_ino};
    return true;
}

bool StillTheSameFile(const std::string& path, const CachedConnection& cached)
{
    FileIdentity current;
    return IdentityOf(path, current) && current == cached.identity;
}

// Every file is served past a failing one; the first failure is thrown at the end.
void ThrowFirst(const ContinueOnError& step)
{
    if (step.anyFailed())
        throw ComponentError(step.failures().front());
}

class ConnectionCache {
public:
    std::shared_ptr<SqliteConnection> Get(const std::filesystem::path& path)
    {
        FileIdentity identity;
        if (!IdentityOf(path, identity))
            throw ComponentError(fmt::format("database not found: {}", path.string()));

        const std::lock_guard lock(guard_);
        // Writers name the same file for every item: the name is resolved again only when the
        // file it names is not the one cached under its earlier resolution.
        std::string& key = keysByName_[path.string()];
        if (!Holds(key, identity))
            key = CanonicalKey(path);
        if (!Holds(key, identity)) {
            ForgetVanishedFiles();
            connections_[key] = {identity, std::shared_ptr<SqliteConnection>(OpenStoreForWriting(key))};
        }
        auto& connection = connections_[key].connection;
        if (holdingWrites_)
            connection->HoldWrites();
        return connection;
    }

    void HoldWrites()
    {
        const std::lock_guard lock(guard_);
        holdingWrites_ = true;
    }

    void CommitHeldWrites()
    {
        const std::lock_guard lock(guard_);
        ContinueOnError step;
        // Not a structured binding: Clang before 16 cannot capture one in a lambda.
        for (auto& entry : connections_) {
            auto& connection = *entry.second.connection;
            step([&] { connection.CommitHeldWrites(); });
        }
        ThrowFirst(step);
    }

    void ForgetVanished(const std::filesystem::path& path)
    {
        std::error_code error;
        const std::string key = std::filesystem::weakly_canonical(path, error).string();
        const std::lock_guard lock(guard_);
        if (const auto found = connections_.find(key);
            found != connections_.end() && !StillTheSameFile(key, found->second))
            connections_.erase(found);
    }

    void ReleaseAll()
    {
        std::map<std::string, CachedConnection> released;
        {
            const std::lock_guard lock(guard_);
            released.swap(connections_);
            holdingWrites_ = false;
        }
        ContinueOnError step;
        for (auto& entry : released) {
            auto& connection = *entry.second.connection;
            step([&] { connection.CommitHeldWrites(); });
            step([&] { connection.FoldLogIntoFile(); });
        }
        released.clear();  // closing the last connection to a file removes its empty log
        ThrowFirst(step);
    }

private:
    static std::string CanonicalKey(const std::filesystem::path& path)
    {
        std::error_code error;
        std::string key = std::filesystem::canonical(path, error).string();
        if (error)
            throw ComponentError(fmt::format("cannot open the database {}: {}", path.string(), error.message()));
        return key;
    }

    bool Holds(const std::string& key, const FileIdentity& identity) const
    {
        const auto found = connections_.find(key);
        return found != connections_.end() && found->second.identity == identity;
    }

    // Only when a file is opened for the first time, so that the common path stays one lookup.
    void ForgetVanishedFiles()
    {
        std::erase_if(connections_, [](const auto& entry) { return !StillTheSameFile(entry.first, entry.second); });
    }

    std::mutex guard_;
    std::map<std::string, CachedConnection> connections_;
    std::map<std::string, std::string> keysByName_;  // the canonical key each name resolved to
    bool holdingWrites_ = false;
};

ConnectionCache& Cache()
{
    static ConnectionCache cache;
    return cache;
}

}  // namespace

std::shared_ptr<SqliteConnection> SharedWriteConnection(const std::filesystem::path& path)
{
    return Cache().Get(path);
}

void HoldSharedWrites()
{
    Cache().HoldWrites();
}

void CommitSharedWrites()
{
    Cache().CommitHeldWrites();
}

void ReleaseSharedConnections()
{
    Cache().ReleaseAll();
}

void ForgetVanishedConnection(const std::filesystem::path& path)
{
    Cache().ForgetVanished(path);
}

}  // namespace varnemo::notes::local
