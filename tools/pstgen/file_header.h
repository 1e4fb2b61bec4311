#pragma once

// The 564-byte header at the start of a Unicode data file.

#include "btree_pages.h"
#include "mailbox.h"
#include "map_pages.h"

#include <array>

namespace pstgen {

struct HeaderFields {
    std::uint64_t nextPageBid;
    std::uint64_t nextBlockBid;
    // The next node id to hand out, per node type.
    std::array<std::uint32_t, 32> nextNids;
    MapSummary maps;
    PageRef nodeBTree;
    PageRef blockBTree;
    Encoding encoding = Encoding::None;
};

Bytes MakeHeader(const HeaderFields& fields);

}  // namespace pstgen
