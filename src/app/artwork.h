#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace varnemo::app {

// The program's pictures, drawn in code so that they stay crisp and share one look: Kestrova
// blue with an amber accent, an envelope travelling into a Notes database.
namespace palette {
inline const QColor kBlue{0x1f, 0x4e, 0x8c};
inline const QColor kDeepBlue{0x12, 0x2e, 0x57};
inline const QColor kLightBlue{0xdc, 0xe8, 0xf7};
inline const QColor kAmber{0xf2, 0xa9, 0x00};
inline const QColor kPaper{0xfb, 0xfb, 0xf8};
}  // namespace palette

QPixmap SplashPicture();
// The emblem at the left of the main window's header and the arrow picture at its right.
QPixmap HeaderLogo();
QPixmap HeaderEmblem();
// The picture on the " Select File" tab.
QPixmap SelectFilePicture();
QPixmap AboutPicture();
// The small arrow beside the target window's progress header.
QPixmap ReadingArrow();

QIcon ExitIcon();
QIcon HelpContentsIcon();
QIcon AboutIcon();
QIcon ProgramIcon();

}  // namespace varnemo::app
