#include "class_registration.h"

#include "fake_classes.h"

#include <stdexcept>
#include <windows.h>

namespace varnemo::testing {
namespace {

// The merged class view that CLSIDFromProgID and CoCreateInstance read; in a wine prefix (and
// for an administrator) its new keys are the machine's.
const HKEY kClasses = HKEY_CLASSES_ROOT;

std::wstring ClassIdText(const CLSID& classId)
{
    wchar_t text[64];
    StringFromGUID2(classId, text, 64);
    return text;
}

void SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    const auto size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (RegSetKeyValueW(kClasses, key.c_str(), name, REG_SZ, value.c_str(), size) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the registry key of a fake class");
}

void Register(const wchar_t* progId, const CLSID& classId, const std::filesystem::path& serverDll)
{
    const auto id = ClassIdText(classId);
    SetValue(std::wstring(progId) + L"\\CLSID", nullptr, id);
    SetValue(L"CLSID\\" + id + L"\\InprocServer32", nullptr, serverDll.wstring());
    SetValue(L"CLSID\\" + id + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
}

}  // namespace

ClassRegistration::ClassRegistration(const std::filesystem::path& serverDll)
{
    Register(kFakeRdoSessionProgId, kFakeRdoSessionClass, serverDll);
    Register(kFakeNotesSessionProgId, kFakeNotesSessionClass, serverDll);
}

ClassRegistration::~ClassRegistration()
{
    Unregister(kFakeRdoSessionProgId);
    Unregister(kFakeNotesSessionProgId);
    RegDeleteTreeW(kClasses, (L"CLSID\\" + ClassIdText(kFakeRdoSessionClass)).c_str());
    RegDeleteTreeW(kClasses, (L"CLSID\\" + ClassIdText(kFakeNotesSessionClass)).c_str());
}

void ClassRegistration::Unregister(const wchar_t* progId)
{
    RegDeleteTreeW(kClasses, progId);
}

}  // namespace varnemo::testing
