#include "app/frm_splash.h"

#include "app/artwork.h"

#include <QLabel>
#include <QVBoxLayout>

namespace varnemo::app {

FrmSplash::FrmSplash(std::function<void()> showMain, std::chrono::milliseconds hold, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), showMain_(std::move(showMain))
{
    setObjectName("frmSplash");
    setWindowTitle("Kestrova Varnemo");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel;
    picture->setPixmap(SplashPicture());
    layout->addWidget(picture);
    setFocusPolicy(Qt::StrongFocus);

    Timer1.setObjectName("Timer1");
    Timer1.setSingleShot(true);
    Timer1.setInterval(10);
    connect(&Timer1, &QTimer::timeout, this, &FrmSplash::Timer1_Timer);
    hold_.setSingleShot(true);
    hold_.setInterval(hold);
    connect(&hold_, &QTimer::timeout, this, &FrmSplash::Hold_Timer);
    Timer1.start();
}

void FrmSplash::Timer1_Timer()
{
    Timer1.stop();
    hold_.start();
}

void FrmSplash::Hold_Timer()
{
    ShowMainAndClose();
}

// A splash window is not given the keyboard by the window manager; it takes it, so that the
// key press that ends it does not go to whatever window had it before.
void FrmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
    grabKeyboard();
}

void FrmSplash::hideEvent(QHideEvent* event)
{
    releaseKeyboard();
    QWidget::hideEvent(event);
}

void FrmSplash::keyPressEvent(QKeyEvent* /*event*/)
{
    ShowMainAndClose();
}

void FrmSplash::ShowMainAndClose()
{
    if (finished_)
        return;
    finished_ = true;
    Timer1.stop();
    hold_.stop();
    showMain_();
    close();
}

}  // namespace varnemo::app
