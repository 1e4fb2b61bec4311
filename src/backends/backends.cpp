#include "backends/backends.h"

#include "notes/local/local_notes.h"
#include "source/pff/pff_mapi.h"

namespace varnemo {

BackendOptions BackendOptions::Defaults()
{
    return {mapi::pff::PffMapi::DefaultProfileFolder(), notes::local::LocalNotes::DefaultDataDirectory()};
}

Backends CreateBackends(const BackendOptions& options)
{
    Backends backends;
    backends.mapi = std::make_unique<mapi::pff::PffMapi>(options.profileFolder);
    backends.notes = std::make_unique<notes::local::LocalNotes>(options.notesDataDirectory);
    backends.description = "Outlook data files read with libpff; Notes databases in the local store at " +
                           options.notesDataDirectory.string();
    return backends;
}

}  // namespace varnemo
