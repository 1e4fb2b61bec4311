#pragma once

#include <functional>
#include <ostream>
#include <streambuf>
#include <string_view>
#include <vector>

namespace varnemo::notes::dxl {

// An output stream that hands on the base64 form (in lines of 76) of the bytes written to it,
// piece by piece, so that an attachment of any size passes through a small buffer. Close()
// hands on the end of the encoding; nothing is handed on after it.
class Base64Stream : public std::ostream {
public:
    using Sink = std::function<void(std::string_view encoded)>;

    explicit Base64Stream(Sink sink);
    void Close();

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(Sink sink);
        void Close();

    protected:
        int_type overflow(int_type c) override;
        int sync() override;

    private:
        void EncodePending();

        Sink sink_;
        std::vector<char> input_;
        std::vector<char> encoded_;
        int state_ = 0;
        int save_ = 0;
    };

    Buffer buffer_;
};

}  // namespace varnemo::notes::dxl
