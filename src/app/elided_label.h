#pragma once

#include <QLabel>

namespace varnemo::app {

// A one-line label that shortens its text in the middle with "…" when the text does not fit,
// rather than cutting it off; the whole text is its tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QString text, QWidget* parent = nullptr);

    const QString& FullText() const { return fullText_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString fullText_;
};

}  // namespace varnemo::app
