#pragma once

#include <filesystem>
#include <string>

namespace varnemo {

// The directory separator of file paths on this system. Notes folder names and Outlook folder
// paths use "\" as their level separator on every system; file paths use this one.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The temporary folder, ending in the path separator so that file names can be appended
// directly; the empty text when the system cannot say. (Windows: GetTempPathA.)
std::string GetTempFolder();

// Creates every missing directory of the path (a trailing separator is optional) and returns
// true when all of them exist afterwards. (Windows: MakeSureDirectoryPathExists.)
bool MakeFolderPath(const std::string& path);

// The text after the last path separator; the whole text when it has none.
std::string GetFileName(const std::string& path);

// The path itself when no file takes its name; otherwise the first free one of the names with
// "-2", "-3", ... before the extension: archive.nsf gives archive-2.nsf. For new files that must
// never take an existing file's name, such as two databases time-stamped in the same second.
std::string NextFreeFileName(const std::string& path);

// Creates a new, empty folder in parent named prefix followed by a random suffix, and returns
// its path; throws std::filesystem::filesystem_error when it cannot.
std::filesystem::path CreateUniqueFolder(const std::filesystem::path& parent, const std::string& prefix);

}  // namespace varnemo
