#include "COptionDlg.h"

#include "FolderChoice.h"
#include "FolderChooser.h"
#include "data/CardText.h"
#include "data/Messages.h"
#include "ui_COptionDlg.h"

#include <QFile>

namespace {

const char* const kNoStartFolder =
    "フォルダが選択されていません。\n起動フォルダ指定オプションを有効にする場合\nフォルダを指定してください。";

} // namespace

COptionDlg::COptionDlg(Messages& messages, FolderChooser& chooser, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::COptionDlg>()), m_messages(messages), m_chooser(chooser)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    connect(m_ui->m_lastFolderCheck, &QCheckBox::clicked, this, &COptionDlg::OnLastFolderCheck);
    connect(m_ui->m_browseButton, &QPushButton::clicked, this, &COptionDlg::OnBrowse);
    connect(m_ui->m_okButton, &QPushButton::clicked, this, &COptionDlg::OnOK);
    connect(m_ui->m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

COptionDlg::~COptionDlg() = default;

void COptionDlg::SetValues(const std::string& defaultFolder, int useLastFolder, int useDefaultFolder,
                           int folderAlert)
{
    m_strDefaultFolder = defaultFolder;
    m_nUseLastFolder = useLastFolder;
    m_nUseDefaultFolder = useDefaultFolder;
    m_nFolderAlert = folderAlert;
}

int COptionDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

void COptionDlg::DoDataExchange(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_nUseDefaultFolder = m_ui->m_defaultFolderCheck->isChecked() ? 1 : 0;
        m_nUseLastFolder = m_ui->m_lastFolderCheck->isChecked() ? 1 : 0;
        m_nFolderAlert = m_ui->m_folderAlertCheck->isChecked() ? 1 : 0;
        return;
    }
    ShowDefaultFolder();
    m_ui->m_defaultFolderCheck->setChecked(m_nUseDefaultFolder == 1);
    m_ui->m_lastFolderCheck->setChecked(m_nUseLastFolder == 1);
    m_ui->m_folderAlertCheck->setChecked(m_nFolderAlert == 1);
}

void COptionDlg::OnInitDialog()
{
    DoDataExchange(false);
    ShowDefaultFolder();
    const bool lastFolder = m_nUseLastFolder == 1;
    EnableDefaultFolder(!lastFolder);
    m_ui->m_lastFolderCheck->setChecked(lastFolder);
    // A checked box keeps its check while greyed.
    if (m_nUseDefaultFolder == 1)
        m_ui->m_defaultFolderCheck->setChecked(true);
    m_ui->m_lastFolderCheck->setFocus(Qt::OtherFocusReason);
}

void COptionDlg::OnLastFolderCheck()
{
    EnableDefaultFolder(!m_ui->m_lastFolderCheck->isChecked());
}

void COptionDlg::OnBrowse()
{
    DoDataExchange(true);
    std::string chosen;
    const bool confirmed = m_chooser.BrowseForFolder(this, m_strDefaultFolder, chosen);
    DoDataExchange(false);
    if (!confirmed)
        return;
    if (chosen.empty()) {
        m_messages.ShowMessage(kNoFolderChosen);
        return;
    }
    // The check box as it stands now, not the saved setting.
    if (OfferInstrumentFolder(m_messages, chosen) || !m_ui->m_folderAlertCheck->isChecked()
        || IsInstrumentFolder(Trim(chosen)) || m_messages.AskYesNo(kNotInstrumentFolder)) {
        m_strDefaultFolder = chosen;
        ShowDefaultFolder();
    }
}

void COptionDlg::OnOK()
{
    if (m_ui->m_defaultFolderCheck->isChecked() && m_ui->m_defaultFolderEdit->text().isEmpty()) {
        m_messages.ShowMessage(kNoStartFolder);
        return;
    }
    DoDataExchange(true);
    accept();
}

void COptionDlg::EnableDefaultFolder(bool enable)
{
    m_ui->m_defaultFolderEdit->setEnabled(enable);
    m_ui->m_browseButton->setEnabled(enable);
    m_ui->m_defaultFolderCheck->setEnabled(enable);
}

void COptionDlg::ShowDefaultFolder()
{
    m_ui->m_defaultFolderEdit->setText(QFile::decodeName(QByteArray::fromStdString(m_strDefaultFolder)));
    m_ui->m_defaultFolderEdit->setCursorPosition(0);
}
