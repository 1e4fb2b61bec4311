#include "source/pff/direct/table_context.h"

#include "source/pff/direct/file_layout.h"
#include "source/pff/direct/heap_on_node.h"

#include <algorithm>
#include <utility>

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::uint8_t kTableContextSignature = 0x7C;
constexpr std::size_t kTableInfoSize = 22;
constexpr std::size_t kRowIndexOffset = 10;
constexpr std::size_t kRowIdSize = 4;

}  // namespace

std::vector<std::uint32_t> ReadTableRowIds(const std::vector<std::string>& blocks, const std::string& where)
{
    const HeapOnNode heap(blocks, kTableContextSignature, where);
    const auto info = heap.Allocation(heap.userRoot());
    if (info.size() < kTableInfoSize || static_cast<std::uint8_t>(info[0]) != kTableContextSignature)
        heap.Damaged("its table header is wrong");
    // The row index maps each row id to the row's place in the row matrix.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> rows;
    if (const auto rowIndex = layout::Get<std::uint32_t>(info, kRowIndexOffset); rowIndex != 0) {
        ForEachBTreeRecord(heap, rowIndex, kRowIdSize, [&](std::string_view key, std::string_view data) {
            const auto place = data.size() >= 4 ? layout::Get<std::uint32_t>(data, 0) : layout::Get<std::uint16_t>(data, 0);
            rows.emplace_back(place, layout::Get<std::uint32_t>(key, 0));
        });
    }
    std::sort(rows.begin(), rows.end());
    std::vector<std::uint32_t> ids;
    ids.reserve(rows.size());
    for (const auto& row : rows)
        ids.push_back(row.second);
    return ids;
}

}  // namespace varnemo::mapi::pff::direct
