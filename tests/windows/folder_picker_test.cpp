// The shell's folder picker as BrowseForFolder shows it, answered from another thread.
#include "com/apartment.h"
#include "com/wide_text.h"
#include "picker_answer.h"
#include "process_windows.h"
#include "shell/folder_picker.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace varnemo {
namespace {

using testing::PickerAnswer;

const std::string kTitle = "Select Folder to Save NSF File";

class BrowseForFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing::CanShowWindows())
            GTEST_SKIP() << testing::kNoWindowsReason;
        // The picker needs COM on its thread, as the desktop program's user-interface thread has.
        com::EnterApartment();
    }
};

TEST_F(BrowseForFolderTest, CancelGivesTheEmptyText)
{
    PickerAnswer answer(com::Widen(kTitle));
    const std::string chosen = BrowseForFolder(0, kTitle);
    const auto seen = answer.Finish();

    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.showedTitle);
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_EQ(chosen, "");
}

TEST_F(BrowseForFolderTest, GivesTheChosenFolderInUtf8)
{
    testing::TempDir dir;
    const std::string folder = com::Narrow((dir.path() / L"J\u00fcrgen-\u00fc").wstring());
    ASSERT_TRUE(CreateDirectoryW(com::Widen(folder).c_str(), nullptr));

    PickerAnswer answer(com::Widen(kTitle), folder);
    const std::string chosen = BrowseForFolder(0, kTitle);
    const auto seen = answer.Finish();

    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(chosen, folder);
}

TEST_F(BrowseForFolderTest, BelongsToTheOwnerWindowAndShowsANonAsciiTitle)
{
    const std::string title = "Zielordner w\u00e4hlen";
    testing::OwnerWindow owner;
    PickerAnswer answer(com::Widen(title));
    const std::string chosen = BrowseForFolder(reinterpret_cast<WindowHandle>(owner.handle()), title);
    const auto seen = answer.Finish();

    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.showedTitle);
    EXPECT_EQ(seen.owner, owner.handle());
    EXPECT_EQ(chosen, "");
}

}  // namespace
}  // namespace varnemo
