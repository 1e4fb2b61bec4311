#pragma once

#include "notes/notes.h"

namespace varnemo::notes::com {

// The Notes automation component on Windows: the Notes client's NotesSession and the
// database, document and rich-text objects it hands out.
class ComNotes : public Component {
public:
    static constexpr const char* kSessionClass = "Notes.NotesSession";

    // A new NotesSession; throws ComponentError when the class is not registered or its object
    // cannot be created.
    std::unique_ptr<Session> CreateSession() override;
    // Nothing to do: every writer call releases its own session, and with it Notes' database
    // handles, so the Notes client has written each document into its file already; nothing is
    // ever held back.
    void HoldSaves() override {}
    void CommitSaved() override {}
    void ReleaseDatabases() override {}
};

}  // namespace varnemo::notes::com
