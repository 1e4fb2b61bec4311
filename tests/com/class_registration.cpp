#include "class_registration.h"

#include "fake_classes.h"

#include <stdexcept>
#include <windows.h>

namespace varnemo::testing {
namespace {

const std::wstring kClasses = L"Software\\Classes\\";

std::wstring ClassIdText(const CLSID& classId)
{
    wchar_t text[64];
    StringFromGUID2(classId, text, 64);
    return text;
}

void SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    const auto size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, value.c_str(), size) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the registry key of a fake class");
}

void Register(const wchar_t* progId, const CLSID& classId, const std::filesystem::path& serverDll)
{
    const auto id = ClassIdText(classId);
    SetValue(kClasses + progId + L"\\CLSID", nullptr, id);
    SetValue(kClasses + L"CLSID\\" + id + L"\\InprocServer32", nullptr, serverDll.wstring());
    SetValue(kClasses + L"CLSID\\" + id + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
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
    RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + L"CLSID\\" + ClassIdText(kFakeRdoSessionClass)).c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + L"CLSID\\" + ClassIdText(kFakeNotesSessionClass)).c_str());
}

void ClassRegistration::Unregister(const wchar_t* progId)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + progId).c_str());
}

}  // namespace varnemo::testing
