#include "app/frm_about.h"

#include "app/artwork.h"

#include <QLabel>
#include <QVBoxLayout>

namespace varnemo::app {

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAbout");
    setWindowTitle("About");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel;
    picture->setPixmap(AboutPicture());
    layout->addWidget(picture);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace varnemo::app
