#include "source/pff/attachment_data.h"

#include "common/errors.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace varnemo::mapi::pff {
namespace {

constexpr std::size_t kWriteSize = 64 * 1024;

}  // namespace

void WriteFileThrough(const std::filesystem::path& path, const std::string& what,
                      const std::function<void(const ByteSink&)>& write)
{
    const auto fail = [&] {
        throw ComponentError(fmt::format("cannot save {} as {}: {}", what, path.string(), std::strerror(errno)));
    };
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        fail();
    // The reader hands over one data block (8 KiB) at a time, and the stream writes anything of
    // more than 1 KiB at once: gathered, most attachments take one write instead of one per block.
    std::string pending;
    const auto writePending = [&] {
        if (!out.write(pending.data(), static_cast<std::streamsize>(pending.size())))
            fail();
        pending.clear();
    };
    write([&](std::string_view bytes) {
        if (pending.size() + bytes.size() > kWriteSize)
            writePending();
        pending.append(bytes);
    });
    writePending();
    out.close();
    if (!out)
        fail();
}

}  // namespace varnemo::mapi::pff
