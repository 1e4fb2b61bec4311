#pragma once

#include <filesystem>
#include <string>

namespace varnemo {

// File paths as the program's UTF-8 text, and back, on every system. A std::filesystem::path
// made from a plain std::string reads it in the library's idea of the 8-bit encoding, which
// with MinGW's library on Windows is not UTF-8 whatever the code page: C:\Users\Jürgen would
// become a folder that does not exist.
std::filesystem::path PathFromText(const std::string& text);
std::string TextFromPath(const std::filesystem::path& path);

}  // namespace varnemo
