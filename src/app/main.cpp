// varnemo: the desktop program. Shows the splash, then the main window.
#include "app/artwork.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "app/help_window.h"
#include "app/qt_dialogs.h"
#include "backends/backends.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>

using namespace varnemo;

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Kestrova Varnemo");
    QApplication::setApplicationVersion("3.0");
    QApplication::setDesktopFileName("varnemo");
    QApplication::setWindowIcon(app::ProgramIcon());
    // One look on every desktop, matching the program's own pictures.
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    Backends backends;
    try {
        backends = CreateBackends(BackendOptions::Defaults());
    } catch (const ComponentError& error) {
        QMessageBox::critical(nullptr, "Kestrova Varnemo", QString("Varnemo cannot start.\n") + error.what());
        return 1;
    }
    ProgramState state;
    app::QtDialogs dialogs;
    app::FrmMain frmMain({state, *backends.mapi, *backends.notes, dialogs, backends.description,
                          app::HelpFilePath(QApplication::applicationDirPath())});
    QObject::connect(&frmMain, &app::FrmMain::endProgramRequested, &application, &QApplication::quit);

    app::FrmSplash frmSplash([&frmMain] { frmMain.show(); });
    frmSplash.show();
    return QApplication::exec();
}
