#include "backends/backends.h"

#ifdef VARNEMO_COM_BACKENDS
#include "com/registered_class.h"
#include "notes/com/com_notes.h"
#include "source/com/com_mapi.h"
#endif
#ifdef VARNEMO_LOCAL_BACKENDS
#include "notes/local/local_notes.h"
#include "source/pff/pff_mapi.h"
#endif

namespace varnemo {
namespace {

#ifdef VARNEMO_COM_BACKENDS
#ifdef VARNEMO_LOCAL_BACKENDS
constexpr bool kLocalBackendsBuilt = true;
#else
constexpr bool kLocalBackendsBuilt = false;
#endif

// Whether to use the COM class: yes when it is registered, and also when no local backend is
// built in, so that creating its session fails with the reason. Adds the choice to description.
template <class ComComponent>
bool UseComClass(const std::string& what, std::string& description)
{
    const bool registered = com::IsClassRegistered(ComComponent::kSessionClass);
    if (!registered && kLocalBackendsBuilt)
        return false;
    description = what + " through " + ComComponent::kSessionClass +
                  (registered ? "" : " (not registered on this machine)");
    return true;
}
#endif

}  // namespace

BackendOptions BackendOptions::Defaults()
{
#ifdef VARNEMO_LOCAL_BACKENDS
    return {mapi::pff::PffMapi::DefaultProfileFolder(), notes::local::LocalNotes::DefaultDataDirectory()};
#else
    return {};
#endif
}

Backends CreateBackends([[maybe_unused]] const BackendOptions& options)
{
    Backends backends;
    std::string mapiDescription, notesDescription;
#ifdef VARNEMO_COM_BACKENDS
    if (UseComClass<mapi::com::ComMapi>("Outlook", mapiDescription))
        backends.mapi = std::make_unique<mapi::com::ComMapi>();
    if (UseComClass<notes::com::ComNotes>("Notes", notesDescription))
        backends.notes = std::make_unique<notes::com::ComNotes>();
#endif
#ifdef VARNEMO_LOCAL_BACKENDS
    if (!backends.mapi) {
        backends.mapi = std::make_unique<mapi::pff::PffMapi>(options.profileFolder);
        mapiDescription = "Outlook data files read with libpff";
    }
    if (!backends.notes) {
        backends.notes = std::make_unique<notes::local::LocalNotes>(options.notesDataDirectory);
        notesDescription = "Notes databases in the local store at " + options.notesDataDirectory.string();
    }
#endif
    backends.description = mapiDescription + "; " + notesDescription;
    return backends;
}

}  // namespace varnemo
