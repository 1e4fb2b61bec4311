// The in-process server: a class factory for each fake class, found by the COM runtime through
// DllGetClassObject once a test has registered the DLL under the classes' ProgIDs.
#include "fake_classes.h"
#include "fake_server/fake_notes.h"
#include "fake_server/fake_object.h"
#include "fake_server/fake_outlook.h"

namespace varnemo::testing {
namespace {

class ClassFactory : public IClassFactory {
public:
    using Make = IDispatch* (*)();
    explicit ClassFactory(Make make) : make_(make) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == IID_IUnknown || id == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factories are static and live as long as the DLL.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override
    {
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        try {
            IDispatch* created = make_();
            const HRESULT result = created->QueryInterface(id, object);
            created->Release();
            return result;
        } catch (const FakeFailure& failure) {
            return failure.code;
        }
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    Make make_;
};

ClassFactory rdoSessions(NewFakeRdoSession);
ClassFactory notesSessions(NewFakeNotesSession);

}  // namespace
}  // namespace varnemo::testing

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID id, void** object)
{
    using namespace varnemo::testing;
    if (classId == kFakeRdoSessionClass)
        return rdoSessions.QueryInterface(id, object);
    if (classId == kFakeNotesSessionClass)
        return notesSessions.QueryInterface(id, object);
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return S_FALSE;
}
