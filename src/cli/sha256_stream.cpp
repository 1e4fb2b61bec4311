#include "cli/sha256_stream.h"

#include <glib.h>

namespace varnemo::cli {

Sha256Stream::Sha256Stream() : std::ostream(nullptr), checksum_(g_checksum_new(G_CHECKSUM_SHA256)), buffer_(checksum_)
{
    rdbuf(&buffer_);
}

Sha256Stream::~Sha256Stream()
{
    g_checksum_free(checksum_);
}

std::string Sha256Stream::Hex()
{
    return g_checksum_get_string(checksum_);
}

std::streamsize Sha256Stream::Buffer::xsputn(const char* data, std::streamsize size)
{
    g_checksum_update(checksum_, reinterpret_cast<const guchar*>(data), static_cast<gssize>(size));
    return size;
}

Sha256Stream::Buffer::int_type Sha256Stream::Buffer::overflow(int_type c)
{
    if (c != traits_type::eof()) {
        const auto byte = static_cast<guchar>(c);
        g_checksum_update(checksum_, &byte, 1);
    }
    return traits_type::not_eof(c);
}

}  // namespace varnemo::cli
