#pragma once

#include "source/mapi.h"

namespace varnemo::mapi::com {

// The MAPI access component on Windows: Redemption's RDOSession and the objects it hands out.
class ComMapi : public mapi::Component {
public:
    static constexpr const char* kSessionClass = "Redemption.RDOSession";

    // A new RDOSession; throws ComponentError when the class is not registered or its object
    // cannot be created.
    std::unique_ptr<Session> CreateSession() override;
};

}  // namespace varnemo::mapi::com
