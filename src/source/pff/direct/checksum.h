#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace varnemo::mapi::pff::direct {

// The checksum of an Outlook data file's pages and blocks: CRC-32 without zlib's inversion
// before and after.
std::uint32_t Checksum(std::string_view data);

// Whether data has the checksum stored beside it. A fuzzing build takes every checksum as good,
// so that its inputs reach the structures behind them.
bool ChecksumHolds(std::string_view data, std::uint32_t stored);

// Sets right data that fails its stored checksum because one of its bytes, or one byte of the
// stored checksum, was changed: a bit flipped in memory or on the way to the disk. The checksum
// is linear, so the difference between the two checksums is the checksum of the change alone,
// and exactly one change of a single byte has it. True when data holds its checksum now; false,
// data untouched, when no single-byte change explains the difference or more than one does.
bool RepairOneChangedByte(std::span<char> data, std::uint32_t stored);

}  // namespace varnemo::mapi::pff::direct
