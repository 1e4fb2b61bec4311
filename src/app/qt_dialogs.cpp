#include "app/qt_dialogs.h"

#include "app/qt_text.h"
#ifdef _WIN32
#include "shell/folder_picker.h"
#endif

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace varnemo::app {
namespace {

QWidget* ActiveWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// Qt's filter form: "Outlook Mailbox (*.pst)", adding the pattern when the description lacks it.
QString QtFilter(const FileFilter& filter)
{
    const QString description = ToQString(filter.description);
    const QString pattern = ToQString(filter.pattern);
    return description.contains(pattern) ? description : description + " (" + pattern + ")";
}

// A message's lines as rich text that breaks only between lines; the box grows to the longest.
QString WholeLines(const std::string& text)
{
    QString html = ToQString(text).toHtmlEscaped();
    html.replace("\r\n", "<br>").replace("\n", "<br>");
    return "<p style=\"white-space:pre\">" + html + "</p>";
}

bool ShowBox(const std::string& text, const std::string& title, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(ActiveWindow());
    PrepareMessageBox(box, text, title, buttons);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace

void PrepareMessageBox(QMessageBox& box, const std::string& text, const std::string& title,
                       QMessageBox::StandardButtons buttons)
{
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(ToQString(title));
    box.setTextFormat(Qt::RichText);
    box.setText(WholeLines(text));
    box.setStandardButtons(buttons);
}

std::string QtDialogs::OpenFile(const FileFilter& filter)
{
    return ToStdString(QFileDialog::getOpenFileName(ActiveWindow(), QString(), QString(), QtFilter(filter)));
}

std::string QtDialogs::SaveFile(const FileFilter& filter)
{
    return ToStdString(QFileDialog::getSaveFileName(ActiveWindow(), QString(), QString(), QtFilter(filter)));
}

std::string QtDialogs::BrowseForFolder(const std::string& title)
{
#ifdef _WIN32
    return varnemo::BrowseForFolder(0, title);
#else
    return ToStdString(QFileDialog::getExistingDirectory(nullptr, ToQString(title)));
#endif
}

void QtDialogs::Message(const std::string& text, const std::string& title)
{
    ShowBox(text, title, QMessageBox::Ok);
}

bool QtDialogs::Ask(const std::string& text, const std::string& title)
{
    return ShowBox(text, title, QMessageBox::Yes | QMessageBox::No);
}

}  // namespace varnemo::app
