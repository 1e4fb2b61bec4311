// The file structure that readers may take on trust, checked on its own terms: header CRCs and
// fields, every page and block trailer (type, signature, CRC, id), the allocation maps against
// what the B-trees reference, and B-trees and data trees with several levels when large.
#include "pstgen/byte_sources.h"
#include "pstgen/pst_writer.h"
#include "pstgen_mailboxes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <set>

namespace varnemo::testing {
namespace {

constexpr std::uint64_t kFirstMap = 0x4400;
constexpr std::uint64_t kMapCoverage = 253952;

std::uint64_t Le(const std::string& data, std::size_t at, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(data.at(at + static_cast<std::size_t>(i)));
    return value;
}

std::uint32_t Crc(const std::string& data, std::size_t at, std::size_t size)
{
    return static_cast<std::uint32_t>(
        ~crc32(~0ul, reinterpret_cast<const Bytef*>(data.data() + at), static_cast<uInt>(size)));
}

std::uint16_t Signature(std::uint64_t offset, std::uint64_t bid)
{
    const auto mixed = static_cast<std::uint32_t>(offset ^ bid);
    return static_cast<std::uint16_t>((mixed >> 16) ^ (mixed & 0xFFFF));
}

// Reads a whole written file and checks it; records what it found for the tests to judge.
class FileCheck {
public:
    explicit FileCheck(const std::filesystem::path& path) : data_(ReadFile(path)) {}

    void CheckHeader()
    {
        ASSERT_GE(data_.size(), 564u);
        EXPECT_EQ(data_.substr(0, 4), "!BDN");
        EXPECT_EQ(data_.substr(8, 2), "SM");
        EXPECT_EQ(Le(data_, 10, 2), 23u) << "Unicode version";
        EXPECT_EQ(Le(data_, 4, 4), Crc(data_, 8, 471)) << "partial header CRC";
        EXPECT_EQ(Le(data_, 524, 4), Crc(data_, 8, 516)) << "full header CRC";
        EXPECT_EQ(static_cast<unsigned char>(data_[512]), 0x80) << "sentinel";
        EXPECT_EQ(data_[513], 0) << "no encoding";
        EXPECT_EQ(Le(data_, 184, 8), data_.size()) << "end of file";
        EXPECT_EQ((data_.size() - kFirstMap) % kMapCoverage, 0u) << "the file ends with a whole map section";
    }

    void WalkBTrees()
    {
        WalkPage(Le(data_, 216, 8), Le(data_, 224, 8), 0x81);
        WalkPage(Le(data_, 232, 8), Le(data_, 240, 8), 0x80);
        nodeLevels_ = levels_[0x81];
        blockLevels_ = levels_[0x80];
    }

    void CheckAllocationMaps()
    {
        std::uint64_t free = 0;
        for (std::uint64_t map = kFirstMap; map < data_.size(); map += kMapCoverage) {
            CheckPageTrailer(map, 0x84, map, 0);
            for (std::uint64_t slot = 0; slot < 496 * 8; ++slot)
                if (!Allocated(map, map + slot * 64))
                    free += 64;
        }
        EXPECT_EQ(Le(data_, 200, 8), free) << "free bytes in the header";
        for (const auto& [offset, size] : used_)
            for (std::uint64_t at = offset; at < offset + size; at += 64)
                ASSERT_TRUE(Allocated(kFirstMap + (at - kFirstMap) / kMapCoverage * kMapCoverage, at))
                    << "used but not allocated: " << at;
    }

    // Every data block of the node B-tree's nodes, and every tree block below them, is in the
    // block B-tree with a valid trailer.
    void CheckNodesReferenceKnownBlocks()
    {
        for (const auto& [nid, data] : nodeData_)
            EXPECT_TRUE(data == 0 || blocks_.count(data)) << "node " << nid << " names an unknown block";
    }

    // The deepest data tree found: 0 a single block, 1 an XBLOCK, 2 an XXBLOCK.
    int DeepestDataTree() const
    {
        int deepest = 0;
        for (const auto& [bid, block] : blocks_)
            if ((bid & 2) && data_[block.first] == 0x01)
                deepest = std::max(deepest, static_cast<int>(data_[block.first + 1]));
        return deepest;
    }

    int nodeLevels_ = -1, blockLevels_ = -1;

private:
    bool Allocated(std::uint64_t map, std::uint64_t at) const
    {
        const auto slot = (at - map) / 64;
        return static_cast<unsigned char>(data_.at(map + slot / 8)) & (0x80 >> (slot % 8));
    }

    void CheckPageTrailer(std::uint64_t offset, int type, std::uint64_t bid, std::uint16_t signature)
    {
        ASSERT_LE(offset + 512, data_.size());
        const auto trailer = offset + 496;
        EXPECT_EQ(static_cast<unsigned char>(data_[trailer]), type) << "page at " << offset;
        EXPECT_EQ(static_cast<unsigned char>(data_[trailer + 1]), type) << "page at " << offset;
        EXPECT_EQ(Le(data_, trailer + 2, 2), signature) << "page at " << offset;
        EXPECT_EQ(Le(data_, trailer + 4, 4), Crc(data_, offset, 496)) << "page at " << offset;
        EXPECT_EQ(Le(data_, trailer + 8, 8), bid) << "page at " << offset;
    }

    void WalkPage(std::uint64_t bid, std::uint64_t offset, int type)
    {
        CheckPageTrailer(offset, type, bid, Signature(offset, bid));
        used_.emplace_back(offset, 512);
        const auto count = static_cast<unsigned char>(data_[offset + 488]);
        const auto entrySize = static_cast<unsigned char>(data_[offset + 490]);
        const auto level = static_cast<unsigned char>(data_[offset + 491]);
        levels_[type] = std::max(levels_[type], static_cast<int>(level));
        ASSERT_GT(count, 0) << "empty page at " << offset;
        for (std::size_t i = 0; i < count; ++i) {
            const auto entry = offset + i * entrySize;
            if (level > 0)
                WalkPage(Le(data_, entry + 8, 8), Le(data_, entry + 16, 8), type);
            else if (type == 0x81)
                nodeData_.emplace_back(Le(data_, entry, 4), Le(data_, entry + 8, 8));
            else
                CheckBlock(Le(data_, entry, 8), Le(data_, entry + 8, 8), Le(data_, entry + 16, 2));
        }
    }

    void CheckBlock(std::uint64_t bid, std::uint64_t offset, std::uint64_t size)
    {
        const auto slot = (size + 16 + 63) / 64 * 64;
        const auto trailer = offset + slot - 16;
        ASSERT_LE(trailer + 16, data_.size());
        EXPECT_EQ(Le(data_, trailer, 2), size) << "block " << bid;
        EXPECT_EQ(Le(data_, trailer + 2, 2), Signature(offset, bid)) << "block " << bid;
        EXPECT_EQ(Le(data_, trailer + 4, 4), Crc(data_, offset, size)) << "block " << bid;
        EXPECT_EQ(Le(data_, trailer + 8, 8), bid) << "block " << bid;
        EXPECT_EQ(offset % 64, 0u) << "block " << bid;
        EXPECT_TRUE(blocks_.emplace(bid, std::make_pair(offset, size)).second) << "block " << bid << " twice";
        used_.emplace_back(offset, slot);
    }

    std::string data_;
    std::map<int, int> levels_;
    std::map<std::uint64_t, std::pair<std::uint64_t, std::uint64_t>> blocks_;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> nodeData_;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> used_;
};

class PstgenFormat : public ::testing::Test {
protected:
    FileCheck Check(const pstgen::Mailbox& mailbox)
    {
        const auto path = dir.path() / "check.pst";
        pstgen::WritePst(mailbox, path);
        FileCheck check(path);
        check.CheckHeader();
        check.WalkBTrees();
        check.CheckAllocationMaps();
        check.CheckNodesReferenceKnownBlocks();
        return check;
    }

    TempDir dir;
};

TEST_F(PstgenFormat, EveryShapeHasValidHeaderPagesBlocksAndMaps)
{
    const auto check = Check(EveryShapeMailbox());
    EXPECT_EQ(check.DeepestDataTree(), 1) << "the 20,000-byte attachment takes three blocks under an XBLOCK";
}

TEST_F(PstgenFormat, ManyNodesGiveBTreesOfSeveralLevels)
{
    const auto check = Check(BulkMailbox(3000));
    EXPECT_EQ(check.nodeLevels_, 2);
    EXPECT_GE(check.blockLevels_, 2);
}

TEST_F(PstgenFormat, LargeDataGoesUnderAnXxblockAcrossManyMapSections)
{
    const auto check = Check(LargeAttachmentMailbox(9u << 20));
    EXPECT_EQ(check.DeepestDataTree(), 2);
}

TEST_F(PstgenFormat, TheSameMailboxGivesTheSameBytes)
{
    const auto first = dir.path() / "first.pst", second = dir.path() / "second.pst";
    pstgen::WritePst(EveryShapeMailbox(), first);
    pstgen::WritePst(EveryShapeMailbox(), second);
    EXPECT_TRUE(ReadFile(first) == ReadFile(second));
}

}  // namespace
}  // namespace varnemo::testing
