#include "fake_server/fake_object.h"

#include "fake_server/variant_text.h"

#include <algorithm>
#include <exception>
#include <map>
#include <strings.h>

namespace varnemo::testing {
namespace {

// The live objects by type name. The fake serves one thread at a time.
std::map<std::string, long>& LiveObjects()
{
    static std::map<std::string, long> live;
    return live;
}

BSTR NewBstr(const std::string& utf8)
{
    const std::wstring wide = Wide(utf8);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

HRESULT Report(const FakeFailure& failure, EXCEPINFO* exception)
{
    if (exception) {
        *exception = EXCEPINFO{};
        exception->bstrSource = NewBstr(failure.source);
        exception->bstrDescription = NewBstr(failure.description);
        exception->scode = failure.code;
    }
    return DISP_E_EXCEPTION;
}

}  // namespace

std::string Invocation::Text(size_t index) const
{
    const VARIANT* argument = arguments.at(index);
    if (argument->vt != VT_BSTR)
        throw FakeFailure{"fake", "argument " + std::to_string(index + 1) + " of " + member + " is no text",
                          DISP_E_TYPEMISMATCH};
    return Utf8(argument->bstrVal);
}

long Invocation::Long(size_t index) const
{
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(arguments.at(index)), 0, VT_I4)))
        throw FakeFailure{"fake", "argument " + std::to_string(index + 1) + " of " + member + " is no number",
                          DISP_E_TYPEMISMATCH};
    return converted.lVal;
}

void Invocation::ReturnText(const std::string& text) const
{
    result->vt = VT_BSTR;
    result->bstrVal = NewBstr(text);
}

void Invocation::ReturnLong(long number) const
{
    result->vt = VT_I4;
    result->lVal = number;
}

void Invocation::ReturnDate(double date) const
{
    result->vt = VT_DATE;
    result->date = date;
}

void Invocation::ReturnBytes(const std::string& bytes) const
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
    SafeArrayUnaccessData(array);
    result->vt = VT_ARRAY | VT_UI1;
    result->parray = array;
}

void Invocation::ReturnObject(IDispatch* object) const
{
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}

FakeObject::FakeObject(std::string typeName) : typeName_(std::move(typeName))
{
    ++LiveObjects()[typeName_];
}

FakeObject::~FakeObject()
{
    --LiveObjects()[typeName_];
}

long FakeObject::Live(const std::string& prefix)
{
    long count = 0;
    for (const auto& [name, live] : LiveObjects())
        count += name.rfind(prefix, 0) == 0 ? live : 0;
    return count;
}

void FakeObject::On(const std::string& member, Handler handler)
{
    members_.push_back({member, std::move(handler)});
}

HRESULT FakeObject::QueryInterface(REFIID id, void** object)
{
    if (id == IID_IUnknown || id == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeObject::AddRef()
{
    return static_cast<ULONG>(++references_);
}

ULONG FakeObject::Release()
{
    const long left = --references_;
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT FakeObject::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT FakeObject::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT FakeObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (count != 1)
        return DISP_E_UNKNOWNNAME;
    const std::string name = Utf8(names[0]);
    for (size_t index = 0; index < members_.size(); ++index) {
        if (strcasecmp(members_[index].name.c_str(), name.c_str()) == 0) {
            ids[0] = static_cast<DISPID>(index + 1);
            return S_OK;
        }
    }
    if (!anyAssignment_) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    // A new item name: remember it, so that the assignment that follows knows what it names.
    members_.push_back({name, nullptr});
    ids[0] = static_cast<DISPID>(members_.size());
    return S_OK;
}

HRESULT FakeObject::Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT* result,
                           EXCEPINFO* exception, UINT*)
{
    if (id < 1 || static_cast<size_t>(id) > members_.size())
        return DISP_E_MEMBERNOTFOUND;
    const Member& member = members_[static_cast<size_t>(id) - 1];
    Invocation call{member.name, kind, {}, result};
    for (UINT index = parameters->cArgs; index > 0; --index)
        call.arguments.push_back(&parameters->rgvarg[index - 1]);
    const Handler& handler = member.handler ? member.handler : anyAssignment_;
    if ((kind & DISPATCH_PROPERTYPUT) && (parameters->cNamedArgs != 1 || !anyAssignment_ ||
                                          parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_MEMBERNOTFOUND;
    if (!(kind & DISPATCH_PROPERTYPUT) && !member.handler)
        return DISP_E_MEMBERNOTFOUND;
    try {
        handler(call);
        return S_OK;
    } catch (const FakeFailure& failure) {
        return Report(failure, exception);
    } catch (const std::exception& error) {
        // A fault of the fake or of the test's mailbox: reported, never fatal to the caller.
        return Report(FakeFailure{"fake server", typeName_ + "." + member.name + ": " + error.what(), E_UNEXPECTED},
                      exception);
    }
}

}  // namespace varnemo::testing
