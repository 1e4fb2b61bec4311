#pragma once

// Where attachment bytes come from: memory, a file, or a seeded pseudo-random stream that can be
// made again from its seed (for large synthetic attachments that are never held in memory).

#include "property.h"

#include <filesystem>

namespace pstgen {

class MemoryBytes : public ByteSource {
public:
    explicit MemoryBytes(Bytes bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    void Read(const std::function<void(ByteView)>& sink) const override { sink(bytes_); }

private:
    Bytes bytes_;
};

class FileBytes : public ByteSource {
public:
    // Throws when the file cannot be read.
    explicit FileBytes(std::filesystem::path path);
    std::uint64_t Size() const override { return size_; }
    void Read(const std::function<void(ByteView)>& sink) const override;

private:
    std::filesystem::path path_;
    std::uint64_t size_;
};

class PatternBytes : public ByteSource {
public:
    PatternBytes(std::uint64_t size, std::uint64_t seed) : size_(size), seed_(seed) {}
    std::uint64_t Size() const override { return size_; }
    void Read(const std::function<void(ByteView)>& sink) const override;

private:
    std::uint64_t size_;
    std::uint64_t seed_;
};

}  // namespace pstgen
