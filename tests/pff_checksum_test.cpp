// Setting right a page whose checksum fails because one byte changed: the checksum's difference
// locates the byte and the change, anywhere in the data or in the stored checksum; damage beyond
// one byte is left as it is, to fail its check.
#include "source/pff/direct/checksum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace varnemo::testing {
namespace {

using mapi::pff::direct::Checksum;
using mapi::pff::direct::RepairOneChangedByte;

class ChangedBytes : public ::testing::Test {
protected:
    std::string RandomData(std::size_t size)
    {
        std::string data(size, '\0');
        for (auto& byte : data)
            byte = static_cast<char>(byteValue_(random_));
        return data;
    }

    char Change() { return static_cast<char>(change_(random_)); }

    std::mt19937 random_{2026};
    std::uniform_int_distribution<int> byteValue_{0, 255};
    std::uniform_int_distribution<int> change_{1, 255};
};

TEST_F(ChangedBytes, OneChangedByteOfAPageIsSetRightWhereverItLies)
{
    const auto page = RandomData(496);
    const auto stored = Checksum(page);
    for (std::size_t at = 0; at < page.size(); at += 5) {
        auto damaged = page;
        damaged[at] = static_cast<char>(damaged[at] ^ Change());
        ASSERT_TRUE(RepairOneChangedByte(damaged, stored)) << "byte " << at;
        EXPECT_EQ(damaged, page) << "byte " << at;
    }
}

TEST_F(ChangedBytes, TheFirstByteOfALargeBlockIsSetRight)
{
    const auto block = RandomData(8176);
    auto damaged = block;
    damaged[0] = static_cast<char>(damaged[0] ^ 0x80);
    ASSERT_TRUE(RepairOneChangedByte(damaged, Checksum(block)));
    EXPECT_EQ(damaged, block);
}

TEST_F(ChangedBytes, AChangedStoredChecksumLeavesTheDataAsItIs)
{
    const auto page = RandomData(496);
    for (int byte = 0; byte < 4; ++byte) {
        auto data = page;
        const auto stored = Checksum(page) ^ (std::uint32_t{static_cast<unsigned char>(Change())} << (8 * byte));
        EXPECT_TRUE(RepairOneChangedByte(data, stored)) << "checksum byte " << byte;
        EXPECT_EQ(data, page);
    }
}

TEST_F(ChangedBytes, TwoChangedBytesAreLeftToFailTheirCheck)
{
    const auto page = RandomData(496);
    std::uniform_int_distribution<std::size_t> position(0, page.size() - 1);
    for (int trial = 0; trial < 40; ++trial) {
        auto damaged = page;
        const auto first = position(random_);
        auto second = position(random_);
        if (second == first)
            second = (first + 1) % page.size();
        damaged[first] = static_cast<char>(damaged[first] ^ Change());
        damaged[second] = static_cast<char>(damaged[second] ^ Change());
        const auto before = damaged;
        EXPECT_FALSE(RepairOneChangedByte(damaged, Checksum(page))) << "bytes " << first << " and " << second;
        EXPECT_EQ(damaged, before) << "bytes " << first << " and " << second;
    }
}

TEST_F(ChangedBytes, IntactDataHoldsItsChecksum)
{
    auto page = RandomData(496);
    const auto before = page;
    EXPECT_TRUE(RepairOneChangedByte(page, Checksum(page)));
    EXPECT_EQ(page, before);
}

}  // namespace
}  // namespace varnemo::testing
