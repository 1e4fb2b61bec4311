#include "shell/path_text.h"
#include "shell/shell.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace varnemo {
namespace {

const std::string sep(1, kPathSeparator);

TEST(GetFileName, TakesTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(GetFileName(sep + "data" + sep + "archive.pst"), "archive.pst");
    EXPECT_EQ(GetFileName("archive.pst"), "archive.pst");
    EXPECT_EQ(GetFileName(sep + "data" + sep), "");
    EXPECT_EQ(GetFileName(""), "");
}

TEST(GetTempFolder, EndsWithTheSeparator)
{
    const std::string folder = GetTempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), kPathSeparator);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(MakeFolderPath, CreatesEveryLevelWithOrWithoutTrailingSeparator)
{
    testing::TempDir dir;
    const std::string deep = (dir.path() / "a" / "b" / "c").string();
    EXPECT_TRUE(MakeFolderPath(deep));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_TRUE(MakeFolderPath(deep + sep));
    const std::string other = (dir.path() / "x" / "y").string() + sep;
    EXPECT_TRUE(MakeFolderPath(other));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "x" / "y"));
}

TEST(MakeFolderPath, ReportsFailureWhenAFileIsInTheWay)
{
    testing::TempDir dir;
    const auto file = dir.path() / "file";
    testing::WriteFile(file, "x");
    EXPECT_FALSE(MakeFolderPath((file / "sub").string()));
    EXPECT_FALSE(MakeFolderPath(""));
}

TEST(NextFreeFileName, CountsUpBeforeTheExtensionPastEveryTakenName)
{
    testing::TempDir dir;
    const std::string wanted = TextFromPath(dir.path() / "names07-12-2026-14-5-9.nsf");
    EXPECT_EQ(NextFreeFileName(wanted), wanted) << "a free name is kept as it is";

    testing::WriteFile(dir.path() / "names07-12-2026-14-5-9.nsf", "x");
    EXPECT_EQ(NextFreeFileName(wanted), TextFromPath(dir.path() / "names07-12-2026-14-5-9-2.nsf"));
    testing::WriteFile(dir.path() / "names07-12-2026-14-5-9-2.nsf", "x");
    std::filesystem::create_directory(dir.path() / "names07-12-2026-14-5-9-3.nsf");
    EXPECT_EQ(NextFreeFileName(wanted), TextFromPath(dir.path() / "names07-12-2026-14-5-9-4.nsf"))
        << "a folder takes a name too";

    testing::WriteFile(dir.path() / "Archive.PST07-12-2026-14-5-9.nsf", "x");
    EXPECT_EQ(NextFreeFileName(TextFromPath(dir.path() / "Archive.PST07-12-2026-14-5-9.nsf")),
              TextFromPath(dir.path() / "Archive.PST07-12-2026-14-5-9-2.nsf"))
        << "only the last extension moves";
    testing::WriteFile(dir.path() / PathFromText("\u00fcber"), "x");
    EXPECT_EQ(NextFreeFileName(TextFromPath(dir.path() / PathFromText("\u00fcber"))),
              TextFromPath(dir.path() / PathFromText("\u00fcber-2")));
}

#ifndef _WIN32
TEST(NextFreeFileName, ADanglingLinkTakesItsName)
{
    testing::TempDir dir;
    std::filesystem::create_symlink(dir.path() / "nowhere", dir.path() / "mail.nsf");
    EXPECT_EQ(NextFreeFileName(TextFromPath(dir.path() / "mail.nsf")), TextFromPath(dir.path() / "mail-2.nsf"));
}
#endif

TEST(PathText, NamesBeyondAsciiReachTheFileSystemAndComeBackAsTheSameText)
{
    testing::TempDir dir;
    const std::string name = "J\u00fcrgen-\u00fc \u6587\u4ef6";
    std::filesystem::create_directory(dir.path() / PathFromText(name));

    const auto listed = std::filesystem::directory_iterator(dir.path())->path();
    EXPECT_EQ(TextFromPath(listed.filename()), name);
    EXPECT_EQ(TextFromPath(dir.path() / PathFromText(name)), TextFromPath(listed));
}

}  // namespace
}  // namespace varnemo
