#include "app/drawing.h"

#include "app/artwork.h"

#include <QPainterPath>

namespace varnemo::app {

QPixmap Draw(QSize size, const std::function<void(QPainter&)>& paint)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paint(painter);
    return pixmap;
}

void DrawEnvelope(QPainter& painter, const QRectF& box, const QColor& paper, const QColor& line)
{
    const qreal pen = qMax<qreal>(1.0, box.width() / 16);
    painter.setPen(QPen(line, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(paper);
    painter.drawRoundedRect(box, pen, pen);
    QPainterPath flap;
    flap.moveTo(box.topLeft());
    flap.lineTo(box.center().x(), box.top() + box.height() * 0.58);
    flap.lineTo(box.topRight());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flap);
}

void DrawDatabase(QPainter& painter, const QRectF& box, const QColor& body, const QColor& top)
{
    const qreal lid = box.height() * 0.28;
    const QRectF topEllipse(box.left(), box.top(), box.width(), lid);
    const QRectF bottomEllipse(box.left(), box.bottom() - lid, box.width(), lid);
    QPainterPath drum;
    drum.moveTo(box.left(), box.top() + lid / 2);
    drum.lineTo(box.left(), box.bottom() - lid / 2);
    drum.arcTo(bottomEllipse, 180, 180);
    drum.lineTo(box.right(), box.top() + lid / 2);
    drum.closeSubpath();
    painter.setPen(QPen(body.darker(140), qMax<qreal>(1.0, box.width() / 20)));
    painter.setBrush(body);
    painter.drawPath(drum);
    // Bands that make the drum read as a stack of records.
    for (const qreal share : {0.45, 0.7}) {
        const qreal y = box.top() + (box.height() - lid) * share;
        painter.drawArc(QRectF(box.left(), y, box.width(), lid), 180 * 16, 180 * 16);
    }
    painter.setBrush(top);
    painter.drawEllipse(topEllipse);
}

void DrawArrow(QPainter& painter, const QRectF& box, const QColor& color)
{
    const qreal shaft = box.height() * 0.22;
    const qreal head = box.width() * 0.42;
    QPainterPath arrow;
    arrow.moveTo(box.left(), box.center().y() - shaft);
    arrow.lineTo(box.right() - head, box.center().y() - shaft);
    arrow.lineTo(box.right() - head, box.top());
    arrow.lineTo(box.right(), box.center().y());
    arrow.lineTo(box.right() - head, box.bottom());
    arrow.lineTo(box.right() - head, box.center().y() + shaft);
    arrow.lineTo(box.left(), box.center().y() + shaft);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(arrow);
}

void DrawEmblem(QPainter& painter, const QRectF& box)
{
    const qreal unit = box.width() / 10;
    const QRectF envelope(box.left(), box.top() + unit * 1.5, unit * 4.4, unit * 3.2);
    const QRectF arrow(box.left() + unit * 3.2, box.top() + unit * 4.2, unit * 3.4, unit * 2.6);
    const QRectF database(box.left() + unit * 6.2, box.top() + unit * 3.6, unit * 3.6, unit * 5.2);
    DrawDatabase(painter, database, palette::kAmber, palette::kAmber.lighter(130));
    DrawArrow(painter, arrow, palette::kLightBlue);
    DrawEnvelope(painter, envelope, palette::kPaper, palette::kDeepBlue);
}

void DrawFolder(QPainter& painter, const QRectF& box, const QColor& color)
{
    const qreal tab = box.height() * 0.22;
    QPainterPath folder;
    folder.moveTo(box.left(), box.top() + tab);
    folder.lineTo(box.left(), box.bottom());
    folder.lineTo(box.right(), box.bottom());
    folder.lineTo(box.right(), box.top() + tab * 1.6);
    folder.lineTo(box.left() + box.width() * 0.45, box.top() + tab * 1.6);
    folder.lineTo(box.left() + box.width() * 0.35, box.top() + tab * 0.6);
    folder.lineTo(box.left(), box.top() + tab * 0.6);
    folder.closeSubpath();
    painter.setPen(QPen(color.darker(150), 1));
    painter.setBrush(color);
    painter.drawPath(folder);
}

}  // namespace varnemo::app
