#pragma once

#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>

namespace varnemo::app {

// frmSplash, the start-up window. Its timer Timer1 ticks once after 10 ms and starts the hold:
// the splash stays on screen for a while (4 seconds by default) with the event loop running,
// so it keeps painting and answering keys. When the hold ends, or at the first key press, the
// main window is shown and the splash closes.
class FrmSplash : public QWidget {
    Q_OBJECT
public:
    FrmSplash(std::function<void()> showMain, std::chrono::milliseconds hold = std::chrono::milliseconds(4000),
              QWidget* parent = nullptr);

    bool Finished() const { return finished_; }

public slots:
    void Timer1_Timer();
    void Hold_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowMainAndClose();

    std::function<void()> showMain_;
    QTimer Timer1;
    QTimer hold_;
    bool finished_ = false;
};

}  // namespace varnemo::app
