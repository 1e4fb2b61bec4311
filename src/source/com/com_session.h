#pragma once

#include "com/collection.h"
#include "source/mapi.h"

#include <optional>

namespace varnemo::mapi::com {

class ComStores : public mapi::Stores {
public:
    explicit ComStores(varnemo::com::Object stores) : stores_(std::move(stores), "RDOStore") {}

    long Count() override { return stores_.Count(); }
    std::unique_ptr<Store> Item(long index) override;
    std::unique_ptr<Store> GetStoreFromID(const std::string& entryId) override;
    std::unique_ptr<Store> AddPSTStore(const std::string& path) override;

private:
    varnemo::com::Collection stores_;
};

// An RDOSession. Its stores collection is read once per log-on.
class ComSession : public mapi::Session {
public:
    explicit ComSession(varnemo::com::Object session) : session_(std::move(session)) {}

    // Logs on to the default profile: every optional argument of Logon is left out.
    void Logon() override;
    mapi::Stores& GetStores() override;
    std::unique_ptr<Store> GetStoreFromID(const std::string& entryId) override;
    void Logoff() override;

private:
    varnemo::com::Object session_;
    std::optional<ComStores> stores_;
};

}  // namespace varnemo::mapi::com
