#include "app/elided_label.h"

#include <QFontMetrics>

namespace varnemo::app {

ElidedLabel::ElidedLabel(QString text, QWidget* parent) : QLabel(parent), fullText_(std::move(text))
{
    setToolTip(fullText_);
    setText(fullText_);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    setText(fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width()));
}

}  // namespace varnemo::app
