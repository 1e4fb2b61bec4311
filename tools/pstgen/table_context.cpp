#include "table_context.h"

#include "bth_writer.h"
#include "data_tree.h"
#include "format_constants.h"
#include "value_storage.h"

#include <algorithm>
#include <map>

namespace pstgen {

namespace {

constexpr std::uint32_t kRowIdTag = PropertyTag(0x67F2, prop_type::kInteger32);
constexpr std::uint32_t kRowVersionTag = PropertyTag(0x67F3, prop_type::kInteger32);
constexpr std::uint8_t kTableSignature = 0x7C;

std::uint8_t CellSize(std::uint32_t tag)
{
    const auto fixed = FixedValueSize(static_cast<std::uint16_t>(tag & 0xFFFF));
    // Larger and variable-size values are kept elsewhere; the cell holds their heap or node id.
    return static_cast<std::uint8_t>(fixed > 0 && fixed <= 8 ? fixed : 4);
}

void SetBit(Bytes& row, std::size_t bitmapStart, std::uint8_t bit)
{
    row[bitmapStart + bit / 8] |= static_cast<std::uint8_t>(0x80 >> (bit % 8));
}

}  // namespace

TableBuilder::TableBuilder(const std::vector<std::uint32_t>& columnTags, Subnodes& subnodes, BlockWriter& blocks)
    : heap_(heap_client::kTable), subnodes_(subnodes), blocks_(blocks)
{
    LayOut(columnTags);
}

// Row layout: 8- and 4-byte cells (row id and row version first), then 2-byte cells, then
// 1-byte cells, then the bitmap saying which cells exist.
void TableBuilder::LayOut(const std::vector<std::uint32_t>& columnTags)
{
    std::vector<std::uint32_t> sorted = columnTags;
    std::sort(sorted.begin(), sorted.end());
    std::uint16_t offset = 0;
    auto place = [&](std::uint32_t tag) {
        columns_.push_back({tag, offset, CellSize(tag), static_cast<std::uint8_t>(columns_.size())});
        offset = static_cast<std::uint16_t>(offset + CellSize(tag));
    };
    auto placeAllOfSize = [&](std::uint8_t size) {
        for (const auto tag : sorted)
            if (CellSize(tag) == size)
                place(tag);
    };
    place(kRowIdTag);
    place(kRowVersionTag);
    placeAllOfSize(8);
    placeAllOfSize(4);
    groupEnds_[0] = offset;
    placeAllOfSize(2);
    groupEnds_[1] = offset;
    placeAllOfSize(1);
    groupEnds_[2] = offset;
    groupEnds_[3] = static_cast<std::uint16_t>(offset + (columns_.size() + 7) / 8);
}

void TableBuilder::AddRow(std::uint32_t rowId, const PropertyList& values)
{
    Bytes row(groupEnds_[3], 0);
    SetLE(row, 0, rowId);
    SetLE(row, 4, std::uint32_t{1});
    SetBit(row, groupEnds_[2], 0);
    SetBit(row, groupEnds_[2], 1);
    for (const auto& column : columns_) {
        if (column.tag == kRowIdTag || column.tag == kRowVersionTag)
            continue;
        const auto* value = values.Find(static_cast<std::uint16_t>(column.tag >> 16));
        if (value && value->type == (column.tag & 0xFFFF))
            SetCell(row, column, *value);
    }
    Append(rows_, row);
    PutLE(rowIndex_, rowId);
    PutLE(rowIndex_, rowCount_++);
}

void TableBuilder::SetCell(Bytes& row, const Column& column, const PropertyValue& value)
{
    if (FixedValueSize(value.type) == column.size) {
        std::copy(value.data.begin(), value.data.end(), row.begin() + column.offset);
    } else {
        LtpTarget target{heap_, subnodes_, blocks_};
        SetLE(row, column.offset, StoreValue(target, value));
    }
    SetBit(row, groupEnds_[2], column.bit);
}

std::uint64_t TableBuilder::Write()
{
    // The row index is sorted by row id; rows stay in the order they were added.
    std::map<std::uint32_t, std::uint32_t> byRowId;
    for (std::size_t at = 0; at < rowIndex_.size(); at += 8)
        byRowId[GetLE<std::uint32_t>(rowIndex_, at)] = GetLE<std::uint32_t>(rowIndex_, at + 4);
    Bytes records;
    for (const auto& [rowId, index] : byRowId) {
        PutLE(records, rowId);
        PutLE(records, index);
    }
    const auto rowIndex = WriteBth(heap_, 4, 4, records);
    const auto rows = WriteRows();
    const auto info = WriteInfo(rowIndex, rows);
    return WriteHeap(blocks_, heap_.Finish(info));
}

std::uint32_t TableBuilder::WriteRows()
{
    if (rows_.empty())
        return 0;
    if (rows_.size() <= kMaxHeapAllocation)
        return heap_.Allocate(rows_);
    const auto rowsPerBlock = kMaxBlockData / groupEnds_[3];
    const auto blockBytes = rowsPerBlock * groupEnds_[3];
    DataTreeBuilder tree(blocks_);
    for (std::size_t at = 0; at < rows_.size(); at += blockBytes)
        tree.AppendBlock(ByteView(rows_).subspan(at, std::min(blockBytes, rows_.size() - at)));
    const auto nid = subnodes_.NewNid(nid_type::kLtp);
    subnodes_.Add({nid, tree.Finish(), 0});
    return nid;
}

std::uint32_t TableBuilder::WriteInfo(std::uint32_t rowIndex, std::uint32_t rows)
{
    Bytes info;
    PutLE(info, kTableSignature);
    PutLE(info, static_cast<std::uint8_t>(columns_.size()));
    for (const auto end : groupEnds_)
        PutLE(info, end);
    PutLE(info, rowIndex);
    PutLE(info, rows);
    PutLE(info, std::uint32_t{0});  // the deprecated second index
    auto sorted = columns_;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.tag < b.tag; });
    for (const auto& column : sorted) {
        PutLE(info, column.tag);
        PutLE(info, column.offset);
        PutLE(info, column.size);
        PutLE(info, column.bit);
    }
    return heap_.Allocate(info);
}

}  // namespace pstgen
