#include "source/default_profile.h"

namespace varnemo {

std::unique_ptr<mapi::Session> LogOnToDefaultProfile(mapi::Component& mapi)
{
    try {
        auto session = mapi.CreateSession();
        session->Logon();
        return session;
    } catch (const ComponentError& error) {
        throw ComponentError(std::string(kOutlookNotInstalled) + "\n" + error.what());
    }
}

}  // namespace varnemo
