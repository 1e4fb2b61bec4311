#pragma once

#include "source/mapi.h"

#include <memory>

namespace varnemo {

// A session of the MAPI access component logged on to the default profile for as long as one
// handler runs. It logs off when the handler ends, also when a failure ends it early.
class LoggedOnSession {
public:
    // Throws ComponentError when the session cannot be created or cannot log on. With stopOpens,
    // the session's opens of data files that take long end once it is requested (WorkStopped).
    explicit LoggedOnSession(mapi::Component& mapi, const StopRequest* stopOpens = nullptr);
    ~LoggedOnSession();
    LoggedOnSession(const LoggedOnSession&) = delete;
    LoggedOnSession& operator=(const LoggedOnSession&) = delete;

    mapi::Session& operator*() { return *session_; }
    mapi::Session* operator->() { return session_.get(); }

    // Logs off now rather than at the end of the handler.
    void Logoff();

private:
    std::unique_ptr<mapi::Session> session_;
    bool loggedOn_ = false;
};

}  // namespace varnemo
