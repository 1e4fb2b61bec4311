#pragma once

#include "notes/notes.h"

#include <filesystem>
#include <mutex>

namespace varnemo::notes::local {

// The Notes component served by the program's own store, for machines without a Notes client:
// each Notes database is one SQLite file, and the data directory plays the part of the Notes
// client's data directory (notes.ini, mail.ntf, pernames.ntf, names.nsf).
class LocalNotes : public Component {
public:
    explicit LocalNotes(std::filesystem::path dataDirectory);

    // $XDG_DATA_HOME/varnemo/notes, else $HOME/.local/share/varnemo/notes.
    static std::filesystem::path DefaultDataDirectory();

    // The first session provides whatever the data directory lacks; existing files are kept.
    std::unique_ptr<Session> CreateSession() override;
    // Every database opened from now on keeps its writes in one transaction until CommitSaved().
    void HoldSaves() override;
    void CommitSaved() override;
    // Commits what is held, folds every write-ahead log into its database file and closes the connections that the
    // sessions share (they stay open between writer calls for speed).
    void ReleaseDatabases() override;

private:
    std::filesystem::path dataDirectory_;
    std::mutex provisioning_;
    bool provisioned_ = false;
};

}  // namespace varnemo::notes::local
