#pragma once

#include <string>

namespace varnemo::com {

// True when the class is registered on this machine, so that objects of it can be created.
bool IsClassRegistered(const std::string& progId);

}  // namespace varnemo::com
