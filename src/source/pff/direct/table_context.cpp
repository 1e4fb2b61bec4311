#include "source/pff/direct/table_context.h"

#include "source/pff/direct/file_layout.h"
#include "source/pff/direct/heap_on_node.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::size_t kTableInfoSize = 22;
constexpr std::size_t kColumnCountOffset = 1;
constexpr std::size_t kPresenceBitsEndOffset = 6;  // where the cell presence bits start in a row
constexpr std::size_t kRowSizeOffset = 8;
constexpr std::size_t kRowIndexOffset = 10;
constexpr std::size_t kRowMatrixOffset = 14;
constexpr std::size_t kColumnDescriptionSize = 8;
constexpr std::size_t kRowIdSize = 4;

struct Column {
    std::uint16_t id = 0;
    std::uint16_t type = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
    std::size_t presenceBit = 0;
};

std::string_view TableInfo(const HeapOnNode& heap)
{
    const auto info = heap.Allocation(heap.userRoot());
    if (info.size() < kTableInfoSize || static_cast<std::uint8_t>(info[0]) != layout::kTableContextHeap)
        heap.Damaged("its table header is wrong");
    return info;
}

std::vector<Column> ColumnsOf(const HeapOnNode& heap, std::string_view info)
{
    const std::size_t count = static_cast<std::uint8_t>(info[kColumnCountOffset]);
    if (kTableInfoSize + count * kColumnDescriptionSize > info.size())
        heap.Damaged("its column list is cut short");
    std::vector<Column> columns;
    for (std::size_t i = 0; i < count; ++i) {
        const auto at = kTableInfoSize + i * kColumnDescriptionSize;
        const auto tag = layout::Get<std::uint32_t>(info, at);
        columns.push_back({static_cast<std::uint16_t>(tag >> 16), static_cast<std::uint16_t>(tag),
                           layout::Get<std::uint16_t>(info, at + 4), static_cast<std::uint8_t>(info[at + 6]),
                           static_cast<std::uint8_t>(info[at + 7])});
    }
    return columns;
}

// Values of these types sit in the row itself; the others are named by a heap or node id.
std::optional<std::size_t> FixedSize(std::uint16_t type)
{
    switch (type) {
    case 0x000B: return 1;  // boolean
    case 0x0002: return 2;  // 16-bit integer
    case 0x0003:            // 32-bit integer
    case 0x0004:            // 32-bit float
    case 0x000A: return 4;  // error code
    case 0x0005:            // double
    case 0x0006:            // currency
    case 0x0007:            // application time
    case 0x0014:            // 64-bit integer
    case 0x0040: return 8;  // file time
    default: return std::nullopt;
    }
}

bool IsPresent(std::string_view row, std::size_t presenceStart, std::size_t bit)
{
    const auto at = presenceStart + bit / 8;
    return at < row.size() && (static_cast<std::uint8_t>(row[at]) & (0x80u >> (bit % 8))) != 0;
}

std::vector<StoredProperty> CellsOf(const HeapOnNode& heap, std::string_view row, const std::vector<Column>& columns,
                                    std::size_t presenceStart)
{
    std::vector<StoredProperty> cells;
    for (const auto& column : columns) {
        if (!IsPresent(row, presenceStart, column.presenceBit))
            continue;
        if (column.offset + column.size > row.size())
            heap.Damaged("a column lies beyond its row");
        StoredProperty cell{column.id, column.type, {}, std::nullopt};
        const auto value = row.substr(column.offset, column.size);
        if (const auto size = FixedSize(column.type); size && *size <= column.size)
            cell.bytes = std::string(value.substr(0, *size));
        else if (const auto id = layout::Get<std::uint32_t>(value, 0); (id & 0x1F) != 0)
            cell.subnode = id;
        else if (id != 0)
            cell.bytes = std::string(heap.Allocation(id));
        cells.push_back(std::move(cell));
    }
    return cells;
}

}  // namespace

std::vector<std::uint32_t> ReadTableRowIds(const std::vector<std::string>& blocks, const std::string& where)
{
    const HeapOnNode heap(blocks, layout::kTableContextHeap, where);
    const auto info = TableInfo(heap);
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

std::vector<std::vector<StoredProperty>> ReadTableRows(const NodeDatabase& nodes, const NodeBlocks& table,
                                                       const std::string& where)
{
    const auto blocks = nodes.DataBlocks(table.data);
    const HeapOnNode heap(blocks, layout::kTableContextHeap, where);
    const auto info = TableInfo(heap);
    const auto columns = ColumnsOf(heap, info);
    const std::size_t rowSize = layout::Get<std::uint16_t>(info, kRowSizeOffset);
    const std::size_t presenceStart = layout::Get<std::uint16_t>(info, kPresenceBitsEndOffset);
    const auto matrix = layout::Get<std::uint32_t>(info, kRowMatrixOffset);
    if (matrix == 0)
        return {};
    if (rowSize == 0)
        heap.Damaged("its rows have no size");

    // A row matrix too large for the heap lies in a sub-node; its rows never straddle blocks.
    std::vector<std::string> matrixBlocks;
    if ((matrix & 0x1F) != 0) {
        const auto node = nodes.FindSubnode(table.subnodes, matrix);
        if (!node)
            heap.Damaged("the node of its rows is missing");
        matrixBlocks = nodes.DataBlocks(node->data);
    } else
        matrixBlocks.emplace_back(heap.Allocation(matrix));

    std::vector<std::vector<StoredProperty>> rows;
    for (const std::string_view block : matrixBlocks) {
        for (std::size_t at = 0; at + rowSize <= block.size(); at += rowSize)
            rows.push_back(CellsOf(heap, block.substr(at, rowSize), columns, presenceStart));
    }
    return rows;
}

}  // namespace varnemo::mapi::pff::direct
