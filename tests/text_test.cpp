#include "common/text.h"

#include <gtest/gtest.h>

namespace varnemo {
namespace {

TEST(TrimBlanks, RemovesSpacesAtBothEndsOnly)
{
    EXPECT_EQ(TrimBlanks("  mail.ntf "), "mail.ntf");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("\ta b\t"), "\ta b\t");
}

TEST(SplitKeepingEmpty, KeepsEmptyPiecesAndGivesNothingForEmptyText)
{
    EXPECT_EQ(SplitKeepingEmpty("a||b|", '|'), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SplitKeepingEmpty(",archive.nsf", ','), (std::vector<std::string>{"", "archive.nsf"}));
    EXPECT_TRUE(SplitKeepingEmpty("", '|').empty());
    EXPECT_EQ(SplitKeepingEmpty("|", '|'), (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace varnemo
