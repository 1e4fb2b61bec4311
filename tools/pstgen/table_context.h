#pragma once

// A table context: fixed-size rows of the given columns, a B-tree from row id to row index,
// and the row matrix, in the heap when small, otherwise in a sub-node whose blocks each hold a
// whole number of rows.

#include "heap_builder.h"
#include "property.h"
#include "subnodes.h"

#include <vector>

namespace pstgen {

class TableBuilder {
public:
    // columnTags: property tags (id and type); the row id and row version columns are added.
    TableBuilder(const std::vector<std::uint32_t>& columnTags, Subnodes& subnodes, BlockWriter& blocks);

    // Takes each column's value from values when it is there with the column's type.
    void AddRow(std::uint32_t rowId, const PropertyList& values);
    // Writes the table and returns the root block id of the node's data.
    std::uint64_t Write();

private:
    struct Column {
        std::uint32_t tag;
        std::uint16_t offset;
        std::uint8_t size;
        std::uint8_t bit;
    };

    void LayOut(const std::vector<std::uint32_t>& columnTags);
    void SetCell(Bytes& row, const Column& column, const PropertyValue& value);
    std::uint32_t WriteRows();
    std::uint32_t WriteInfo(std::uint32_t rowIndex, std::uint32_t rows);

    std::vector<Column> columns_;
    std::uint16_t groupEnds_[4] = {};
    HeapBuilder heap_;
    Subnodes& subnodes_;
    BlockWriter& blocks_;
    Bytes rows_;
    Bytes rowIndex_;
    std::uint32_t rowCount_ = 0;
};

}  // namespace pstgen
