#include "notes/dxl/glib_library.h"

namespace varnemo::notes::dxl {

const GLibLibrary& GLib()
{
    // A failed load throws out of the initialisation, and the next call tries again.
    static const GLibLibrary glib = LoadLibrary<GLibLibrary>(VARNEMO_GLIB_LIBRARY);
    return glib;
}

}  // namespace varnemo::notes::dxl
