#include "app/small_icons.h"

#include "app/artwork.h"
#include "app/drawing.h"

#include <stdexcept>

namespace varnemo::app {
namespace {

const QColor kFolderYellow{0xf5, 0xc8, 0x4c};

QIcon Icon16(const std::function<void(QPainter&)>& paint)
{
    return QIcon(Draw(QSize(16, 16), paint));
}

QIcon StoreIcon()
{
    return Icon16([](QPainter& painter) {
        DrawDatabase(painter, QRectF(2, 1, 12, 14), palette::kBlue, palette::kLightBlue);
    });
}

QIcon PlainFolderIcon()
{
    return Icon16([](QPainter& painter) { DrawFolder(painter, QRectF(1, 2, 14, 12), kFolderYellow); });
}

QIcon MailFolderIcon()
{
    return Icon16([](QPainter& painter) {
        DrawFolder(painter, QRectF(0.5, 1, 13, 10), kFolderYellow);
        DrawEnvelope(painter, QRectF(5.5, 7.5, 10, 7), palette::kPaper, palette::kBlue);
    });
}

QIcon TaskIcon()
{
    return Icon16([](QPainter& painter) {
        painter.setPen(QPen(palette::kDeepBlue, 1));
        painter.setBrush(palette::kPaper);
        painter.drawRoundedRect(QRectF(2.5, 1.5, 11, 13.5), 1, 1);
        painter.setPen(QPen(QColor(0x2e, 0x8b, 0x57), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(5, 8.5), QPointF(7.5, 11), QPointF(11.5, 5)}));
    });
}

QIcon CalendarIcon()
{
    return Icon16([](QPainter& painter) {
        painter.setPen(QPen(palette::kDeepBlue, 1));
        painter.setBrush(palette::kPaper);
        painter.drawRect(QRectF(1.5, 2.5, 13, 12));
        painter.fillRect(QRectF(2, 3, 12, 3.5), QColor(0xc0, 0x39, 0x2b));
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette::kBlue);
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 3; ++column)
                painter.drawRect(QRectF(3.5 + column * 3.5, 8 + row * 3, 2, 2));
    });
}

QIcon ContactsIcon()
{
    return Icon16([](QPainter& painter) {
        painter.setPen(QPen(palette::kDeepBlue, 1));
        painter.setBrush(palette::kLightBlue);
        painter.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
        painter.setBrush(palette::kBlue);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(4, 4.5, 4, 4));
        painter.drawChord(QRectF(2.5, 8.5, 7, 7), 0, 180 * 16);
        painter.setPen(QPen(palette::kDeepBlue, 1));
        painter.drawLine(QPointF(10, 6), QPointF(13, 6));
        painter.drawLine(QPointF(10, 9), QPointF(13, 9));
    });
}

QIcon JournalIcon()
{
    return Icon16([](QPainter& painter) {
        painter.setPen(QPen(QColor(0x6b, 0x3e, 0x1f), 1));
        painter.setBrush(QColor(0xa0, 0x5a, 0x2c));
        painter.drawRoundedRect(QRectF(3.5, 1.5, 10, 13), 1, 1);
        painter.fillRect(QRectF(2, 3, 2.5, 10), palette::kAmber);
        painter.setPen(QPen(palette::kPaper, 1));
        painter.drawLine(QPointF(6.5, 5.5), QPointF(11.5, 5.5));
        painter.drawLine(QPointF(6.5, 8), QPointF(11.5, 8));
    });
}

QIcon StickyNoteIcon()
{
    return Icon16([](QPainter& painter) {
        QPolygonF note({QPointF(1.5, 1.5), QPointF(14.5, 1.5), QPointF(14.5, 10.5), QPointF(10.5, 14.5),
                        QPointF(1.5, 14.5)});
        painter.setPen(QPen(QColor(0xb8, 0x8a, 0x00), 1));
        painter.setBrush(QColor(0xff, 0xe0, 0x66));
        painter.drawPolygon(note);
        painter.setBrush(QColor(0xe6, 0xb8, 0x00));
        painter.drawPolygon(QPolygonF({QPointF(14.5, 10.5), QPointF(10.5, 10.5), QPointF(10.5, 14.5)}));
    });
}

}  // namespace

SmallIcons::SmallIcons() : icons_(kCount, PlainFolderIcon())
{
    icons_[0] = StoreIcon();
    icons_[2] = MailFolderIcon();
    icons_[58] = TaskIcon();
    icons_[60] = CalendarIcon();
    icons_[61] = ContactsIcon();
    icons_[62] = JournalIcon();
    icons_[67] = StickyNoteIcon();
    keys_ = {{"tasks", 58}, {"cal", 60}, {"contacts", 61}, {"journal", 62}};
}

const QIcon& SmallIcons::At(int position) const
{
    if (position < 0 || position >= Count())
        throw std::out_of_range("no small icon at position " + std::to_string(position));
    return icons_[position];
}

}  // namespace varnemo::app
