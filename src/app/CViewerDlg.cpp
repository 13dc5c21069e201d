#include "CViewerDlg.h"

#include "CAboutDlg.h"
#include "COptionDlg.h"
#include "CardTreeModel.h"
#include "HandOnChoices.h"
#include "HandOnRun.h"
#include "app/settings/StartUpSettings.h"
#include "ScreenView.h"
#include "SettingsLocation.h"
#include "ViewerIcons.h"
#include "data/Messages.h"
#include "screens/Font.h"
#include "ui_CViewerDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QVBoxLayout>

namespace {

const char* const kExitQuestion = "KR80A/80 CSV ビューアを終了します\nよろしいですか？";
const char* const kSecondCopy = "多重起動は禁止されています";

} // namespace

// The pictures live in a static library, so their registration is pulled in
// by hand (outside any namespace, as the macro requires).
static void InitResources()
{
    Q_INIT_RESOURCE(viewer);
}

CViewerDlg::CViewerDlg(Messages& messages, FolderChooser& folderChooser)
    : m_card(messages), m_navigator(m_card, m_display), m_ui(std::make_unique<Ui::CViewerDlg>()),
      m_messages(messages), m_folderChooser(folderChooser), m_repeatTimer(new QTimer(this))
{
    InitResources();
    m_ui->setupUi(this);
    m_ui->m_windowLayout->setMenuBar(m_ui->m_menuBar);
    m_treeModel = new CardTreeModel(m_card, this);
    InstallTreeFilter();
    LetStepsSeeTheView();
    InstallLoadResults();
    // Long record labels scroll sideways instead of being cut short.
    m_ui->m_tree->header()->setStretchLastSection(false);
    m_ui->m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    m_hIcon = ViewerIcon("app");
    m_repeatTimer->setObjectName("m_repeatTimer");
    m_repeatTimer->setSingleShot(true);
    m_repeatTimer->setTimerType(Qt::PreciseTimer);
    connect(m_repeatTimer, &QTimer::timeout, this, &CViewerDlg::OnRepeatTimer);
    UseRepeatClock({});
    ConnectCommands();
    ConnectOutsideFolders();
    ConnectRecentFolders();
    ConnectMountWatcher();
}

CViewerDlg::~CViewerDlg()
{
    qApp->removeEventFilter(this);
    if (m_hMutex.Held())
        m_hMutex.Release();
}

bool CViewerDlg::OnCreate()
{
    const SettingsLocation location = ComputeSettingsLocation();
    m_strAppName = location.m_strAppName;
    m_strIniPath = location.m_strIniPath;
    if (!m_hMutex.Acquire(m_strAppName)) {
        HandOverToRunningCopy();
        m_messages.ShowMessage(kSecondCopy);
        return false;
    }
    ListenForLaterStarts();
    return true;
}

void CViewerDlg::OnInitDialog()
{
    setWindowIcon(m_hIcon);
    m_pOptionDlg = std::make_unique<COptionDlg>(m_messages, m_folderChooser, nullptr);
    m_pOptionDlg->setWindowIcon(m_hIcon);
    ReadSettings();
    m_ui->m_enterButton->setIcon(ViewerIcon("enter"));
    m_ui->m_shiftButton->setIcon(ViewerIcon("shift"));
    m_ui->m_exitButton->setIcon(ViewerIcon("exit"));
    UpdateArrowIcons();
    const bool takenFromCommandLine = TakeFolderToOpen();
    m_ui->m_dataRootLabel->setText(QFile::decodeName(QByteArray::fromStdString(m_strStartFolder)));
    if (!takenFromCommandLine)
        m_strStartFolder = ScanFolderOf(m_strStartFolder);
    if (const std::string problem = FontProblem(); !problem.empty())
        m_messages.ShowMessage(problem);
    ScanDataRoot(m_strStartFolder);
    ClearScreen(Screen().Canvas());
    FrameScreen(Screen().Canvas());
    Screen().Present();
    m_ui->m_saveButton->setIcon(ViewerIcon("save"));
    m_ui->m_copyButton->setIcon(ViewerIcon("copy"));
    m_ui->m_folderButton->setIcon(ViewerIcon("folder-open"));
    LayBlankPanel();
    m_ui->m_logo->setPixmap(ViewerLogo(m_ui->m_logo->contentsRect().size(), devicePixelRatioF()));
    qApp->installEventFilter(this);
    // The tree takes the focus; having no selection yet, it selects its first
    // item, a kind heading, so the window starts showing nothing.
    FocusTree();
    if (!m_ui->m_tree->currentIndex().isValid() && m_ui->m_tree->model()->rowCount() > 0)
        m_ui->m_tree->setCurrentIndex(m_ui->m_tree->model()->index(0, 0));
}

void CViewerDlg::ReadSettings()
{
    const ProfileFile file(QFile::encodeName(m_strIniPath).toStdString());
    const StartUpSettings settings = ReadStartUpSettings(file, m_strAppName.toStdString());
    m_nUseDefaultFolder = settings.m_nUseDefaultFolder;
    m_nUseLastFolder = settings.m_nUseLastFolder;
    m_strDefaultFolder = settings.m_strDefaultFolder;
    m_nFolderAlert = settings.m_nFolderAlert;
    m_strStartFolder = settings.m_strStartFolder;
}

void CViewerDlg::LayBlankPanel()
{
    const QRect screen = Screen().geometry();
    m_ui->m_blankPanel->setGeometry(screen.adjusted(1, 1, -1, -1));
    m_ui->m_blankPanel->raise();
    m_ui->m_blankPanel->show();
}

ScreenView& CViewerDlg::Screen() const
{
    return *m_ui->m_screen;
}

void CViewerDlg::ConnectCommands()
{
    connect(m_ui->m_upButton, &QPushButton::clicked, this, [this] { PressArrowKey(InstrumentKey::Up, true); });
    connect(m_ui->m_downButton, &QPushButton::clicked, this, [this] { PressArrowKey(InstrumentKey::Down, true); });
    connect(m_ui->m_leftButton, &QPushButton::clicked, this, [this] { PressArrowKey(InstrumentKey::Left, true); });
    connect(m_ui->m_rightButton, &QPushButton::clicked, this, [this] { PressArrowKey(InstrumentKey::Right, true); });
    connect(m_ui->m_enterButton, &QPushButton::clicked, this, &CViewerDlg::PressEnterKey);
    connect(m_ui->m_shiftButton, &QPushButton::clicked, this, [this] {
        UpdateArrowIcons();
        FocusTree();
    });
    QItemSelectionModel* selection = m_ui->m_tree->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this, [this] { OnSelChangedTree(); });
    connect(selection, &QItemSelectionModel::selectionChanged, this, &CViewerDlg::KeepTreeSelection);
    connect(m_ui->m_exitButton, &QPushButton::clicked, this, &CViewerDlg::OnExit);
    connect(m_ui->actionExit, &QAction::triggered, this, &CViewerDlg::OnExit);
    ConnectFolderCommands();
    ConnectHandOnCommands();
    connect(m_ui->m_saveButton, &QPushButton::clicked, this, &CViewerDlg::OnSaveScreen);
    connect(m_ui->actionSaveScreen, &QAction::triggered, this, &CViewerDlg::OnSaveScreen);
    connect(m_ui->m_copyButton, &QPushButton::clicked, this, &CViewerDlg::OnCopyScreen);
    connect(m_ui->actionCopyScreen, &QAction::triggered, this, &CViewerDlg::OnCopyScreen);
    connect(m_ui->actionAbout, &QAction::triggered, this, &CViewerDlg::OnAbout);
}

void CViewerDlg::OnExit()
{
    if (m_messages.AskYesNo(kExitQuestion))
        accept();
}

void CViewerDlg::OnAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CViewerDlg::closeEvent(QCloseEvent* event)
{
    if (m_messages.AskYesNo(kExitQuestion))
        QDialog::closeEvent(event);
    else
        event->ignore();
}
