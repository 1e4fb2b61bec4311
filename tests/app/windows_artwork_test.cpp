// The pictures of the Windows program (data/windows/artwork), checked in because the cross build
// has no Qt to draw them, must be what the desktop program's drawing makes now: a change of the
// drawing without tools/windows-artwork would give the two programs different pictures.
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace varnemo {
namespace {

std::string Bytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(WindowsArtwork, TheCheckedInPicturesAreWhatTheDrawingMakesNow)
{
    testing::TempDir dir;
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen \"") + VARNEMO_WINDOWS_ARTWORK_TOOL + "\" \"" +
                                dir.path().string() + "\" > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::filesystem::path checkedIn = VARNEMO_WINDOWS_ARTWORK_DIR;
    // Pictures without text, whole; those with text depend on the fonts of the machine, so only
    // their headers (the size) are compared.
    for (const char* name : {"header-logo.bmp", "header-emblem.bmp", "select-file.bmp", "reading-arrow.bmp",
                             "menu-exit.bmp", "small-icons.bmp", "varnemo.ico"})
        EXPECT_TRUE(Bytes(checkedIn / name) == Bytes(dir.path() / name)) << name << " is out of date";
    for (const char* name : {"splash.bmp", "about.bmp", "menu-help.bmp", "menu-about.bmp"})
        EXPECT_EQ(Bytes(checkedIn / name).substr(0, 54), Bytes(dir.path() / name).substr(0, 54)) << name;
}

}  // namespace
}  // namespace varnemo
