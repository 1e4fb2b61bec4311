#include "source/logged_on_session.h"

namespace varnemo {

LoggedOnSession::LoggedOnSession(mapi::Component& mapi, const StopRequest* stopOpens) : session_(mapi.CreateSession())
{
    if (!session_)
        throw ComponentError("the MAPI access component gave no session");
    session_->Logon();
    loggedOn_ = true;
    if (stopOpens)
        session_->StopOpensOn(*stopOpens);
}

LoggedOnSession::~LoggedOnSession()
{
    try {
        Logoff();
    } catch (const ComponentError&) {
        // The handler has ended already; a session that cannot log off has nothing left to lose.
    }
}

void LoggedOnSession::Logoff()
{
    if (!loggedOn_)
        return;
    loggedOn_ = false;
    session_->Logoff();
}

}  // namespace varnemo
