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
VARNEMO_LIBRARY_TABLE(GLibLibrary, VARNEMO_GLIB_FUNCTIONS);

// Loaded by the first call; a ComponentError when it cannot be.
inline const GLibLibrary& GLib()
{
    return OpenedLibrary<GLibLibrary>(VARNEMO_GLIB_LIBRARY);
}

}  // namespace varnemo::notes::dxl
