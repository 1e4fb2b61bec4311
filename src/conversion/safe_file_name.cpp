#include "conversion/safe_file_name.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace varnemo {
namespace {

// Longest name most file systems accept, in bytes.
constexpr size_t kMaxNameBytes = 255;

bool IsReservedCharacter(unsigned char c)
{
    return c < 0x20 || c == 0x7F || std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

// Windows refuses these names whatever the extension; a mailbox written on Windows may still
// hold them, and the file may travel back to Windows.
bool IsDeviceName(const std::string& name)
{
    static constexpr std::array<std::string_view, 22> devices = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    std::string stem = name.substr(0, name.find('.'));
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::toupper(c); });
    return std::find(devices.begin(), devices.end(), stem) != devices.end();
}

// Cuts a UTF-8 text to at most max bytes without splitting a character.
std::string CutUtf8(const std::string& text, size_t max)
{
    if (text.size() <= max)
        return text;
    size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

// Keeps the extension when the name is too long.
std::string Shorten(const std::string& name)
{
    if (name.size() <= kMaxNameBytes)
        return name;
    const auto dot = name.rfind('.');
    const bool shortExtension = dot != std::string::npos && dot > 0 && name.size() - dot <= 16;
    if (!shortExtension)
        return CutUtf8(name, kMaxNameBytes);
    const std::string extension = name.substr(dot);
    return CutUtf8(name.substr(0, dot), kMaxNameBytes - extension.size()) + extension;
}

}  // namespace

std::string SafeFileName(const std::string& name, long position)
{
    std::string safe;
    safe.reserve(name.size());
    for (unsigned char c : name)
        safe += IsReservedCharacter(c) ? '_' : static_cast<char>(c);
    // Windows drops trailing blanks and dots itself; a name of dots alone would name a directory.
    const auto last = safe.find_last_not_of(" .");
    safe = last == std::string::npos ? std::string() : safe.substr(0, last + 1);
    safe = safe.substr(std::min(safe.size(), safe.find_first_not_of(' ')));
    if (safe.empty())
        return "attachment-" + std::to_string(position);
    if (IsDeviceName(safe))
        safe = "_" + safe;
    return Shorten(safe);
}

}  // namespace varnemo
