#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

#include <initializer_list>
#include <utility>

namespace varnemo::app {

// Disables widgets for as long as a piece of work runs (the window's events are processed
// during it) and gives each its own enabled state back afterwards.
class WidgetsDisabled {
public:
    explicit WidgetsDisabled(std::initializer_list<QWidget*> widgets)
    {
        for (QWidget* widget : widgets) {
            saved_.append({widget, widget->isEnabled()});
            widget->setEnabled(false);
        }
    }
    ~WidgetsDisabled()
    {
        for (const auto& [widget, enabled] : saved_)
            if (widget)
                widget->setEnabled(enabled);
    }
    WidgetsDisabled(const WidgetsDisabled&) = delete;
    WidgetsDisabled& operator=(const WidgetsDisabled&) = delete;

private:
    QVector<std::pair<QPointer<QWidget>, bool>> saved_;
};

}  // namespace varnemo::app
