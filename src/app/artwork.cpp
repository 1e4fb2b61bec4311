#include "app/artwork.h"

#include "app/drawing.h"

#include <QLinearGradient>

namespace varnemo::app {
namespace {

void FillBlueGradient(QPainter& painter, const QRectF& box)
{
    QLinearGradient gradient(box.topLeft(), box.bottomRight());
    gradient.setColorAt(0, palette::kBlue);
    gradient.setColorAt(1, palette::kDeepBlue);
    painter.fillRect(box, gradient);
}

void DrawText(QPainter& painter, const QRectF& box, const QString& text, int pointSize, bool bold,
              const QColor& color, int flags = Qt::AlignLeft | Qt::AlignVCenter)
{
    QFont font = painter.font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, flags | Qt::TextWordWrap, text);
}

// The title block shared by the splash and the About picture.
void DrawTitleBlock(QPainter& painter, const QRectF& box)
{
    DrawText(painter, QRectF(box.left(), box.top(), box.width(), 22), "Kestrova", 11, true, palette::kAmber);
    DrawText(painter, QRectF(box.left(), box.top() + 20, box.width(), 48), "Varnemo", 30, true, Qt::white);
    DrawText(painter, QRectF(box.left(), box.top() + 70, box.width(), 44),
             "Migrate Outlook Emails, Contacts, Calendar, Tasks to Lotus Notes", 10, false, palette::kLightBlue);
}

QIcon IconFrom(const std::function<void(QPainter&)>& paint)
{
    return QIcon(Draw(QSize(16, 16), paint));
}

}  // namespace

QPixmap SplashPicture()
{
    return Draw(QSize(480, 300), [](QPainter& painter) {
        FillBlueGradient(painter, QRectF(0, 0, 480, 300));
        DrawEmblem(painter, QRectF(300, 70, 150, 150));
        DrawTitleBlock(painter, QRectF(32, 40, 260, 120));
        DrawText(painter, QRectF(32, 170, 260, 24), "Version 3.0", 10, false, Qt::white);
        DrawText(painter, QRectF(32, 250, 300, 20), "Starting... (press any key to skip)", 9, false,
                 palette::kLightBlue);
        DrawText(painter, QRectF(300, 250, 150, 20), "Kestrova Software", 9, true, palette::kAmber,
                 Qt::AlignRight | Qt::AlignVCenter);
    });
}

QPixmap HeaderLogo()
{
    return Draw(QSize(56, 56), [](QPainter& painter) { DrawEmblem(painter, QRectF(2, 2, 52, 52)); });
}

QPixmap HeaderEmblem()
{
    return Draw(QSize(120, 48), [](QPainter& painter) {
        DrawEnvelope(painter, QRectF(4, 10, 36, 26), palette::kPaper, palette::kDeepBlue);
        DrawArrow(painter, QRectF(46, 14, 30, 20), palette::kAmber);
        DrawDatabase(painter, QRectF(84, 4, 30, 40), palette::kAmber, palette::kAmber.lighter(130));
    });
}

QPixmap SelectFilePicture()
{
    return Draw(QSize(120, 150), [](QPainter& painter) {
        DrawFolder(painter, QRectF(10, 8, 70, 52), QColor(0xf5, 0xc8, 0x4c));
        DrawEnvelope(painter, QRectF(30, 30, 44, 32), palette::kPaper, palette::kDeepBlue);
        DrawArrow(painter, QRectF(44, 70, 32, 26).translated(0, 0), palette::kBlue);
        DrawDatabase(painter, QRectF(40, 100, 44, 46), palette::kAmber, palette::kAmber.lighter(130));
    });
}

QPixmap AboutPicture()
{
    return Draw(QSize(440, 260), [](QPainter& painter) {
        FillBlueGradient(painter, QRectF(0, 0, 440, 260));
        DrawEmblem(painter, QRectF(300, 30, 120, 120));
        DrawTitleBlock(painter, QRectF(28, 26, 260, 120));
        DrawText(painter, QRectF(28, 150, 390, 20), "Version 3.0", 10, true, Qt::white);
        DrawText(painter, QRectF(28, 176, 390, 60),
                 "Copyright \u00a9 Kestrova Software. All rights reserved.\n"
                 "support@kestrova.example  \u00b7  www.kestrova.example",
                 9, false, palette::kLightBlue, Qt::AlignLeft | Qt::AlignTop);
    });
}

QPixmap ReadingArrow()
{
    return Draw(QSize(16, 16), [](QPainter& painter) { DrawArrow(painter, QRectF(1, 3, 14, 10), palette::kBlue); });
}

QIcon ExitIcon()
{
    return IconFrom([](QPainter& painter) {
        painter.setPen(QPen(palette::kDeepBlue, 1.2));
        painter.setBrush(palette::kLightBlue);
        painter.drawRect(QRectF(2.5, 1.5, 8, 13));
        DrawArrow(painter, QRectF(7, 5, 8.5, 6), QColor(0xc0, 0x39, 0x2b));
    });
}

QIcon HelpContentsIcon()
{
    return IconFrom([](QPainter& painter) {
        painter.setPen(QPen(palette::kDeepBlue, 1));
        painter.setBrush(palette::kBlue);
        painter.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
        DrawText(painter, QRectF(2.5, 1.5, 11, 13), "?", 8, true, Qt::white, Qt::AlignCenter);
    });
}

QIcon AboutIcon()
{
    return IconFrom([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette::kBlue);
        painter.drawEllipse(QRectF(1, 1, 14, 14));
        DrawText(painter, QRectF(1, 1, 14, 14), "i", 8, true, Qt::white, Qt::AlignCenter);
    });
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        icon.addPixmap(Draw(QSize(size, size), [size](QPainter& painter) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(palette::kBlue);
            painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
            DrawEmblem(painter, QRectF(size * 0.06, size * 0.04, size * 0.88, size * 0.88));
        }));
    }
    return icon;
}

}  // namespace varnemo::app
