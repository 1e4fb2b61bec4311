// The programs' manifest makes UTF-8 their 8-bit code page, so that the 8-bit shell calls take
// and give the program's UTF-8 texts, also for folders with names beyond ASCII.
#include "com/wide_text.h"
#include "shell/shell.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <windows.h>

namespace varnemo {
namespace {

// A user's folder name whose UTF-8 bytes differ from those of the Western code page 1252.
const std::wstring kUserFolder = L"J\u00fcrgen-\u00fc";

std::filesystem::path WidePath(const std::string& utf8)
{
    return std::filesystem::path(com::Widen(utf8));
}

TEST(CodePage, IsUtf8)
{
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
}

TEST(CodePage, GetTempFolderGivesANonAsciiTemporaryFolderInUtf8)
{
    testing::TempDir dir;
    const auto userTemp = dir.path() / kUserFolder;
    std::filesystem::create_directory(userTemp);
    testing::TemporaryFolderOverride useTemp(userTemp);

    const std::string folder = GetTempFolder();

    EXPECT_EQ(folder, com::Narrow(userTemp.wstring()) + kPathSeparator);
    EXPECT_TRUE(std::filesystem::is_directory(WidePath(folder)));
}

TEST(CodePage, MakeFolderPathCreatesNonAsciiFoldersByTheirUtf8Names)
{
    testing::TempDir dir;
    const std::string deep = com::Narrow((dir.path() / kUserFolder / L"a" / L"b").wstring());

    ASSERT_TRUE(MakeFolderPath(deep));

    EXPECT_TRUE(std::filesystem::is_directory(WidePath(deep)));
    // One folder of that name, not a second one under a name made of the UTF-8 bytes.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace varnemo
