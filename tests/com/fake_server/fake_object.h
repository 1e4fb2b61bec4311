#pragma once

// A late-bound object for the fake components: members are registered by name with a handler,
// looked up case-insensitively as IDispatch implementations do, and invoked with their
// arguments in call order. A handler that throws FakeFailure makes Invoke report
// DISP_E_EXCEPTION with the failure's source and description, as the real components do.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace varnemo::testing {

struct FakeFailure {
    std::string source;
    std::string description;
    HRESULT code = E_FAIL;
};

struct Invocation {
    std::string member;  // as the caller spelt it
    WORD kind = 0;
    std::vector<const VARIANT*> arguments;  // in call order; for an assignment, the value
    VARIANT* result = nullptr;

    std::string Text(size_t index) const;
    long Long(size_t index) const;
    void ReturnText(const std::string& text) const;
    void ReturnLong(long number) const;
    void ReturnDate(double date) const;
    void ReturnBytes(const std::string& bytes) const;
    // Hands the caller the object's only reference.
    void ReturnObject(IDispatch* object) const;
};

class FakeObject : public IDispatch {
public:
    using Handler = std::function<void(const Invocation&)>;

    explicit FakeObject(std::string typeName);
    virtual ~FakeObject();

    void On(const std::string& member, Handler handler);
    // Any other name may be assigned to (a Notes document's items).
    void OnAnyAssignment(Handler handler) { anyAssignment_ = std::move(handler); }
    const std::string& typeName() const { return typeName_; }

    // Fake objects that exist and whose type name begins with prefix ("RDO", "Notes").
    static long Live(const std::string& prefix);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override;

private:
    struct Member {
        std::string name;
        Handler handler;
    };
    std::string typeName_;
    std::vector<Member> members_;
    Handler anyAssignment_;
    long references_ = 1;
};

}  // namespace varnemo::testing
