#include "source/pff/attachment_data.h"

#include "common/errors.h"
#include "source/pff/pff_error.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

namespace varnemo::mapi::pff {

void ReadAttachmentData(libpff_item_t* attachment, const std::string& where, const ByteSink& sink)
{
    const char* what = "cannot read the attachment's data";
    size64_t size = 0;
    const int hasData = CheckPff(what, where, [&](libpff_error_t** e) {
        return libpff_attachment_get_data_size(attachment, &size, e);
    });
    if (hasData != 1 || size == 0)
        return;
    CheckPff(what, where, [&](libpff_error_t** e) {
        return libpff_attachment_data_seek_offset(attachment, 0, SEEK_SET, e) < 0 ? -1 : 1;
    });
    constexpr size_t ChunkSize = 1 << 20;
    std::vector<char> chunk(static_cast<size_t>(std::min<size64_t>(size, ChunkSize)));
    for (size64_t done = 0; done < size;) {
        ssize_t read = 0;
        CheckPff(what, where, [&](libpff_error_t** e) {
            read = libpff_attachment_data_read_buffer(attachment, reinterpret_cast<uint8_t*>(chunk.data()),
                                                      chunk.size(), e);
            return read < 0 ? -1 : 1;
        });
        if (read == 0)
            throw ComponentError(fmt::format("{} ({}): the data ends after {} of {} bytes", what, where, done, size));
        sink(std::string_view(chunk.data(), static_cast<size_t>(read)));
        done += static_cast<size64_t>(read);
    }
}

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
