#include "com/registered_class.h"

#include "com/apartment.h"
#include "com/wide_text.h"

#include <windows.h>

namespace varnemo::com {

bool IsClassRegistered(const std::string& progId)
{
    EnterApartment();
    CLSID classId{};
    return SUCCEEDED(CLSIDFromProgID(Widen(progId).c_str(), &classId));
}

}  // namespace varnemo::com
