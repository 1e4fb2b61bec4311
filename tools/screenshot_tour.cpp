// Takes the pictures of the program's windows shown in the README: the splash, both tabs of the
// main window (the second with a sample file's folder tree and its context menu), the target
// window while a conversion of that file runs, that run's completion message and offer of a report,
// the question when the user closes it during a second run, the completion message of that stopped
// run, and the About window. Runs on any Qt platform, offscreen too.
//
//   varnemo-screenshots OUTPUT-FOLDER SAMPLE.pst
#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/frm_save.h"
#include "app/frm_splash.h"
#include "app/qt_dialogs.h"
#include "notes/local/local_notes.h"
#include "source/pff/pff_mapi.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <cstdio>
#include <stdexcept>

using namespace varnemo;

namespace {

class Camera {
public:
    explicit Camera(QString folder) : folder_(std::move(folder)) {}

    void Take(QWidget& window, const QString& name) const
    {
        QApplication::processEvents();
        Save(window.grab(), name);
    }

    void Save(const QPixmap& picture, const QString& name) const
    {
        const QString path = QDir(folder_).filePath(name);
        if (!picture.save(path))
            throw std::runtime_error("cannot write " + path.toStdString());
        std::printf("%s\n", qPrintable(path));
    }

private:
    QString folder_;
};

// Shows a message box as the program's dialogs do, photographs it and closes it.
void TakeMessageBox(const Camera& camera, QMessageBox::StandardButtons buttons, const std::string& text,
                    const std::string& title, const QString& name)
{
    QMessageBox box(QApplication::activeModalWidget());
    app::PrepareMessageBox(box, text, title, buttons);
    box.show();
    camera.Take(box, name);
    box.close();
}

// Answers the dialogs as a user converting the sample would. On the first run it photographs the
// target window when the run is about to report its end, while its progress labels still show
// the last item, the completion message, where the sample's items converted in part show, and the
// offer of a report of them; on the second, which the user stops, the question and the completion message.
class TourDialogs : public Dialogs {
public:
    TourDialogs(const Camera& camera, std::string dataFile, std::string targetFolder)
        : camera_(camera), dataFile_(std::move(dataFile)), targetFolder_(std::move(targetFolder)) {}

    std::string OpenFile(const FileFilter&) override { return dataFile_; }
    std::string SaveFile(const FileFilter&) override { return {}; }
    std::string BrowseForFolder(const std::string&) override { return targetFolder_; }
    void Message(const std::string& text, const std::string& title) override
    {
        if (stopping) {
            TakeMessageBox(camera_, QMessageBox::Ok, text, title, "completion-stopped.png");
        } else if (auto* target = qobject_cast<app::FrmSave*>(QApplication::activeModalWidget())) {
            camera_.Take(*target, "target-window.png");
            TakeMessageBox(camera_, QMessageBox::Ok, text, title, "completion-in-part.png");
        }
        std::printf("%s: %s\n", title.c_str(), text.c_str());
    }
    // The first run's only question is the offer of a report of what did not arrive whole; the
    // second's first is whether to stop, and its offer of a report is declined unphotographed.
    bool Ask(const std::string& text, const std::string& title) override
    {
        if (!stopping) {
            TakeMessageBox(camera_, QMessageBox::Yes | QMessageBox::No, text, title, "report-offer.png");
            return false;
        }
        if (stopAsked_)
            return false;
        stopAsked_ = true;
        TakeMessageBox(camera_, QMessageBox::Yes | QMessageBox::No, text, title, "stop-question.png");
        return true;
    }

    // The second run: the user closes the target window after its first item.
    bool stopping = false;

private:
    const Camera& camera_;
    std::string dataFile_;
    std::string targetFolder_;
    bool stopAsked_ = false;
};

void Click(QWidget& window, const char* name)
{
    auto* button = window.findChild<QAbstractButton*>(name);
    if (!button)
        throw std::runtime_error(std::string("no button ") + name);
    button->click();
}

// The folder tree's context menu, opened on the first folder, photographed with the tree below it.
void TakeTreeMenu(const Camera& camera, QWidget& frmMain)
{
    auto* tree = frmMain.findChild<QTreeWidget*>("OutlookFoldersTree");
    QTreeWidgetItem* folder = tree->topLevelItem(0)->child(0);
    tree->setCurrentItem(folder);
    QMenu menu;
    for (const char* name : {"TickBelow", "UntickBelow", "", "TickAll", "UntickAll"}) {
        if (*name)
            menu.addAction(tree->findChild<QAction*>(name));
        else
            menu.addSeparator();
    }
    const QRect row = tree->visualItemRect(folder);
    menu.popup(tree->viewport()->mapToGlobal(row.center()));
    QApplication::processEvents();
    // The menu is a window of its own: the picture puts it over the main window where it opened.
    QPixmap picture = frmMain.grab();
    QPainter painter(&picture);
    painter.drawPixmap(frmMain.mapFromGlobal(menu.pos()), menu.grab());
    painter.end();
    camera.Save(picture, "main-tree-menu.png");
    menu.close();
}

void Tour(const QString& outputFolder, const QString& sample)
{
    QTemporaryDir work;
    const QString dataFile = QDir(work.path()).filePath(QFileInfo(sample).fileName());
    if (!QFile::copy(sample, dataFile))
        throw std::runtime_error("cannot copy " + sample.toStdString());
    QFile(dataFile).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QDir(work.path()).mkpath("target");

    const Camera camera(outputFolder);
    app::FrmSplash splash([] {});
    splash.show();
    camera.Take(splash, "splash.png");
    splash.close();

    const std::filesystem::path workPath = work.path().toStdString();
    mapi::pff::PffMapi mapi(workPath / "profile");
    notes::local::LocalNotes notes(workPath / "notes-data");
    TourDialogs dialogs(camera, dataFile.toStdString(), (workPath / "target").string());
    ProgramState state;
    app::FrmMain frmMain({state, mapi, notes, dialogs,
                          "Outlook data files read with libpff; Notes databases in the local store at "
                          "~/.local/share/varnemo/notes",
                          {}});
    frmMain.show();
    Click(frmMain, "OptOtherPST");
    Click(frmMain, "CmdBrowse");
    camera.Take(frmMain, "main-select-file.png");
    Click(frmMain, "CmdExportOther");
    camera.Take(frmMain, "main-mailbox-preview.png");
    TakeTreeMenu(camera, frmMain);

    app::FrmAbout about(&frmMain);
    about.show();
    camera.Take(about, "about.png");
    about.close();

    // Empty folders are left out, as a user would, so that the run ends on a folder with items.
    for (QTreeWidgetItemIterator it(frmMain.findChild<QTreeWidget*>("OutlookFoldersTree")); *it; ++it)
        if ((*it)->text(0).endsWith("(0)"))
            (*it)->setCheckState(0, Qt::Unchecked);
    QTimer::singleShot(0, [] {
        if (auto* target = qobject_cast<app::FrmSave*>(QApplication::activeModalWidget()))
            Click(*target, "CmdNewNSF");
    });
    Click(frmMain, "CmdStartConversion");

    dialogs.stopping = true;
    QTimer::singleShot(0, [] {
        if (auto* target = qobject_cast<app::FrmSave*>(QApplication::activeModalWidget()))
            Click(*target, "CmdNewNSF");
    });
    // Closes the target window once the first item is done.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&closer] {
        auto* target = qobject_cast<app::FrmSave*>(QApplication::activeModalWidget());
        if (!target || target->findChild<QLabel*>("LblCurrent")->text().isEmpty())
            return;
        closer.stop();
        target->reject();
    });
    closer.start(0);
    Click(frmMain, "CmdStartConversion");
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: varnemo-screenshots OUTPUT-FOLDER SAMPLE.pst\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    try {
        Tour(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "varnemo-screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
