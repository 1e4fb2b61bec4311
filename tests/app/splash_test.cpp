// The splash: it holds until its hold ends or a key is pressed, then shows the main window once.
#include "app/frm_splash.h"

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

}  // namespace
}  // namespace varnemo
