#include "shell/shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <imagehlp.h>

namespace varnemo {

std::string GetTempFolder()
{
    constexpr DWORD kBufferLength = 256;
    std::string buffer(kBufferLength, 'X');
    const DWORD length = GetTempPathA(kBufferLength, buffer.data());
    // A path that does not fit reports the length it would need; it is not supported.
    if (length == 0 || length >= kBufferLength)
        return {};
    buffer.resize(length);
    return buffer;
}

bool MakeFolderPath(const std::string& path)
{
    if (path.empty())
        return false;
    // MakeSureDirectoryPathExists creates the directories up to the last separator only.
    std::string folder = path;
    if (folder.back() != kPathSeparator)
        folder += kPathSeparator;
    return MakeSureDirectoryPathExists(folder.c_str()) != FALSE;
}

}  // namespace varnemo
