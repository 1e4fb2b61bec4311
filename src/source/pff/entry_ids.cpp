#include "source/pff/entry_ids.h"

#include "common/errors.h"
#include "source/pff/hex.h"

#include <fmt/format.h>

#include <algorithm>

namespace varnemo::mapi::pff {
namespace {

constexpr std::string_view StoreIdPrefix{"VNPF\x01", 5};
constexpr size_t FolderIdSize = 24;

// Entry ids come from saved settings and command lines: quote a bounded part of a bad one.
std::string Quoted(std::string_view text)
{
    return fmt::format("\"{}{}\"", text.substr(0, 80), text.size() > 80 ? "..." : "");
}

}  // namespace

std::string StoreEntryId(const std::filesystem::path& dataFile)
{
    return ToHex(std::string(StoreIdPrefix) + std::filesystem::absolute(dataFile).string());
}

std::filesystem::path DataFileOfStoreEntryId(std::string_view entryId)
{
    const auto bytes = FromHex(entryId);
    if (!bytes || bytes->size() <= StoreIdPrefix.size() || !bytes->starts_with(StoreIdPrefix))
        throw ComponentError("not a store entry id of an Outlook data file: " + Quoted(entryId));
    std::filesystem::path path(bytes->substr(StoreIdPrefix.size()));
    if (!path.is_absolute() || bytes->find('\0') != std::string::npos)
        throw ComponentError("the store entry id names no valid data file path: " + Quoted(entryId));
    return path;
}

std::string ToText(const FolderEntryId& id)
{
    std::string bytes(4, '\0');
    bytes.append(id.recordKey.begin(), id.recordKey.end());
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((id.nodeId >> shift) & 0xFF);
    return ToHex(bytes);
}

FolderEntryId ParseFolderEntryId(std::string_view bytes)
{
    if (bytes.size() != FolderIdSize || bytes.substr(0, 4) != std::string_view("\0\0\0\0", 4))
        throw ComponentError("not a folder entry id of an Outlook data file: " + Quoted(ToHex(bytes)));
    FolderEntryId id;
    std::copy(bytes.begin() + 4, bytes.begin() + 20, id.recordKey.begin());
    for (size_t i = 0; i < 4; ++i)
        id.nodeId |= std::uint32_t{static_cast<unsigned char>(bytes[20 + i])} << (8 * i);
    return id;
}

FolderEntryId ParseFolderEntryIdText(std::string_view text)
{
    const auto bytes = FromHex(text);
    if (!bytes)
        throw ComponentError("not a folder entry id of an Outlook data file: " + Quoted(text));
    return ParseFolderEntryId(*bytes);
}

}  // namespace varnemo::mapi::pff
