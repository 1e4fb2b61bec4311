#pragma once

// Little-endian byte buffers: every number in an Outlook data file is stored low byte first.

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

namespace pstgen {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

template <typename T>
    requires std::is_unsigned_v<T>
void PutLE(Bytes& out, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i)));
}

template <typename T>
    requires std::is_unsigned_v<T>
void SetLE(Bytes& out, std::size_t at, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out[at + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
}

template <typename T>
    requires std::is_unsigned_v<T>
T GetLE(ByteView in, std::size_t at)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<std::uint64_t>(in[at + i]) << (8 * i);
    return static_cast<T>(value);
}

inline void Append(Bytes& out, ByteView data) { out.insert(out.end(), data.begin(), data.end()); }

inline void AppendZeros(Bytes& out, std::size_t count) { out.resize(out.size() + count, 0); }

constexpr std::uint64_t AlignUp(std::uint64_t value, std::uint64_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

}  // namespace pstgen
