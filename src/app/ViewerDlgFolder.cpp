// Folder selection and the options dialog.
#include "CViewerDlg.h"

#include "COptionDlg.h"
#include "FolderChoice.h"
#include "FolderChooser.h"
#include "app/settings/ProfileFile.h"
#include "app/settings/SettingsKeys.h"
#include "data/Messages.h"
#include "ui_CViewerDlg.h"

#include <QApplication>
#include <QFile>

void CViewerDlg::ConnectFolderCommands()
{
    connect(m_ui->m_folderButton, &QPushButton::clicked, this, &CViewerDlg::SelectDataFolder);
    connect(m_ui->actionSelectFolder, &QAction::triggered, this, &CViewerDlg::SelectDataFolder);
    connect(m_ui->actionOptions, &QAction::triggered, this, &CViewerDlg::ShowOptions);
}

void CViewerDlg::SelectDataFolder()
{
    std::string chosen;
    if (!m_folderChooser.BrowseForFolder(this, m_strStartFolder, chosen)) {
        FocusTree();
        return;
    }
    if (!TakesChosenFolder(chosen)) {
        FocusTree();
        return;
    }
    m_strStartFolder = chosen;
    // A settings file that cannot be written is said, and no reason not to
    // show the folder.
    WriteSettings({{SettingsKey::kLastFolder, m_strStartFolder}});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ScanDataRoot(m_strStartFolder);
    QApplication::restoreOverrideCursor();
    FocusTree();
    m_ui->m_dataRootLabel->setText(QFile::decodeName(QByteArray::fromStdString(m_strStartFolder)));
}

// An empty path is refused with a message; with the warning on, a folder that
// is not the meter's is taken only when the user agrees.
bool CViewerDlg::TakesChosenFolder(const std::string& chosen)
{
    if (chosen.empty()) {
        m_messages.ShowMessage(kNoFolderChosen);
        return false;
    }
    return m_nFolderAlert != 1 || IsInstrumentFolder(chosen) || m_messages.AskYesNo(kNotInstrumentFolder);
}

void CViewerDlg::ShowOptions()
{
    m_pOptionDlg->SetValues(m_strDefaultFolder, m_nUseLastFolder, m_nUseDefaultFolder, m_nFolderAlert);
    if (m_pOptionDlg->DoModal() != QDialog::Accepted)
        return;
    m_strDefaultFolder = m_pOptionDlg->m_strDefaultFolder;
    m_nUseLastFolder = m_pOptionDlg->m_nUseLastFolder;
    m_nUseDefaultFolder = m_pOptionDlg->m_nUseDefaultFolder;
    m_nFolderAlert = m_pOptionDlg->m_nFolderAlert;
    // One write for the four, so that the file never holds half of a choice.
    WriteSettings({{SettingsKey::kUseDefaultFolder, std::to_string(m_nUseDefaultFolder)},
                   {SettingsKey::kUseLastFolder, std::to_string(m_nUseLastFolder)},
                   {SettingsKey::kDefaultFolder, m_strDefaultFolder},
                   {SettingsKey::kFolderAlert, std::to_string(m_nFolderAlert)}});
}

// A failure is shown, and the viewer goes on with the values chosen.
void CViewerDlg::WriteSettings(const std::vector<ProfileFile::Setting>& values)
{
    const std::string path = QFile::encodeName(m_strIniPath).toStdString();
    if (const int error = ProfileFile(path).WriteTexts(m_strAppName.toStdString(), values))
        m_messages.ShowMessage(SettingsNotSavedText(error, m_strIniPath.toStdString()));
}
