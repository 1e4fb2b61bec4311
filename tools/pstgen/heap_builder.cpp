#include "heap_builder.h"

#include "format_constants.h"

#include <fmt/format.h>

#include <stdexcept>

namespace pstgen {

namespace {

constexpr std::uint8_t kHeapSignature = 0xEC;
constexpr std::size_t kFirstHeaderSize = 12;
constexpr std::size_t kPageHeaderSize = 2;
constexpr std::size_t kBitmapHeaderSize = 66;
constexpr std::size_t kPagesPerBitmap = 128;
constexpr std::size_t kFirstBitmapPage = 8;

bool HasBitmap(std::size_t pageIndex)
{
    return pageIndex >= kFirstBitmapPage && (pageIndex - kFirstBitmapPage) % kPagesPerBitmap == 0;
}

// How full a page is, in the sixteen steps that allocators use to find room quickly.
std::uint8_t FillLevel(std::size_t freeBytes)
{
    static constexpr std::size_t kLowerBounds[] = {3584, 2560, 2048, 1792, 1536, 1280, 1024, 768,
                                                   512,  256,  128,  64,   32,   16,   8};
    std::uint8_t level = 0;
    for (const auto bound : kLowerBounds) {
        if (freeBytes >= bound)
            return level;
        ++level;
    }
    return level;
}

}  // namespace

HeapBuilder::HeapBuilder(std::uint8_t clientSignature) : clientSignature_(clientSignature)
{
    OpenPage();
}

std::uint32_t HeapBuilder::Allocate(ByteView data)
{
    if (data.size() > kMaxHeapAllocation)
        throw std::logic_error(fmt::format("a heap allocation of {} bytes exceeds {}", data.size(), kMaxHeapAllocation));
    auto fits = [&](const Page& page) {
        return AlignUp(page.data.size() + data.size(), 2) + PageMapSize(page.starts.size() + 1) <= kMaxBlockData;
    };
    if (!fits(pages_.back()))
        OpenPage();
    auto& page = pages_.back();
    page.starts.push_back(static_cast<std::uint16_t>(page.data.size()));
    Append(page.data, data);
    const auto pageIndex = static_cast<std::uint32_t>(pages_.size() - 1);
    return pageIndex << 16 | static_cast<std::uint32_t>(page.starts.size()) << 5;
}

std::vector<Bytes> HeapBuilder::Finish(std::uint32_t userRoot)
{
    for (auto& page : pages_) {
        const auto end = static_cast<std::uint16_t>(page.data.size());
        AppendZeros(page.data, AlignUp(end, 2) - end);
        SetLE(page.data, 0, static_cast<std::uint16_t>(page.data.size()));
        PutLE(page.data, static_cast<std::uint16_t>(page.starts.size()));
        PutLE(page.data, std::uint16_t{0});
        for (const auto start : page.starts)
            PutLE(page.data, start);
        PutLE(page.data, end);
    }
    CloseHeaders(userRoot);
    std::vector<Bytes> blocks;
    for (auto& page : pages_)
        blocks.push_back(std::move(page.data));
    return blocks;
}

std::size_t HeapBuilder::HeaderSize(std::size_t pageIndex)
{
    if (pageIndex == 0)
        return kFirstHeaderSize;
    return HasBitmap(pageIndex) ? kBitmapHeaderSize : kPageHeaderSize;
}

std::size_t HeapBuilder::PageMapSize(std::size_t allocations)
{
    return 4 + 2 * (allocations + 1);
}

void HeapBuilder::OpenPage()
{
    pages_.push_back({Bytes(HeaderSize(pages_.size()), 0), {}});
}

// Writes the parts of the page headers that need the finished pages: the signature and root in
// the first page, and the fill levels that the first page and every bitmap page keep.
void HeapBuilder::CloseHeaders(std::uint32_t userRoot)
{
    auto& first = pages_.front().data;
    first[2] = kHeapSignature;
    first[3] = clientSignature_;
    SetLE(first, 4, userRoot);
    auto setLevels = [&](Bytes& header, std::size_t at, std::size_t firstPage, std::size_t count) {
        for (std::size_t i = 0; i < count && firstPage + i < pages_.size(); ++i) {
            const auto level = FillLevel(kMaxBlockData - pages_[firstPage + i].data.size());
            header[at + i / 2] |= static_cast<std::uint8_t>(i % 2 == 0 ? level : level << 4);
        }
    };
    setLevels(first, 8, 0, kFirstBitmapPage);
    for (std::size_t index = kFirstBitmapPage; index < pages_.size(); index += kPagesPerBitmap)
        setLevels(pages_[index].data, 2, index, kPagesPerBitmap);
}

}  // namespace pstgen
