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
};

}  // namespace varnemo::notes::com
