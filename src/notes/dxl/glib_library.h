#pragma once

#include "common/shared_library.h"

#include <glib.h>

namespace varnemo::notes::dxl {

// The functions of GLib that the base64 text of DXL attachments takes.
#define VARNEMO_GLIB_FUNCTIONS(X)                                                                                    \
    X(g_base64_decode_step)                                                                                          \
    X(g_base64_encode_close)                                                                                         \
    X(g_base64_encode_step)

// GLib, opened with the first attachment to export or import: a conversion has no use for it,
// and linked, GLib with the PCRE it links was loaded at every start.
struct GLibLibrary {
    VARNEMO_GLIB_FUNCTIONS(VARNEMO_LIBRARY_MEMBER)
    void ResolveIn(const SharedLibrary& library) { VARNEMO_GLIB_FUNCTIONS(VARNEMO_LIBRARY_RESOLVE) }
};

// GLib, loaded; a ComponentError when it cannot be loaded.
const GLibLibrary& GLib();

}  // namespace varnemo::notes::dxl
