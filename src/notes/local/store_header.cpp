#include "notes/local/store_header.h"

#include "common/errors.h"
#include "notes/local/store_schema.h"

#include <array>
#include <cstring>
#include <fmt/format.h>
#include <fstream>

namespace varnemo::notes::local {
namespace {

// The layout of the database header in the SQLite file format.
constexpr std::size_t kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3";  // 16 bytes with its terminating NUL
constexpr std::size_t kUserVersionOffset = 60;
constexpr std::size_t kApplicationIdOffset = 68;

using Header = std::array<unsigned char, kHeaderSize>;

std::uint32_t BigEndianAt(const Header& header, std::size_t offset)
{
    return std::uint32_t{header[offset]} << 24 | std::uint32_t{header[offset + 1]} << 16 |
           std::uint32_t{header[offset + 2]} << 8 | std::uint32_t{header[offset + 3]};
}

[[noreturn]] void Refuse(const std::filesystem::path& path, std::string_view why)
{
    throw ComponentError(
        fmt::format("{} is not a Varnemo Notes database ({}); the file was left as it is", path.string(), why));
}

Header ReadHeader(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw ComponentError(fmt::format("database not found: {}", path.string()));
    if (!std::filesystem::is_regular_file(path, error))
        Refuse(path, "not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ComponentError(fmt::format("cannot read the database {}", path.string()));
    Header header{};
    in.read(reinterpret_cast<char*>(header.data()), kHeaderSize);
    if (in.gcount() != static_cast<std::streamsize>(kHeaderSize))
        Refuse(path, "too short to be a SQLite database");
    return header;
}

}  // namespace

void CheckStoreHeader(const std::filesystem::path& path)
{
    const Header header = ReadHeader(path);
    if (std::memcmp(header.data(), kMagic, sizeof kMagic) != 0)
        Refuse(path, "not a SQLite database");
    const std::uint32_t applicationId = BigEndianAt(header, kApplicationIdOffset);
    if (applicationId != kStoreApplicationId)
        Refuse(path, fmt::format("a SQLite database of another program, application id {:#010x}", applicationId));
    const std::uint32_t version = BigEndianAt(header, kUserVersionOffset);
    if (version > kStoreSchemaVersion)
        throw ComponentError(fmt::format("the database {} has layout version {}, newer than the version {} this "
                                         "program knows; open it with a newer Varnemo",
                                         path.string(), version, kStoreSchemaVersion));
    if (version < 1)
        Refuse(path, "its tables were never set up");
}

}  // namespace varnemo::notes::local
