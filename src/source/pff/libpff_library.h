#pragma once

#include "common/shared_library.h"

#include <libpff.h>

namespace varnemo::mapi::pff {

// The functions of libpff that reading a data file with it takes.
#define VARNEMO_LIBPFF_FUNCTIONS(X)                                                                                  \
    X(libpff_attachment_data_read_buffer)                                                                            \
    X(libpff_attachment_data_seek_offset)                                                                            \
    X(libpff_attachment_get_data_size)                                                                               \
    X(libpff_attachment_get_item)                                                                                    \
    X(libpff_attachment_get_type)                                                                                    \
    X(libpff_error_backtrace_sprint)                                                                                 \
    X(libpff_error_free)                                                                                             \
    X(libpff_file_close)                                                                                             \
    X(libpff_file_free)                                                                                              \
    X(libpff_file_get_item_by_identifier)                                                                            \
    X(libpff_file_get_message_store)                                                                                 \
    X(libpff_file_initialize)                                                                                        \
    X(libpff_file_open)                                                                                              \
    X(libpff_folder_get_number_of_sub_folders)                                                                       \
    X(libpff_folder_get_number_of_sub_messages)                                                                      \
    X(libpff_folder_get_sub_folder)                                                                                  \
    X(libpff_folder_get_sub_message)                                                                                 \
    X(libpff_item_free)                                                                                              \
    X(libpff_item_get_identifier)                                                                                    \
    X(libpff_item_get_number_of_record_sets)                                                                         \
    X(libpff_item_get_record_set_by_index)                                                                           \
    X(libpff_message_get_attachment)                                                                                 \
    X(libpff_message_get_number_of_attachments)                                                                      \
    X(libpff_message_get_recipients)                                                                                 \
    X(libpff_message_get_rtf_body)                                                                                   \
    X(libpff_message_get_rtf_body_size)                                                                              \
    X(libpff_name_to_id_map_entry_get_guid)                                                                          \
    X(libpff_name_to_id_map_entry_get_number)                                                                        \
    X(libpff_name_to_id_map_entry_get_type)                                                                          \
    X(libpff_name_to_id_map_entry_get_utf8_string)                                                                   \
    X(libpff_name_to_id_map_entry_get_utf8_string_size)                                                              \
    X(libpff_record_entry_free)                                                                                      \
    X(libpff_record_entry_get_data)                                                                                  \
    X(libpff_record_entry_get_data_size)                                                                             \
    X(libpff_record_entry_get_entry_type)                                                                            \
    X(libpff_record_entry_get_name_to_id_map_entry)                                                                  \
    X(libpff_record_entry_get_value_type)                                                                            \
    X(libpff_record_set_free)                                                                                        \
    X(libpff_record_set_get_entry_by_index)                                                                          \
    X(libpff_record_set_get_number_of_entries)

// libpff, opened with the first data file that the direct reader leaves to it: most files never
// need it, and libpff with libbfio took 1-1.5 ms to load at every start.
VARNEMO_LIBRARY_TABLE(LibpffLibrary, VARNEMO_LIBPFF_FUNCTIONS);

// Loaded by the first call; a ComponentError when it cannot be.
inline const LibpffLibrary& Libpff()
{
    return OpenedLibrary<LibpffLibrary>(VARNEMO_LIBPFF_LIBRARY);
}

}  // namespace varnemo::mapi::pff
