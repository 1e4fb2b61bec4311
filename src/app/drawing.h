#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRectF>

#include <functional>

namespace varnemo::app {

// The shapes that the program's pictures and icons are made of.

// A transparent pixmap of the size, drawn on with antialiasing.
QPixmap Draw(QSize size, const std::function<void(QPainter&)>& paint);

void DrawEnvelope(QPainter& painter, const QRectF& box, const QColor& paper, const QColor& line);
// A database drum, the Notes side of the picture.
void DrawDatabase(QPainter& painter, const QRectF& box, const QColor& body, const QColor& top);
// A thick arrow pointing right, filling the box.
void DrawArrow(QPainter& painter, const QRectF& box, const QColor& color);
// The program's emblem: an envelope travelling along an arrow into a database.
void DrawEmblem(QPainter& painter, const QRectF& box);
// A folder with its tab, the base of the folder icons.
void DrawFolder(QPainter& painter, const QRectF& box, const QColor& color);

}  // namespace varnemo::app
