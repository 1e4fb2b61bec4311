#pragma once

// Without the checks, GMime's cast macros are plain casts: they name no function of GObject,
// which this program does not link.
#define G_DISABLE_CAST_CHECKS
#include "common/shared_library.h"

#include <gmime/gmime.h>

namespace varnemo::mapi::pff {

// The functions of GMime that writing an embedded message as a message file takes, with those
// of GObject and GLib it calls for them (GMime links both).
#define VARNEMO_GMIME_FUNCTIONS(X)                                                                                   \
    X(g_mime_init)                                                                                                   \
    X(g_object_unref)                                                                                                \
    X(g_free)                                                                                                        \
    X(g_date_time_new_from_unix_local)                                                                               \
    X(g_date_time_unref)                                                                                             \
    X(g_mime_charset_canon_name)                                                                                     \
    X(g_mime_data_wrapper_new_with_stream)                                                                           \
    X(g_mime_message_add_mailbox)                                                                                    \
    X(g_mime_message_new)                                                                                            \
    X(g_mime_message_part_new_with_message)                                                                          \
    X(g_mime_message_set_date)                                                                                       \
    X(g_mime_message_set_message_id)                                                                                 \
    X(g_mime_message_set_mime_part)                                                                                  \
    X(g_mime_message_set_subject)                                                                                    \
    X(g_mime_multipart_add)                                                                                          \
    X(g_mime_multipart_new_with_subtype)                                                                             \
    X(g_mime_object_set_content_type_parameter)                                                                      \
    X(g_mime_object_set_disposition)                                                                                 \
    X(g_mime_object_write_to_stream)                                                                                 \
    X(g_mime_part_get_best_content_encoding)                                                                         \
    X(g_mime_part_new_with_type)                                                                                     \
    X(g_mime_part_set_content)                                                                                       \
    X(g_mime_part_set_content_encoding)                                                                              \
    X(g_mime_part_set_filename)                                                                                      \
    X(g_mime_stream_file_new)                                                                                        \
    X(g_mime_stream_flush)                                                                                           \
    X(g_mime_stream_mem_new_with_buffer)                                                                             \
    X(g_mime_stream_reset)                                                                                           \
    X(g_mime_stream_write)                                                                                           \
    X(g_mime_text_part_new_with_subtype)                                                                             \
    X(g_mime_text_part_set_text)                                                                                     \
    X(g_mime_utils_decode_message_id)

// GMime, opened with the first embedded message to write. Linked into the program, GMime and the
// thirteen libraries it brings (GIO, GObject, GPGME, libidn2, libmount, ...) took 3.5-5 ms to
// load at every start, a tenth of converting a small mailbox, where most mailboxes hold no
// embedded message at all.
VARNEMO_LIBRARY_TABLE(GMimeLibrary, VARNEMO_GMIME_FUNCTIONS);

// GMime, loaded and initialised; a ComponentError when it cannot be loaded.
const GMimeLibrary& GMime();

}  // namespace varnemo::mapi::pff
