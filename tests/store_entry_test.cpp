#include "source/store_entry.h"

#include <gtest/gtest.h>

namespace varnemo {
namespace {

TEST(StoreEntryTest, TheIdentifierIsTheTextAfterTheLastHash)
{
    const std::string entry = StoreEntryText("Team #4 # Mail", "0000ABCD");
    EXPECT_EQ(entry.size(), std::string("Team #4 # Mail").size() + 300 + 1 + 8);
    EXPECT_EQ(StoreIdOfEntry(entry), "0000ABCD");
    EXPECT_EQ(DisplayNameOfEntry(entry), "Team #4 # Mail");
}

TEST(StoreEntryTest, AnEntryWithoutHashNamesNoStore)
{
    EXPECT_EQ(StoreIdOfEntry("Mailbox"), "");
    EXPECT_EQ(DisplayNameOfEntry("Mailbox"), "Mailbox");
}

}  // namespace
}  // namespace varnemo
