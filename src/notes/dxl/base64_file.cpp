#include "notes/dxl/base64_file.h"

#include "common/errors.h"
#include "notes/dxl/glib_library.h"

#include <algorithm>
#include <fmt/format.h>
#include <fstream>
#include <vector>

namespace varnemo::notes::dxl {
namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

}  // namespace

void DecodeBase64ToFile(std::string_view base64, const std::filesystem::path& file)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::vector<guchar> decoded(kPieceSize * 3 / 4 + 3);  // GLib's bound for one piece
    gint state = 0;
    guint save = 0;
    for (std::size_t at = 0; at < base64.size() && out; at += kPieceSize) {
        const std::size_t length = std::min(kPieceSize, base64.size() - at);
        const gsize count = GLib().g_base64_decode_step(base64.data() + at, length, decoded.data(), &state, &save);
        out.write(reinterpret_cast<const char*>(decoded.data()), static_cast<std::streamsize>(count));
    }
    out.close();
    if (!out)
        throw ComponentError(fmt::format("cannot write the temporary file {}", file.string()));
}

}  // namespace varnemo::notes::dxl
