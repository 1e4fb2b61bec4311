#pragma once

// The file being written: data arrives mostly front to back, so it is gathered in a buffer and
// written in large pieces; the map pages and the header are written last, at their places.

#include "little_endian.h"

#include <filesystem>

namespace pstgen {

class OutputFile {
public:
    explicit OutputFile(std::filesystem::path path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void WriteAt(std::uint64_t offset, ByteView data);
    // Writes what is buffered and sets the file's size.
    void Finish(std::uint64_t size);

private:
    void Flush();
    void WriteThrough(std::uint64_t offset, ByteView data);

    std::filesystem::path path_;
    int fd_ = -1;
    std::uint64_t bufferStart_ = 0;
    Bytes buffer_;
};

}  // namespace pstgen
