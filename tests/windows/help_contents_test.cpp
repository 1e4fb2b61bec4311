// Help > Contents on Windows: the HTML Help viewer opening Help.chm, and what the user is told
// when it cannot.
#include "com/wide_text.h"
#include "process_windows.h"
#include "shell/help_contents.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <htmlhelp.h>

namespace varnemo {
namespace {

// The class of the HTML Help viewer's frame window.
const std::wstring kViewerClass = L"HH Parent";

std::string NonAsciiPath(const testing::TempDir& dir, const wchar_t* name)
{
    return com::Narrow((dir.path() / name).wstring());
}

TEST(HelpNotShownMessage, NamesAMissingHelpFile)
{
    testing::TempDir dir;
    const std::string helpFile = NonAsciiPath(dir, L"J\u00fcrgen\\Help.chm");
    EXPECT_EQ(HelpNotShownMessage(helpFile),
              "The help cannot be shown: the help file " + helpFile + " does not exist.");
}

TEST(HelpNotShownMessage, NamesAHelpFileThatCannotBeOpened)
{
    testing::TempDir dir;
    const std::string helpFile = NonAsciiPath(dir, L"J\u00fcrgen-Help.chm");
    testing::WriteFile(com::Widen(helpFile), "not a compiled help file");
    EXPECT_EQ(HelpNotShownMessage(helpFile),
              "The help cannot be shown: the help file " + helpFile + " cannot be opened.");
}

class ShowHelpContentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing::CanShowWindows())
            GTEST_SKIP() << testing::kNoWindowsReason;
    }
    void TearDown() override { HtmlHelpW(nullptr, nullptr, HH_CLOSE_ALL, 0); }
};

TEST_F(ShowHelpContentsTest, FailsForAMissingHelpFile)
{
    testing::TempDir dir;
    EXPECT_FALSE(ShowHelpContents(0, NonAsciiPath(dir, L"Help.chm")));
    EXPECT_EQ(testing::FindProcessWindow(kViewerClass), nullptr);
}

TEST_F(ShowHelpContentsTest, FailsForAFileThatIsNoHelpFile)
{
    testing::TempDir dir;
    const std::string helpFile = NonAsciiPath(dir, L"Help.chm");
    testing::WriteFile(com::Widen(helpFile), "not a compiled help file");
    EXPECT_FALSE(ShowHelpContents(0, helpFile));
    EXPECT_EQ(testing::FindProcessWindow(kViewerClass), nullptr);
}

TEST_F(ShowHelpContentsTest, OpensTheHelpFileBesideTheProgram)
{
    if (!VARNEMO_HELP_FILE_BUILT)
        GTEST_SKIP() << "Help.chm was not built: neither hhc nor chmcmd was found";
    testing::OwnerWindow owner;

    ASSERT_TRUE(ShowHelpContents(reinterpret_cast<WindowHandle>(owner.handle()), HelpFilePath()));

    const HWND viewer = testing::FindProcessWindow(kViewerClass);
    ASSERT_NE(viewer, nullptr);
    // The title of the help project: the viewer has read the file.
    EXPECT_TRUE(testing::ShowsText(viewer, L"Kestrova Varnemo Help"));
}

}  // namespace
}  // namespace varnemo
