#include "notes/com/com_notes.h"

#include "com/object.h"
#include "notes/com/com_session.h"

namespace varnemo::notes::com {

std::unique_ptr<Session> ComNotes::CreateSession()
{
    return std::make_unique<ComSession>(varnemo::com::Object::Create(kSessionClass, "NotesSession"));
}

}  // namespace varnemo::notes::com
