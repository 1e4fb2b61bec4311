#include "app/help_window.h"

#include "app/artwork.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace varnemo::app {

QString HelpFilePath(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QStringList places{folder.filePath("help/index.html"), folder.filePath("../share/varnemo/help/index.html")};
    for (const QString& place : places)
        if (QFileInfo::exists(place))
            return QDir::cleanPath(place);
    return QDir::cleanPath(places.front());
}

HelpWindow::HelpWindow(const QString& helpFile, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle("Kestrova Varnemo Help");
    setWindowIcon(HelpContentsIcon());
    resize(760, 600);
    browser_ = new QTextBrowser;
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    if (QFileInfo::exists(helpFile))
        browser_->setSource(QUrl::fromLocalFile(helpFile));
    else
        browser_->setPlainText("The help file " + helpFile + " cannot be found. Reinstall Kestrova Varnemo.");
}

}  // namespace varnemo::app
