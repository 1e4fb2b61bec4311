#include "app/frm_main.h"

#include "app/artwork.h"
#include "app/elided_label.h"
#include "app/folder_tree_view.h"
#include "app/frm_about.h"
#include "app/frm_save.h"
#include "app/help_window.h"
#include "app/qt_text.h"
#ifdef _WIN32
#include "shell/help_contents.h"
#endif
#include "source/source_help.h"
#include "source/start_conversion.h"
#include "source/store_entry.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace varnemo::app {
namespace {

constexpr int kPreviewTab = 1;

template <class Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* Picture(const QPixmap& pixmap)
{
    auto* label = new QLabel;
    label->setPixmap(pixmap);
    return label;
}

QLabel* HeaderText(const QString& text, int pointSize, bool bold, const QColor& color)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette colors = label->palette();
    colors.setColor(QPalette::WindowText, color);
    label->setPalette(colors);
    return label;
}

QLabel* StatusPanel(const QString& text, int minimumWidth)
{
    auto* panel = new QLabel(text);
    panel->setMinimumWidth(minimumWidth);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}

}  // namespace

FrmMain::FrmMain(MainServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      discovery_(services_.mapi, services_.state, tree_, *this, services_.dialogs)
{
    setObjectName("frmMain");
    setWindowTitle("Kestrova Varnemo v3.0");
    setWindowIcon(ProgramIcon());
    BuildMenus();
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(BuildHeader());
    NotesTab = Named(new QTabWidget, "NotesTab");
    NotesTab->addTab(BuildSelectFileTab(), " Select File");
    NotesTab->addTab(BuildPreviewTab(), " Mailbox Preview");
    auto* tabs = new QHBoxLayout;
    tabs->setContentsMargins(8, 0, 8, 0);
    tabs->addWidget(NotesTab);
    layout->addLayout(tabs, 1);
    setCentralWidget(central);
    BuildStatusBar();
    ConnectHandlers();
    KeepHelpWhole();
    resize(760, 580);
    Form_Load();
}

void FrmMain::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFileTop");
    QAction* exit = file->addAction(ExitIcon(), "E&xit", this, &FrmMain::mnuExit_Click);
    exit->setObjectName("mnuExit");
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelpTop");
    help->addAction(HelpContentsIcon(), "Contents", this, &FrmMain::mnuHelp_Click)->setObjectName("mnuHelp");
    help->addAction(AboutIcon(), "&About...", this, &FrmMain::mnuAbout_Click)->setObjectName("mnuAbout");
}

QWidget* FrmMain::BuildHeader()
{
    auto* header = Named(new QWidget, "Header");
    header->setAutoFillBackground(true);
    QPalette colors = header->palette();
    colors.setColor(QPalette::Window, palette::kBlue);
    header->setPalette(colors);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(HeaderText("Kestrova", 9, true, palette::kAmber));
    texts->addWidget(HeaderText("Varnemo", 18, true, Qt::white));
    texts->addWidget(HeaderText("Migrate Outlook Emails, Contacts, Calendar, Tasks to Lotus Notes", 9, false,
                                palette::kLightBlue));
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->addWidget(Picture(HeaderLogo()));
    layout->addSpacing(8);
    layout->addLayout(texts, 1);
    layout->addWidget(Picture(HeaderEmblem()));
    return header;
}

QWidget* FrmMain::BuildSelectFileTab()
{
    auto* tab = new QWidget;
    OptConfiguredPST = Named(new QRadioButton("  Convert configured Outlook Mailboxes"), "OptConfiguredPST");
    OptConfiguredPST->setChecked(true);
    OptOtherPST = Named(new QRadioButton("  Convert Other PST file"), "OptOtherPST");
    CmdExportConfigured = Named(new QPushButton("Export Mailbox"), "CmdExportConfigured");

    auto* configuredRow = new QHBoxLayout;
    configuredRow->addWidget(OptConfiguredPST, 1);
    configuredRow->addWidget(CmdExportConfigured);
    auto* sourceFrame = new QGroupBox(" Select Outlook  (.pst) file to convert");
    auto* source = new QVBoxLayout(sourceFrame);
    source->addLayout(configuredRow);
    source->addWidget(OptOtherPST);
    source->addWidget(BuildOtherPstFrame());
    source->addLayout(BuildOpeningRow());

    LblHelp = Named(new QLabel(kConfiguredMailboxesHelp), "LblHelp");
    LblHelp->setWordWrap(true);
    LblHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* helpFrame = new QGroupBox(" Help");
    auto* help = new QVBoxLayout(helpFrame);
    help->addWidget(LblHelp);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Supports Outlook 2000, 2002 (XP), 2003, 2007"));
    left->addWidget(sourceFrame);
    left->addWidget(helpFrame, 1);
    auto* layout = new QHBoxLayout(tab);
    layout->addLayout(left, 1);
    layout->addWidget(Picture(SelectFilePicture()), 0, Qt::AlignTop);
    return tab;
}

// The help label wraps its text, and a wrapped text's height depends on the width it gets, which
// the window's smallest size leaves out: shrunk, the window gave the help the height it needed and
// squeezed the frames above it. So the label asks, from the start, for the height its longer text
// needs at the narrowest the window lays it out.
void FrmMain::KeepHelpWhole()
{
    resize(minimumSizeHint());
    layout()->activate();
    int height = 0;
    for (const char* text : {kConfiguredMailboxesHelp, kOtherPstFileHelp}) {
        QLabel probe(text);
        probe.setWordWrap(true);
        probe.setFont(LblHelp->font());
        height = std::max(height, probe.heightForWidth(LblHelp->width()));
    }
    LblHelp->setMinimumHeight(height);
}

QGroupBox* FrmMain::BuildOtherPstFrame()
{
    OtherPSTFrame = Named(new QGroupBox(" Select Outlook File (.pst) "), "OtherPSTFrame");
    CmdBrowse = Named(new QPushButton("Browse..."), "CmdBrowse");
    txtNotesDatabaseFile = Named(new QLineEdit, "txtNotesDatabaseFile");
    txtNotesDatabaseFile->setReadOnly(true);
    CmdExportOther = Named(new QPushButton("Export Mailbox"), "CmdExportOther");
    auto* layout = new QHBoxLayout(OtherPSTFrame);
    layout->addWidget(CmdBrowse);
    layout->addWidget(txtNotesDatabaseFile, 1);
    layout->addWidget(CmdExportOther);
    return OtherPSTFrame;
}

// Below both ways to pick a source: what is being read, and its Cancel; hidden in between.
QHBoxLayout* FrmMain::BuildOpeningRow()
{
    LblOpening = Named(new QLabel, "LblOpening");
    CmdCancelOpen = Named(new QPushButton("Cancel"), "CmdCancelOpen");
    LblOpening->hide();
    CmdCancelOpen->hide();
    auto* opening = new QHBoxLayout;
    opening->addWidget(LblOpening, 1);
    opening->addWidget(CmdCancelOpen);
    return opening;
}

QWidget* FrmMain::BuildPreviewTab()
{
    auto* tab = new QWidget;
    CmbOutlookStores = Named(new QComboBox, "CmbOutlookStores");
    CmbOutlookStores->setPlaceholderText("---- Select a Outlook Mailbox ----");
    CmbOutlookStores->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    OutlookFoldersTree = new FolderTreeView(tree_, SmallIcons_);
    CmdStartConversion = Named(new QPushButton("Start Conversion"), "CmdStartConversion");
    CmdStartConversion->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdStartConversion);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(new QLabel("Please select a available configured Outlook mailbox"));
    layout->addWidget(CmbOutlookStores);
    layout->addWidget(new QLabel("Select folders you need to convert to Lotus Notes mailbox"));
    layout->addWidget(OutlookFoldersTree, 1);
    layout->addLayout(buttons);
    return tab;
}

void FrmMain::BuildStatusBar()
{
    statusBar()->setSizeGripEnabled(false);
    // Without the size grip the last panel would reach the window's edge, where the frame hides
    // its right border.
    statusBar()->setContentsMargins(0, 0, 6, 0);
    statusBar()->addWidget(StatusPanel("Kestrova Software", 130));
    statusBar()->addWidget(StatusPanel("support@kestrova.example", 170));
    statusBar()->addWidget(StatusPanel("www.kestrova.example", 150));
    auto* backends = Named(new ElidedLabel(ToQString(services_.backendDescription)), "BackendPanel");
    backends->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(backends, 1);
}

void FrmMain::ConnectHandlers()
{
    connect(OptConfiguredPST, &QRadioButton::clicked, this, &FrmMain::OptConfiguredPST_Click);
    connect(OptOtherPST, &QRadioButton::clicked, this, &FrmMain::OptOtherPST_Click);
    connect(CmdBrowse, &QPushButton::clicked, this, &FrmMain::CmdBrowse_Click);
    connect(txtNotesDatabaseFile, &QLineEdit::textChanged, this, &FrmMain::txtNotesDatabaseFile_Change);
    connect(CmdExportConfigured, &QPushButton::clicked, this, &FrmMain::CmdExportConfigured_Click);
    connect(CmdExportOther, &QPushButton::clicked, this, &FrmMain::CmdExportOther_Click);
    connect(CmdCancelOpen, &QPushButton::clicked, this, [this] { discovery_.CancelOpening(); });
    connect(CmbOutlookStores, &QComboBox::activated, this, &FrmMain::CmbOutlookStores_Click);
    connect(CmdStartConversion, &QPushButton::clicked, this, &FrmMain::CmdStartConversion_Click);
}

void FrmMain::Form_Load()
{
    NotesTab->setCurrentIndex(0);
    OtherPSTFrame->setEnabled(false);
    NotesTab->setTabEnabled(kPreviewTab, false);
}

void FrmMain::mnuExit_Click()
{
    if (services_.dialogs.Ask("Are you sure you want to close the software", kProgramTitle))
        emit endProgramRequested();
}

void FrmMain::mnuHelp_Click()
{
#ifdef _WIN32
    const std::string helpFile = varnemo::HelpFilePath();
    if (!ShowHelpContents(static_cast<WindowHandle>(winId()), helpFile))
        services_.dialogs.Message(HelpNotShownMessage(helpFile), kProgramTitle);
#else
    if (!help_)
        help_ = new HelpWindow(services_.helpFile, this);
    help_->show();
    help_->raise();
#endif
}

void FrmMain::mnuAbout_Click()
{
    FrmAbout about(this);
    about.exec();
}

void FrmMain::OptConfiguredPST_Click()
{
    OtherPSTFrame->setEnabled(false);
    CmdExportOther->setEnabled(false);
    CmdExportConfigured->setEnabled(true);
    CmdBrowse->setEnabled(false);
    LblHelp->setText(kConfiguredMailboxesHelp);
}

void FrmMain::OptOtherPST_Click()
{
    OtherPSTFrame->setEnabled(true);
    CmdExportConfigured->setEnabled(false);
    CmdExportOther->setEnabled(false);
    CmdBrowse->setEnabled(true);
    LblHelp->setText(kOtherPstFileHelp);
}

void FrmMain::CmdBrowse_Click()
{
    const std::string path = services_.dialogs.OpenFile({"Outlook Mailbox (*.pst)", "*.pst"});
    txtNotesDatabaseFile->setText(ToQString(path));
    // A newly chosen file must be opened before its folders can be used.
    NotesTab->setTabEnabled(kPreviewTab, false);
}

void FrmMain::txtNotesDatabaseFile_Change()
{
    CmdExportOther->setEnabled(!txtNotesDatabaseFile->text().isEmpty());
}

void FrmMain::CmdExportConfigured_Click()
{
    discovery_.CmdExportConfigured_Click();
}

void FrmMain::CmdExportOther_Click()
{
    discovery_.CmdExportOther_Click();
}

void FrmMain::CmbOutlookStores_Click()
{
    discovery_.CmbOutlookStores_Click();
}

void FrmMain::CmdStartConversion_Click()
{
    if (!CollectSelectedFolders(tree_, services_.state, services_.dialogs))
        return;
    FrmSave frmSave(services_.state, services_.mapi, services_.notes, services_.dialogs, this);
    frmSave.PrepareForNewDatabase();
    frmSave.exec();
    if (frmSave.ProgramEnded())
        emit endProgramRequested();
}

void FrmMain::SetStartConversionEnabled(bool enabled)
{
    CmdStartConversion->setEnabled(enabled);
}

void FrmMain::SetStoreListEnabled(bool enabled)
{
    CmbOutlookStores->setEnabled(enabled);
}

void FrmMain::AddStoreEntry(const std::string& entryText)
{
    // The list shows the store's name; the whole entry, identifier included, travels with it.
    CmbOutlookStores->addItem(ToQString(DisplayNameOfEntry(entryText)), ToQString(entryText));
}

std::string FrmMain::StoreListText()
{
    return ToStdString(CmbOutlookStores->currentData().toString());
}

void FrmMain::ClearStoreChoice()
{
    CmbOutlookStores->setCurrentIndex(-1);
}

std::string FrmMain::DataFilePath()
{
    return ToStdString(txtNotesDatabaseFile->text());
}

void FrmMain::ShowPreviewTab()
{
    NotesTab->setTabEnabled(kPreviewTab, true);
    NotesTab->setCurrentIndex(kPreviewTab);
}

void FrmMain::Yield()
{
    QCoreApplication::processEvents();
}

void FrmMain::ShowOpening(long foldersSoFar)
{
    LblOpening->setText(QString("Reading the data file: %1 folders so far").arg(foldersSoFar));
    LblOpening->show();
    CmdCancelOpen->show();
}

void FrmMain::ShowListing(long mailboxesSoFar)
{
    LblOpening->setText(QString("Reading the configured mailboxes: %1 so far").arg(mailboxesSoFar));
    LblOpening->show();
    CmdCancelOpen->show();
}

void FrmMain::OpeningEnded()
{
    LblOpening->hide();
    CmdCancelOpen->hide();
}

}  // namespace varnemo::app
