#include "source/pff/recent_data_file.h"
#include "source/pff/pff_store.h"
#include "common/errors.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using mapi::pff::PffStore;
using mapi::pff::RecentDataFile;

std::string StoreName(std::shared_ptr<const mapi::pff::PffFile> file)
{
    return PffStore(std::move(file)).Name();
}

TEST(RecentDataFile, TheSameUnchangedFileIsOpenedOnce)
{
    TempDir dir;
    const auto path = CopyFixture("sample1.pst", dir.path());
    RecentDataFile recent;
    const auto first = recent.Open(path);
    EXPECT_EQ(recent.Open(path), first);
}

TEST(RecentDataFile, AFileChangedOnDiskIsOpenedAgain)
{
    TempDir dir;
    const auto path = dir.path() / "mailbox.pst";
    fs::copy_file(CopyFixture("sample1.pst", dir.path()), path);
    RecentDataFile recent;
    const auto before = StoreName(recent.Open(path));

    fs::copy_file(CopyFixture("dist-list.pst", dir.path()), path, fs::copy_options::overwrite_existing);
    const auto after = StoreName(recent.Open(path));
    EXPECT_NE(after, before);
    EXPECT_EQ(after, StoreName(mapi::pff::PffFile::Open(path)));
}

TEST(RecentDataFile, AnotherFileReplacesTheOneKeptOpen)
{
    TempDir dir;
    const auto sample = CopyFixture("sample1.pst", dir.path());
    const auto distList = CopyFixture("dist-list.pst", dir.path());
    RecentDataFile recent;
    std::weak_ptr<const mapi::pff::PffFile> first = recent.Open(sample);
    const auto second = recent.Open(distList);
    EXPECT_EQ(second->path(), distList);
    EXPECT_TRUE(first.expired()) << "the file opened before stays in memory";
}

TEST(RecentDataFile, AFileThatIsGoneFailsLikeAnyUnreadableFile)
{
    TempDir dir;
    const auto path = CopyFixture("sample1.pst", dir.path());
    RecentDataFile recent;
    recent.Open(path);
    fs::remove(path);
    EXPECT_THROW(recent.Open(path), ComponentError);
}

}  // namespace
}  // namespace varnemo::testing
