#pragma once

#include <string>
#include <string_view>

namespace varnemo::mapi::pff::direct {

// The RTF text of a compressed RTF value (PidTagRtfCompressed): the "LZFu" compression Outlook
// uses, or the uncompressed "MELA" form. Throws ComponentError naming where when the value is
// damaged.
std::string DecompressRtf(std::string_view stored, const std::string& where);

}  // namespace varnemo::mapi::pff::direct
