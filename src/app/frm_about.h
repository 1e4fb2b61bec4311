#pragma once

#include <QDialog>

namespace varnemo::app {

// frmAbout: the About window, a picture and nothing else; Escape or the title bar closes it.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* parent = nullptr);
};

}  // namespace varnemo::app
