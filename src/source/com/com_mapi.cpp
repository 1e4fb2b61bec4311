#include "source/com/com_mapi.h"

#include "com/object.h"
#include "source/com/com_session.h"

namespace varnemo::mapi::com {

std::unique_ptr<Session> ComMapi::CreateSession()
{
    return std::make_unique<ComSession>(varnemo::com::Object::Create(kSessionClass, "RDOSession"));
}

}  // namespace varnemo::mapi::com
