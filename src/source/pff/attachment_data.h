#pragma once

#include <libpff.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace varnemo::mapi::pff {

using ByteSink = std::function<void(std::string_view)>;

// Hands the stored bytes of an attachment to sink in pieces of at most 1 MiB, so that a large
// attachment never sits in memory as a whole. where names the attachment in error messages.
void ReadAttachmentData(libpff_item_t* attachment, const std::string& where, const ByteSink& sink);

// Creates (or replaces) the file at path and lets write fill it through a sink.
void WriteFileThrough(const std::filesystem::path& path, const std::string& what,
                      const std::function<void(const ByteSink&)>& write);

}  // namespace varnemo::mapi::pff
