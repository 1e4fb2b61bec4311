#include "ndb_file.h"

#include "file_header.h"
#include "format_constants.h"

#include <algorithm>

namespace pstgen {

NdbFile::NdbFile(const std::filesystem::path& path, Encoding encoding)
    : file_(path), blocks_(file_, space_, encoding)
{
}

void NdbFile::Finish()
{
    PageWriter pages(file_, space_);
    HeaderFields header{};
    header.nodeBTree = WriteNodeBTree(nodes_, pages);
    header.blockBTree = WriteBlockBTree(blocks_.Records(), pages);
    header.maps = WriteMapPages(file_, space_);
    header.nextPageBid = pages.NextBid();
    header.nextBlockBid = blocks_.NextBid();
    header.nextNids = NextNids();
    header.encoding = blocks_.encoding();
    file_.WriteAt(0, MakeHeader(header));
    file_.Finish(header.maps.fileEnd);
}

std::array<std::uint32_t, 32> NdbFile::NextNids() const
{
    // New nodes of any type start above the reserved range, as in a new file.
    std::array<std::uint32_t, 32> next{};
    for (std::uint32_t type = 0; type < next.size(); ++type)
        next[type] = MakeNid(type, 0x400);
    for (const auto& node : nodes_) {
        auto& slot = next[NidType(node.nid)];
        slot = std::max(slot, MakeNid(NidType(node.nid), NidIndex(node.nid) + 1));
    }
    return next;
}

}  // namespace pstgen
