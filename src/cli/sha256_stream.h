#pragma once

#include <ostream>
#include <streambuf>
#include <string>

typedef struct _GChecksum GChecksum;

namespace varnemo::cli {

// An output stream that computes the SHA-256 of what is written to it, without keeping it.
class Sha256Stream : public std::ostream {
public:
    Sha256Stream();
    ~Sha256Stream() override;
    // Lower-case hexadecimal digest of everything written so far.
    std::string Hex();

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(GChecksum* checksum) : checksum_(checksum) {}

    protected:
        std::streamsize xsputn(const char* data, std::streamsize size) override;
        int_type overflow(int_type c) override;

    private:
        GChecksum* checksum_;
    };

    GChecksum* checksum_;
    Buffer buffer_;
};

}  // namespace varnemo::cli
