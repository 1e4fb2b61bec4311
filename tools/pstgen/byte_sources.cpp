#include "byte_sources.h"

#include <fmt/format.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace pstgen {

namespace {

constexpr std::size_t kChunkSize = 1 << 20;

std::uint64_t SplitMix64(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

FileBytes::FileBytes(std::filesystem::path path) : path_(std::move(path))
{
    std::error_code error;
    size_ = std::filesystem::file_size(path_, error);
    if (error)
        throw std::runtime_error(fmt::format("cannot read attachment file {}: {}", path_.string(), error.message()));
}

void FileBytes::Read(const std::function<void(ByteView)>& sink) const
{
    std::ifstream in(path_, std::ios::binary);
    Bytes chunk(kChunkSize);
    std::uint64_t total = 0;
    while (in) {
        in.read(reinterpret_cast<char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        total += got;
        if (got > 0)
            sink(ByteView(chunk).first(got));
    }
    if (total != size_)
        throw std::runtime_error(fmt::format("attachment file {} changed while it was read", path_.string()));
}

void PatternBytes::Read(const std::function<void(ByteView)>& sink) const
{
    auto state = seed_;
    Bytes chunk;
    for (std::uint64_t done = 0; done < size_;) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kChunkSize, size_ - done));
        chunk.resize(AlignUp(count, 8));
        for (std::size_t at = 0; at < chunk.size(); at += 8)
            SetLE(chunk, at, SplitMix64(state));
        sink(ByteView(chunk).first(count));
        done += count;
    }
}

}  // namespace pstgen
