#pragma once

#include "com/variant.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnemo::com {

// A reference to a component object, reached by late binding: members are looked up by name
// (GetIDsOfNames) and called through IDispatch::Invoke. Every failure becomes a ComponentError
// that names the object and the member. Copies share the object; the last one releases it.
class Object {
public:
    Object() = default;
    // Takes over a reference; typeName ("NotesDocument", "RDOFolder") names the object in errors.
    Object(IDispatch* adopted, std::string typeName) : dispatch_(adopted), typeName_(std::move(typeName)) {}
    ~Object() { Reset(); }
    Object(const Object& other);
    Object& operator=(const Object& other);
    Object(Object&& other) noexcept;
    Object& operator=(Object&& other) noexcept;

    // A new object of the registered class (COM is initialised on this thread first).
    static Object Create(const std::string& progId, std::string typeName);

    // Reads a property or calls a method, as Visual Basic's obj.Member(arguments) does.
    template <class... Arguments>
    Variant Call(std::string_view member, Arguments&&... arguments) const
    {
        std::vector<Variant> list;
        list.reserve(sizeof...(arguments));
        (list.push_back(std::forward<Arguments>(arguments)), ...);
        return Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(list));
    }
    // Assigns a property, as obj.Member = value does.
    void Put(std::string_view member, Variant value) const;

    // A member's result as an object (typeName names it in later errors) or as a value.
    template <class... Arguments>
    Object CallObject(std::string_view member, std::string typeName, Arguments&&... arguments) const
    {
        const auto result = Call(member, std::forward<Arguments>(arguments)...);
        return Object(DispatchOf(result, Describe(member)), std::move(typeName));
    }
    std::string GetText(std::string_view member) const;
    DateTime GetDate(std::string_view member) const;
    long GetLong(std::string_view member) const;

    const std::string& typeName() const { return typeName_; }

private:
    Variant Invoke(std::string_view member, WORD kind, std::vector<Variant> arguments) const;
    DISPID MemberId(std::string_view member) const;
    // "RDOStore.PstPath", for messages.
    std::string Describe(std::string_view member) const;
    void Reset();

    IDispatch* dispatch_ = nullptr;
    std::string typeName_;
};

}  // namespace varnemo::com
