#include "notes/dxl/base64_stream.h"

#include "notes/dxl/glib_library.h"

namespace varnemo::notes::dxl {
namespace {

constexpr std::size_t kInputSize = 48 * 1024;

// What g_base64_encode_step may write for that much input with line breaks, by GLib's rule.
constexpr std::size_t EncodedCapacity(std::size_t inputSize)
{
    const std::size_t plain = (inputSize / 3 + 1) * 4 + 4;
    return plain + plain / 76 + 1;
}

}  // namespace

Base64Stream::Base64Stream(Sink sink) : std::ostream(&buffer_), buffer_(std::move(sink))
{
    // A failing sink keeps its own message instead of becoming a bare stream error.
    exceptions(std::ios::badbit);
}

void Base64Stream::Close()
{
    flush();
    buffer_.Close();
}

Base64Stream::Buffer::Buffer(Sink sink)
    : sink_(std::move(sink)), input_(kInputSize), encoded_(EncodedCapacity(kInputSize))
{
    setp(input_.data(), input_.data() + input_.size());
}

Base64Stream::Buffer::int_type Base64Stream::Buffer::overflow(int_type c)
{
    EncodePending();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int Base64Stream::Buffer::sync()
{
    EncodePending();
    return 0;
}

void Base64Stream::Buffer::EncodePending()
{
    const auto pending = static_cast<gsize>(pptr() - pbase());
    if (pending == 0)
        return;
    const gsize written = GLib().g_base64_encode_step(reinterpret_cast<const guchar*>(pbase()), pending, TRUE,
                                                      encoded_.data(), &state_, &save_);
    setp(input_.data(), input_.data() + input_.size());
    if (written > 0)
        sink_(std::string_view(encoded_.data(), written));
}

void Base64Stream::Buffer::Close()
{
    EncodePending();
    const gsize written = GLib().g_base64_encode_close(TRUE, encoded_.data(), &state_, &save_);
    if (written > 0)
        sink_(std::string_view(encoded_.data(), written));
}

}  // namespace varnemo::notes::dxl
