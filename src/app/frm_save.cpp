#include "app/frm_save.h"

#include "app/artwork.h"
#include "app/qt_text.h"
#include "app/widgets_disabled.h"
#include "common/text.h"
#include "conversion/overall_progress.h"
#include "conversion/report_offer.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace varnemo::app {
namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit* PathBox(const char* name)
{
    auto* box = Named(new QLineEdit, name);
    box->setReadOnly(true);
    box->setMinimumWidth(300);
    return box;
}

}  // namespace

FrmSave::FrmSave(ProgramState& state, mapi::Component& mapi, notes::Component& notes, Dialogs& dialogs,
                 QWidget* parent)
    : QDialog(parent),
      state_(state),
      dialogs_(dialogs),
      run_(mapi, WriterContext{state, notes, *this}, ConversionOptions{.stop = &stop_})
{
    setObjectName("frmSave");
    setWindowTitle("Export Outlook Mailbox to Lotus Notes");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildTargetFrame());
    layout->addWidget(BuildExportFrame());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    CmdConversion = Named(new QPushButton("&Export Mailbox"), "CmdConversion");
    CmdConversion->setEnabled(false);
    CmdCancel = Named(new QPushButton("&Cancel"), "CmdCancel");
    CmdCancel->setAutoDefault(false);
    buttons->addWidget(CmdConversion);
    buttons->addWidget(CmdCancel);
    layout->addLayout(buttons);

    connect(OptNewNSF, &QRadioButton::clicked, this, &FrmSave::OptNewNSF_Click);
    connect(OptExistingNSF, &QRadioButton::clicked, this, &FrmSave::OptExistingNSF_Click);
    connect(CmdNewNSF, &QPushButton::clicked, this, &FrmSave::CmdNewNSF_Click);
    connect(CmdExistingNSF, &QPushButton::clicked, this, &FrmSave::CmdExistingNSF_Click);
    connect(CmdConversion, &QPushButton::clicked, this, &FrmSave::CmdConversion_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmSave::CmdCancel_Click);
    connect(txtNSFFileName, &QLineEdit::textChanged, this, &FrmSave::txtNSFFileName_Change);
    connect(txtExNSFFileName, &QLineEdit::textChanged, this, &FrmSave::txtExNSFFileName_Change);
    Form_Load();
}

QGroupBox* FrmSave::BuildTargetFrame()
{
    auto* frame = new QGroupBox;
    auto* grid = new QGridLayout(frame);
    OptNewNSF = Named(new QRadioButton("Save in New NSF file"), "OptNewNSF");
    txtNSFFileName = PathBox("txtNSFFileName");
    CmdNewNSF = Named(new QPushButton("&Select..."), "CmdNewNSF");
    CmdNewNSF->setEnabled(false);
    OptExistingNSF = Named(new QRadioButton("Save in Existing NSF file"), "OptExistingNSF");
    txtExNSFFileName = PathBox("txtExNSFFileName");
    CmdExistingNSF = Named(new QPushButton("&Select..."), "CmdExistingNSF");
    CmdExistingNSF->setEnabled(false);

    grid->addWidget(OptNewNSF, 0, 0, 1, 3);
    grid->addWidget(new QLabel("Select Folder :"), 1, 0);
    grid->addWidget(txtNSFFileName, 1, 1);
    grid->addWidget(CmdNewNSF, 1, 2);
    grid->addWidget(OptExistingNSF, 2, 0, 1, 3);
    grid->addWidget(new QLabel("Select NSF File :"), 3, 0);
    grid->addWidget(txtExNSFFileName, 3, 1);
    grid->addWidget(CmdExistingNSF, 3, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(0, 110);
    return frame;
}

QGroupBox* FrmSave::BuildExportFrame()
{
    auto* frame = Named(new QGroupBox(" Export Progress Details"), "ExportFrame");
    auto* grid = new QGridLayout(frame);
    auto* arrow = Named(new QLabel, "ImgReadingArrow");
    arrow->setPixmap(ReadingArrow());
    LblSaveHeader = Named(new QLabel(kSaveHeader), "LblSaveHeader");
    LblSubject = Named(new QLabel("Subject :"), "LblSubject");
    LblSubject->setVisible(false);
    LblProcessing = Named(new QLabel, "LblProcessing");
    LblFoundLabel = Named(new QLabel("Found :"), "LblFoundLabel");
    LblFound = Named(new QLabel, "LblFound");
    LblCurrent = Named(new QLabel, "LblCurrent");
    LblOverall = Named(new QLabel, "LblOverall");
    PrgOverall = Named(new QProgressBar, "PrgOverall");
    PrgOverall->setTextVisible(false);
    PrgOverall->setRange(0, 1);
    PrgOverall->setValue(0);
    QFont bold = LblSaveHeader->font();
    bold.setBold(true);
    LblSaveHeader->setFont(bold);
    // A long subject must not widen the window while the run goes on.
    LblProcessing->setMinimumWidth(1);
    LblProcessing->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    grid->addWidget(arrow, 0, 0);
    grid->addWidget(LblSaveHeader, 0, 1, 1, 3);
    grid->addWidget(LblSubject, 1, 0, 1, 1, Qt::AlignRight);
    grid->addWidget(LblProcessing, 1, 1, 1, 3);
    grid->addWidget(LblFoundLabel, 2, 0, Qt::AlignRight);
    grid->addWidget(LblFound, 2, 1);
    grid->addWidget(new QLabel("Current :"), 2, 2, Qt::AlignRight);
    grid->addWidget(LblCurrent, 2, 3);
    grid->addWidget(new QLabel("Overall :"), 3, 0, Qt::AlignRight);
    grid->addWidget(PrgOverall, 3, 1, 1, 3);
    grid->addWidget(LblOverall, 4, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(0, 70);
    labels_ = {{TargetLabel::LblSaveHeader, LblSaveHeader},
               {TargetLabel::LblProcessing, LblProcessing},
               {TargetLabel::LblFound, LblFound},
               {TargetLabel::LblCurrent, LblCurrent}};
    return frame;
}

void FrmSave::Form_Load()
{
    state_.LoadExcludeFromViewValues();
}

void FrmSave::PrepareForNewDatabase()
{
    OptExistingNSF->setChecked(false);
    txtExNSFFileName->setEnabled(false);
    CmdExistingNSF->setEnabled(false);
    OptNewNSF->setChecked(true);
    txtNSFFileName->setEnabled(true);
    CmdNewNSF->setEnabled(true);
}

void FrmSave::OptNewNSF_Click()
{
    OptExistingNSF->setChecked(false);
    txtExNSFFileName->setEnabled(false);
    CmdExistingNSF->setEnabled(false);
    txtNSFFileName->setEnabled(true);
    CmdNewNSF->setEnabled(true);
}

void FrmSave::OptExistingNSF_Click()
{
    txtExNSFFileName->setEnabled(true);
    CmdExistingNSF->setEnabled(true);
    OptNewNSF->setChecked(false);
    txtNSFFileName->setEnabled(false);
    CmdNewNSF->setEnabled(false);
}

void FrmSave::CmdNewNSF_Click()
{
    state_.TargetDatabasePath = dialogs_.BrowseForFolder("Select Folder to Save NSF File");
    if (state_.TargetDatabasePath.empty())
        return;
    txtNSFFileName->setText(ToQString(state_.TargetDatabasePath));
    CmdConversion_Click();
}

void FrmSave::CmdExistingNSF_Click()
{
    txtExNSFFileName->setText(ToQString(dialogs_.OpenFile({"Lotus Notes Mailbox (*.nsf)", "*.nsf"})));
    if (!txtExNSFFileName->text().isEmpty())
        CmdConversion_Click();
}

void FrmSave::CmdConversion_Click()
{
    if (run_.Running())
        return;
    stop_.Clear();
    {
        WidgetsDisabled whileRunning{OptNewNSF, OptExistingNSF, CmdNewNSF, CmdExistingNSF, CmdConversion};
        try {
            run_.CmdConversion_Click();
        } catch (const ProgramEnding&) {
            programEnded_ = true;
            done(QDialog::Rejected);
            return;
        }
    }
    // A run that got to its end has closed the window; one that could not start leaves it open.
    if (isVisible())
        ClearProgress();
}

void FrmSave::CmdCancel_Click()
{
    if (run_.Running())
        stop_.Request();
    else
        reject();
}

void FrmSave::ClearProgress()
{
    LblSaveHeader->setText(kSaveHeader);
    for (QLabel* label : {LblProcessing, LblFound, LblCurrent, LblOverall})
        label->clear();
    LblSubject->setVisible(false);
    PrgOverall->setRange(0, 1);
    PrgOverall->setValue(0);
}

void FrmSave::txtNSFFileName_Change()
{
    FollowPathBox(*txtNSFFileName);
}

void FrmSave::txtExNSFFileName_Change()
{
    FollowPathBox(*txtExNSFFileName);
}

// The Export button follows the path box that changed last, whichever option is selected.
void FrmSave::FollowPathBox(const QLineEdit& box)
{
    CmdConversion->setEnabled(!TrimBlanks(ToStdString(box.text())).empty());
}

void FrmSave::reject()
{
    // Closing the window in the middle of a run would leave the run writing with no window: the
    // run stops instead, and closes the window at its end as a finished run does.
    if (!run_.Running()) {
        QDialog::reject();
        return;
    }
    if (!stop_.Requested() && dialogs_.Ask(kStopQuestion, "Kestrova Varnemo"))
        stop_.Request();
}

void FrmSave::ShowOverallProgress(const OverallProgress& progress)
{
    // The bar counts in int, which holds the items of any mailbox.
    PrgOverall->setRange(0, static_cast<int>(std::max(progress.total, 1L)));
    PrgOverall->setValue(static_cast<int>(std::min(progress.done, progress.total)));
    LblOverall->setText(ToQString(OverallProgressText(progress)));
}

void FrmSave::SetCaption(TargetLabel label, const std::string& text)
{
    QLabel* shown = labels_.at(label);
    shown->setText(ToQString(text));
    // The run holds the event loop between its yields: the header, which names the step or the
    // folder at hand, is shown now. The item labels and the bar are painted at the yields.
    if (label == TargetLabel::LblSaveHeader)
        shown->repaint();
}

void FrmSave::Yield()
{
    if (!pace_.Due())
        return;
    pace_.Shown();
    QCoreApplication::processEvents();
}

void FrmSave::ShowMessage(const std::string& text, const std::string& title)
{
    dialogs_.Message(text, title);
    if (title == "Export Complete")
        OfferConversionReport(run_.Summary(), dialogs_);
}

void FrmSave::EndProgram()
{
    programEnded_ = true;
}

bool FrmSave::NewNsfSelected()
{
    return OptNewNSF->isChecked();
}

std::string FrmSave::ExistingNsfFileName()
{
    return ToStdString(txtExNSFFileName->text());
}

void FrmSave::ShowSubjectLabel()
{
    LblSubject->setVisible(true);
}

void FrmSave::CloseWindow()
{
    done(QDialog::Accepted);
}

}  // namespace varnemo::app
