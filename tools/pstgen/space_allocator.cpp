#include "space_allocator.h"

#include "format_constants.h"

#include <bit>
#include <stdexcept>

namespace pstgen {

namespace {

constexpr std::uint64_t kSlot = 64;
// The free map in the header covers the first 128 sections; later ones have free-map pages
// every 496 sections. The free-page map in the header covers 128 page maps (1,024 sections).
constexpr std::size_t kHeaderFreeMapSections = 128;
constexpr std::size_t kFreeMapSections = kPageContentSize;
constexpr std::size_t kHeaderFreePageMapSections = 128 * 8;
constexpr std::size_t kFreePageMapSections = kPageContentSize * 8;

std::size_t SectionOf(std::uint64_t offset)
{
    return static_cast<std::size_t>((offset - kFirstAllocationMapOffset) / kAllocationMapCoverage);
}

bool EveryFrom(std::size_t index, std::size_t first, std::size_t interval)
{
    return index >= first && (index - first) % interval == 0;
}

}  // namespace

MapSection MapSection::At(std::size_t index)
{
    return {kFirstAllocationMapOffset + index * kAllocationMapCoverage, index % 8 == 0,
            EveryFrom(index, kHeaderFreeMapSections, kFreeMapSections),
            EveryFrom(index, kHeaderFreePageMapSections, kFreePageMapSections)};
}

std::uint64_t MapSection::headSize() const
{
    return kPageSize * (1 + hasPageMap + hasFreeMap + hasFreePageMap);
}

SpaceAllocator::SpaceAllocator()
{
    OpenNextSection();
}

std::uint64_t SpaceAllocator::Allocate(std::uint64_t size, std::uint64_t alignment)
{
    auto offset = AlignUp(cursor_, alignment);
    const auto sectionEnd = MapSection::At(bits_.size() - 1).start + kAllocationMapCoverage;
    if (offset + size > sectionEnd) {
        OpenNextSection();
        offset = AlignUp(cursor_, alignment);
    }
    MarkAllocated(offset, size);
    cursor_ = offset + size;
    return offset;
}

std::uint64_t SpaceAllocator::FreeBytes(std::size_t index) const
{
    std::uint64_t used = 0;
    for (const auto byte : bits_[index])
        used += static_cast<std::uint64_t>(std::popcount(byte));
    return (kAllocationMapCoverage / kSlot - used) * kSlot;
}

void SpaceAllocator::OpenNextSection()
{
    const auto section = MapSection::At(bits_.size());
    bits_.emplace_back(kPageContentSize, 0);
    MarkAllocated(section.start, section.headSize());
    cursor_ = section.start + section.headSize();
}

void SpaceAllocator::MarkAllocated(std::uint64_t offset, std::uint64_t size)
{
    auto& bits = bits_.at(SectionOf(offset));
    const auto first = (offset - MapSection::At(SectionOf(offset)).start) / kSlot;
    const auto count = AlignUp(size, kSlot) / kSlot;
    if (first + count > kPageContentSize * 8)
        throw std::logic_error("an allocation crosses an allocation-map section");
    for (auto slot = first; slot < first + count; ++slot)
        bits[slot / 8] |= static_cast<std::uint8_t>(0x80 >> (slot % 8));
}

}  // namespace pstgen
