#include "com/object.h"

#include "com/apartment.h"
#include "com/com_error.h"
#include "com/wide_text.h"
#include "common/errors.h"

#include <windows.h>

namespace varnemo::com {

Object::Object(const Object& other) : dispatch_(other.dispatch_), typeName_(other.typeName_)
{
    if (dispatch_)
        dispatch_->AddRef();
}

Object& Object::operator=(const Object& other)
{
    Object copy(other);
    *this = std::move(copy);
    return *this;
}

Object::Object(Object&& other) noexcept
    : dispatch_(std::exchange(other.dispatch_, nullptr)), typeName_(std::move(other.typeName_))
{
}

Object& Object::operator=(Object&& other) noexcept
{
    if (this != &other) {
        Reset();
        dispatch_ = std::exchange(other.dispatch_, nullptr);
        typeName_ = std::move(other.typeName_);
    }
    return *this;
}

void Object::Reset()
{
    if (dispatch_)
        std::exchange(dispatch_, nullptr)->Release();
}

Object Object::Create(const std::string& progId, std::string typeName)
{
    EnterApartment();
    CLSID classId{};
    const std::wstring name = Widen(progId);
    if (const HRESULT result = CLSIDFromProgID(name.c_str(), &classId); FAILED(result))
        ThrowComError("looking up the class " + progId, result);
    IDispatch* dispatch = nullptr;
    if (const HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                                IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        FAILED(result))
        ThrowComError("creating an object of the class " + progId, result);
    return Object(dispatch, std::move(typeName));
}

void Object::Put(std::string_view member, Variant value) const
{
    std::vector<Variant> arguments;
    arguments.push_back(std::move(value));
    Invoke(member, DISPATCH_PROPERTYPUT, std::move(arguments));
}

std::string Object::GetText(std::string_view member) const
{
    return TextOf(Call(member), Describe(member));
}

DateTime Object::GetDate(std::string_view member) const
{
    return DateOf(Call(member), Describe(member));
}

long Object::GetLong(std::string_view member) const
{
    return LongOf(Call(member), Describe(member));
}

std::string Object::Describe(std::string_view member) const
{
    return typeName_ + "." + std::string(member);
}

DISPID Object::MemberId(std::string_view member) const
{
    std::wstring name = Widen(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    if (const HRESULT result = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        FAILED(result))
        ThrowComError("looking up " + Describe(member), result);
    return id;
}

Variant Object::Invoke(std::string_view member, WORD kind, std::vector<Variant> arguments) const
{
    if (!dispatch_)
        throw ComponentError("no " + typeName_ + " object to call " + std::string(member) + " on");
    const DISPID id = MemberId(member);
    // IDispatch takes the arguments last to first.
    std::vector<VARIANT> reversed;
    for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument)
        reversed.push_back(argument->get());
    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &namedPut;
        parameters.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO exception{};
    UINT badArgument = 0;
    const HRESULT outcome = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters,
                                              kind == DISPATCH_PROPERTYPUT ? nullptr : &result.get(), &exception,
                                              &badArgument);
    if (FAILED(outcome))
        ThrowComError(Describe(member), outcome, &exception);
    return result;
}

}  // namespace varnemo::com
