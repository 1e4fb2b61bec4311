#include "cli/sha256_stream.h"

#include "common/shared_library.h"

#include <glib.h>

namespace varnemo::cli {
namespace {

#define VARNEMO_CHECKSUM_FUNCTIONS(X)                                                                                \
    X(g_checksum_free)                                                                                               \
    X(g_checksum_get_string)                                                                                         \
    X(g_checksum_new)                                                                                                \
    X(g_checksum_update)

// GLib's checksums, opened by the one command that takes them rather than loaded at every start.
VARNEMO_LIBRARY_TABLE(ChecksumLibrary, VARNEMO_CHECKSUM_FUNCTIONS);

const ChecksumLibrary& Checksums()
{
    return OpenedLibrary<ChecksumLibrary>(VARNEMO_GLIB_LIBRARY);
}

}  // namespace

Sha256Stream::Sha256Stream()
    : std::ostream(nullptr), checksum_(Checksums().g_checksum_new(G_CHECKSUM_SHA256)), buffer_(checksum_)
{
    rdbuf(&buffer_);
}

Sha256Stream::~Sha256Stream()
{
    Checksums().g_checksum_free(checksum_);
}

std::string Sha256Stream::Hex()
{
    return Checksums().g_checksum_get_string(checksum_);
}

std::streamsize Sha256Stream::Buffer::xsputn(const char* data, std::streamsize size)
{
    Checksums().g_checksum_update(checksum_, reinterpret_cast<const guchar*>(data), static_cast<gssize>(size));
    return size;
}

Sha256Stream::Buffer::int_type Sha256Stream::Buffer::overflow(int_type c)
{
    if (c != traits_type::eof()) {
        const auto byte = static_cast<guchar>(c);
        Checksums().g_checksum_update(checksum_, &byte, 1);
    }
    return traits_type::not_eof(c);
}

}  // namespace varnemo::cli
