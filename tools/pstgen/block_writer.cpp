#include "block_writer.h"

#include "block_checksum.h"
#include "format_constants.h"

#include "source/pff/direct/block_encoding.h"

#include <fmt/format.h>

#include <stdexcept>

namespace pstgen {

namespace encoding = varnemo::mapi::pff::direct::encoding;
static_assert(static_cast<std::uint8_t>(Encoding::None) == layout::kNoEncoding);
static_assert(static_cast<std::uint8_t>(Encoding::Compressible) == layout::kPermuteEncoding);
static_assert(static_cast<std::uint8_t>(Encoding::High) == layout::kCyclicEncoding);

std::uint64_t BlockWriter::Write(ByteView data, bool internal)
{
    if (data.size() > kMaxBlockData)
        throw std::logic_error(fmt::format("a block of {} bytes exceeds {}", data.size(), kMaxBlockData));
    // The id's second bit marks internal blocks; ids advance by four.
    const std::uint64_t bid = nextIndex_++ << 2 | (internal ? 2u : 0u);
    const auto size = AlignUp(data.size() + kBlockTrailerSize, kBlockAlignment);
    const auto offset = space_.Allocate(size, kBlockAlignment);

    scratch_.assign(data.begin(), data.end());
    if (!internal)
        encoding::Encode(static_cast<std::uint8_t>(encoding_), bid, reinterpret_cast<char*>(scratch_.data()),
                         scratch_.size());
    AppendZeros(scratch_, size - kBlockTrailerSize - data.size());
    PutLE(scratch_, static_cast<std::uint16_t>(data.size()));
    PutLE(scratch_, BlockSignature(offset, bid));
    PutLE(scratch_, BlockCrc(ByteView(scratch_).first(data.size())));
    PutLE(scratch_, bid);
    file_.WriteAt(offset, scratch_);
    records_.push_back({bid, offset, static_cast<std::uint16_t>(data.size())});
    return bid;
}

}  // namespace pstgen
