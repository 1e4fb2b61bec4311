#include "map_pages.h"

#include "format_constants.h"
#include "page.h"

namespace pstgen {

namespace {

// Map pages carry no signature; their id is their own offset.
void WriteMapPage(OutputFile& file, PageType type, std::uint64_t offset, ByteView content)
{
    file.WriteAt(offset, MakePage(type, content, 0, offset));
}

// The page map and the free maps are superseded by the density list; they are written so that
// older readers find them, marking nothing as free so that nobody allocates through them.
void WriteLegacyMaps(OutputFile& file, const MapSection& section)
{
    auto offset = section.start + kPageSize;
    if (section.hasPageMap) {
        WriteMapPage(file, PageType::PageMap, offset, Bytes(kPageContentSize, 0xFF));
        offset += kPageSize;
    }
    if (section.hasFreeMap) {
        WriteMapPage(file, PageType::FreeMap, offset, Bytes(kPageContentSize, 0));
        offset += kPageSize;
    }
    if (section.hasFreePageMap)
        WriteMapPage(file, PageType::FreePageMap, offset, Bytes(kPageContentSize, 0));
}

// An empty density list: no free space is offered for reuse, new data goes to the end.
void WriteDensityList(OutputFile& file, std::size_t lastSection)
{
    Bytes content;
    PutLE(content, std::uint8_t{0});
    PutLE(content, std::uint8_t{0});
    PutLE(content, std::uint16_t{0});
    PutLE(content, static_cast<std::uint32_t>(lastSection));
    content.resize(kPageContentSize, 0);
    WriteMapPage(file, PageType::DensityList, kDensityListOffset, content);
}

}  // namespace

MapSummary WriteMapPages(OutputFile& file, const SpaceAllocator& space)
{
    MapSummary summary{0, 0, 0};
    for (std::size_t i = 0; i < space.SectionCount(); ++i) {
        const auto section = MapSection::At(i);
        WriteMapPage(file, PageType::AllocationMap, section.start, space.SectionBits(i));
        WriteLegacyMaps(file, section);
        summary.lastAllocationMap = section.start;
        summary.freeBytes += space.FreeBytes(i);
        summary.fileEnd = section.start + kAllocationMapCoverage;
    }
    WriteDensityList(file, space.SectionCount() - 1);
    return summary;
}

}  // namespace pstgen
