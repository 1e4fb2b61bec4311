// The program's own folder as GetModuleFileNameA gives it, and the help file beside it.
#include "com/wide_text.h"
#include "process_windows.h"
#include "run_program.h"
#include "shell/help_contents.h"
#include "shell/program_folder.h"
#include "shell/shell.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <windows.h>

namespace varnemo {
namespace {

std::filesystem::path ProgramFile()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

TEST(ProgramFolder, IsTheFolderOfTheProgramFile)
{
    EXPECT_EQ(ProgramFolder(), com::Narrow(ProgramFile().parent_path().wstring()));
}

TEST(HelpFilePath, IsHelpChmInTheProgramFolder)
{
    EXPECT_EQ(HelpFilePath(), ProgramFolder() + kPathSeparator + "Help.chm");
}

// A program installed below a folder with a name beyond ASCII (C:\Users\Jürgen\...) finds its
// folder and opens its help: this program, copied there with the help file, runs those tests.
TEST(ProgramFolder, IsFoundBelowAFolderWithANonAsciiName)
{
    testing::TempDir dir;
    const auto installed = dir.path() / L"J\u00fcrgen-\u00fc";
    std::filesystem::create_directory(installed);
    const auto program = installed / ProgramFile().filename();
    std::filesystem::copy_file(ProgramFile(), program);
    const auto helpFile = ProgramFile().parent_path() / L"Help.chm";
    if (std::filesystem::exists(helpFile))
        std::filesystem::copy_file(helpFile, installed / L"Help.chm");

    const auto result = testing::RunProgram(
        L"\"" + program.wstring() + L"\" --gtest_filter=ProgramFolder.IsTheFolderOfTheProgramFile:HelpFilePath.*:"
                                    L"ShowHelpContentsTest.OpensTheHelpFileBesideTheProgram",
        dir.path());

    EXPECT_EQ(result.exitCode, 0u) << result.out << result.err;
    const auto passed = [&](const std::string& test) {
        return result.out.find("[       OK ] " + test) != std::string::npos;
    };
    EXPECT_TRUE(passed("ProgramFolder.IsTheFolderOfTheProgramFile")) << result.out;
    EXPECT_TRUE(passed("HelpFilePath.IsHelpChmInTheProgramFolder")) << result.out;
    if (VARNEMO_HELP_FILE_BUILT && testing::CanShowWindows()) {
        EXPECT_TRUE(passed("ShowHelpContentsTest.OpensTheHelpFileBesideTheProgram")) << result.out;
    }
}

}  // namespace
}  // namespace varnemo
