#pragma once

#include <filesystem>
#include <string_view>

namespace varnemo::notes::dxl {

// Writes the bytes that the base64 text stands for into the file, piece by piece; line breaks
// and other characters outside the base64 alphabet are passed over, as in MIME. Fails
// (ComponentError) when the file cannot be written.
void DecodeBase64ToFile(std::string_view base64, const std::filesystem::path& file);

}  // namespace varnemo::notes::dxl
