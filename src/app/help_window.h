#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace varnemo::app {

// Where the program's help guide is: help/index.html beside the program (the build tree), else
// ../share/varnemo/help/index.html (an installed program). The first place when neither holds it.
QString HelpFilePath(const QString& programFolder);

// The help window: the guide shown with its links and pictures, or a note that it is missing.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString& helpFile, QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace varnemo::app
