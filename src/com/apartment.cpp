#include "com/apartment.h"

#include "com/com_error.h"

#include <windows.h>

namespace varnemo::com {
namespace {

class Apartment {
public:
    Apartment()
    {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // A thread that some other code put into the multi-threaded apartment stays there.
        if (result == RPC_E_CHANGED_MODE)
            return;
        if (FAILED(result))
            ThrowComError("CoInitializeEx", result);
        entered_ = true;
    }
    ~Apartment()
    {
        if (entered_)
            CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    bool entered_ = false;
};

}  // namespace

void EnterApartment()
{
    thread_local Apartment apartment;
}

}  // namespace varnemo::com
