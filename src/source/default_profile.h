#pragma once

#include "source/mapi.h"

#include <memory>

namespace varnemo {

// What the user is told when there is no working MAPI access component.
inline constexpr const char* kOutlookNotInstalled = "Outlook NOT installed or configured properly.";

// A new session, logged on to the default profile. When the component cannot create a session
// or the log-on fails, throws ComponentError with kOutlookNotInstalled, then the cause.
std::unique_ptr<mapi::Session> LogOnToDefaultProfile(mapi::Component& mapi);

}  // namespace varnemo
