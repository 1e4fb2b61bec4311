// The splash: it holds until its hold ends or a key is pressed, then shows the main window once.
#include "app/frm_splash.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace varnemo {
namespace {

class SplashTest : public ::testing::Test {
protected:
    SplashTest() { splash.show(); }

    int mainShown = 0;
    app::FrmSplash splash{[this] { ++mainShown; }};
};

TEST_F(SplashTest, TheFirstTickStartsTheHoldAndTheMainWindowFollowsItsEnd)
{
    splash.Timer1_Timer();
    EXPECT_EQ(mainShown, 0) << "the splash holds first";
    EXPECT_TRUE(splash.isVisible());
    splash.Hold_Timer();
    EXPECT_EQ(mainShown, 1);
    EXPECT_FALSE(splash.isVisible());
}

TEST_F(SplashTest, AKeyPressShowsTheMainWindowAtOnceAndNothingFollows)
{
    splash.Timer1_Timer();
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_EQ(mainShown, 1);
    EXPECT_FALSE(splash.isVisible());
    splash.Hold_Timer();
    QTest::keyClick(&splash, Qt::Key_A);
    EXPECT_EQ(mainShown, 1) << "the main window is shown once";
}

TEST(SplashKeyboardTest, AKeyPressEndsTheSplashWhicheverWindowHadTheKeyboard)
{
    QLineEdit before;
    before.show();
    before.activateWindow();
    before.setFocus();
    QApplication::processEvents();
    int mainShown = 0;
    app::FrmSplash splash{[&] { ++mainShown; }};
    splash.show();
    QApplication::processEvents();
    // As the window system delivers it: to the window that has the keyboard.
    QTest::keyClick(before.windowHandle(), Qt::Key_A);
    EXPECT_EQ(mainShown, 1);
    EXPECT_TRUE(before.text().isEmpty()) << "the key went to the splash";
    EXPECT_FALSE(splash.isVisible());
}

}  // namespace
}  // namespace varnemo
