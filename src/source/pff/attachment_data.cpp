#include "source/pff/attachment_data.h"

#include "common/errors.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace varnemo::mapi::pff {

void WriteFileThrough(const std::filesystem::path& path, const std::string& what,
                      const std::function<void(const ByteSink&)>& write)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw ComponentError(fmt::format("cannot save {} as {}: {}", what, path.string(), std::strerror(errno)));
    write([&](std::string_view bytes) {
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
            throw ComponentError(fmt::format("cannot save {} as {}: {}", what, path.string(), std::strerror(errno)));
    });
    out.close();
    if (!out)
        throw ComponentError(fmt::format("cannot save {} as {}: {}", what, path.string(), std::strerror(errno)));
}

}  // namespace varnemo::mapi::pff
