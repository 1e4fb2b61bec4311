#pragma once

// The fixed numbers of the Unicode (64-bit) Outlook data file: sizes, page and node types, the
// reserved node ids and the property types. The layout of pages and blocks is the one the
// program's own reader reads, from the same header.

#include "source/pff/direct/file_layout.h"

#include <cstddef>
#include <cstdint>

namespace pstgen {

namespace layout = varnemo::mapi::pff::direct::layout;
inline constexpr const layout::Format& kFormat = layout::kUnicode;

// Blocks hold at most 8 KiB including their trailer and are aligned to 64 bytes.
constexpr std::size_t kBlockTrailerSize = kFormat.blockTrailerSize;
constexpr std::size_t kMaxBlockData = kFormat.maxBlockData();
constexpr std::size_t kBlockAlignment = layout::kBlockAlignment;

// Pages are 512 bytes: the content that the checksum covers, then the trailer.
constexpr std::size_t kPageSize = layout::kPageSize;
constexpr std::size_t kPageContentSize = kFormat.pageCheckedSize;

// Every allocation map page describes the 253,952 bytes that start with itself.
constexpr std::uint64_t kDensityListOffset = 0x4200;
constexpr std::uint64_t kFirstAllocationMapOffset = 0x4400;
constexpr std::uint64_t kAllocationMapCoverage = kPageContentSize * 8 * 64;

// The largest value a heap allocation may hold; larger values go to a sub-node.
constexpr std::size_t kMaxHeapAllocation = 3580;

enum class PageType : std::uint8_t {
    BlockBTree = layout::kBlockBTreePage,
    NodeBTree = layout::kNodeBTreePage,
    FreeMap = 0x82,
    PageMap = 0x83,
    AllocationMap = 0x84,
    FreePageMap = 0x85,
    DensityList = 0x86,
};

// The low five bits of a node id say what the node is.
namespace nid_type {
constexpr std::uint32_t kNormalFolder = 0x02;
constexpr std::uint32_t kNormalMessage = 0x04;
constexpr std::uint32_t kAttachment = 0x05;
constexpr std::uint32_t kHierarchyTable = 0x0D;
constexpr std::uint32_t kContentsTable = 0x0E;
constexpr std::uint32_t kAssociatedContentsTable = 0x0F;
constexpr std::uint32_t kSearchContentsTable = 0x10;
constexpr std::uint32_t kLtp = 0x1F;
}  // namespace nid_type

constexpr std::uint32_t MakeNid(std::uint32_t type, std::uint32_t index) { return index << 5 | type; }
constexpr std::uint32_t NidType(std::uint32_t nid) { return nid & 0x1F; }
constexpr std::uint32_t NidIndex(std::uint32_t nid) { return nid >> 5; }
// The node of the same object with another type: a folder's tables share its index.
constexpr std::uint32_t WithType(std::uint32_t nid, std::uint32_t type) { return (nid & ~0x1Fu) | type; }

namespace nid {
constexpr std::uint32_t kMessageStore = 0x21;
constexpr std::uint32_t kNameToIdMap = 0x61;
constexpr std::uint32_t kRootFolder = 0x122;
constexpr std::uint32_t kHierarchyTableTemplate = 0x60D;
constexpr std::uint32_t kContentsTableTemplate = 0x60E;
constexpr std::uint32_t kAssociatedContentsTableTemplate = 0x60F;
constexpr std::uint32_t kSearchContentsTableTemplate = 0x610;
constexpr std::uint32_t kAttachmentTable = 0x671;
constexpr std::uint32_t kRecipientTable = 0x692;
constexpr std::uint32_t kSpamSearchFolder = 0x2223;
constexpr std::uint32_t kIpmSubtree = 0x8022;
constexpr std::uint32_t kSearchRoot = 0x8042;
constexpr std::uint32_t kDeletedItems = 0x8062;
}  // namespace nid

namespace prop_type {
constexpr std::uint16_t kInteger16 = 0x0002;
constexpr std::uint16_t kInteger32 = 0x0003;
constexpr std::uint16_t kFloating32 = 0x0004;
constexpr std::uint16_t kFloating64 = 0x0005;
constexpr std::uint16_t kCurrency = 0x0006;
constexpr std::uint16_t kFloatingTime = 0x0007;
constexpr std::uint16_t kErrorCode = 0x000A;
constexpr std::uint16_t kBoolean = 0x000B;
constexpr std::uint16_t kObject = 0x000D;
constexpr std::uint16_t kInteger64 = 0x0014;
constexpr std::uint16_t kString = 0x001F;
constexpr std::uint16_t kTime = 0x0040;
constexpr std::uint16_t kGuid = 0x0048;
constexpr std::uint16_t kBinary = 0x0102;
constexpr std::uint16_t kMultipleString = 0x101F;
constexpr std::uint16_t kMultipleBinary = 0x1102;
}  // namespace prop_type

// Bytes of a fixed-size property type; 0 for types whose values vary in size.
constexpr std::size_t FixedValueSize(std::uint16_t type)
{
    switch (type) {
    case prop_type::kBoolean: return 1;
    case prop_type::kInteger16: return 2;
    case prop_type::kInteger32:
    case prop_type::kFloating32:
    case prop_type::kErrorCode: return 4;
    case prop_type::kFloating64:
    case prop_type::kCurrency:
    case prop_type::kFloatingTime:
    case prop_type::kInteger64:
    case prop_type::kTime: return 8;
    case prop_type::kGuid: return 16;
    default: return 0;
    }
}

constexpr std::uint32_t PropertyTag(std::uint16_t id, std::uint16_t type) { return std::uint32_t{id} << 16 | type; }

}  // namespace pstgen
