#include "source/pff/gmime_library.h"

#include "common/errors.h"

#include <dlfcn.h>
#include <fmt/format.h>

namespace varnemo::mapi::pff {
namespace {

template <class Function>
void Resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        throw ComponentError(fmt::format("{} has no function {}", VARNEMO_GMIME_LIBRARY, name));
}

GMimeLibrary Load()
{
    // Never closed: GMime keeps its types registered with GObject for the life of the process.
    void* library = dlopen(VARNEMO_GMIME_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw ComponentError(fmt::format("GMime cannot be loaded: {}", dlerror()));
    GMimeLibrary gmime;
#define VARNEMO_GMIME_RESOLVE(name) Resolve(library, #name, gmime.name);
    VARNEMO_GMIME_FUNCTIONS(VARNEMO_GMIME_RESOLVE)
#undef VARNEMO_GMIME_RESOLVE
    gmime.g_mime_init();
    return gmime;
}

}  // namespace

const GMimeLibrary& GMime()
{
    // A failed load throws out of the initialisation, and the next call tries again.
    static const GMimeLibrary gmime = Load();
    return gmime;
}

}  // namespace varnemo::mapi::pff
