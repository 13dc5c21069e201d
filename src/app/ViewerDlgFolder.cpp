// Folder selection and the options dialog.
#include "CViewerDlg.h"

#include "COptionDlg.h"
#include "FolderChoice.h"
#include "FolderChooser.h"
#include "app/settings/ProfileFile.h"
#include "data/Messages.h"
#include "ui_CViewerDlg.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

namespace {

// The one local folder a drag carries, or nothing.
QString DroppedFolder(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    const QString path = data->urls().front().toLocalFile();
    return QFileInfo(path).isDir() ? path : QString();
}

} // namespace

void CViewerDlg::ConnectFolderCommands()
{
    connect(m_ui->m_folderButton, &QPushButton::clicked, this, &CViewerDlg::SelectDataFolder);
    connect(m_ui->actionSelectFolder, &QAction::triggered, this, &CViewerDlg::SelectDataFolder);
    connect(m_ui->actionOptions, &QAction::triggered, this, &CViewerDlg::ShowOptions);
    setAcceptDrops(true);
}

void CViewerDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFolder(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CViewerDlg::dropEvent(QDropEvent* event)
{
    const QString folder = DroppedFolder(event->mimeData());
    if (folder.isEmpty())
        return;
    event->acceptProposedAction();
    // The questions wait until the drag has ended: the program the folder
    // came from waits for the drop to finish.
    const std::string path = QFile::encodeName(folder).toStdString();
    QTimer::singleShot(0, this, [this, path] { OpenChosenFolder(path); });
}

void CViewerDlg::SelectDataFolder()
{
    std::string chosen;
    if (!m_folderChooser.BrowseForFolder(this, m_strStartFolder, chosen)) {
        FocusTree();
        return;
    }
    OpenChosenFolder(chosen);
}

void CViewerDlg::OpenChosenFolder(const std::string& path)
{
    std::string chosen = path;
    m_card.m_strDataRoot = chosen;
    if (!TakesChosenFolder(chosen)) {
        m_card.m_strDataRoot = m_strStartFolder;
        FocusTree();
        return;
    }
    OpenDataFolder(chosen);
}

void CViewerDlg::OpenDataFolder(const std::string& folder)
{
    m_card.m_strDataRoot = folder;
    m_strStartFolder = folder;
    // A settings file that cannot be written is no reason not to show the folder.
    WriteSetting("Folder", m_strStartFolder);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ScanDataRoot();
    QApplication::restoreOverrideCursor();
    FocusTree();
    m_ui->m_dataRootLabel->setText(QFile::decodeName(QByteArray::fromStdString(m_strStartFolder)));
}

// An empty path is refused with a message. A folder that holds the meter's
// folder offers that one; otherwise, with the warning on, a folder that is
// not the meter's is taken only when the user agrees.
bool CViewerDlg::TakesChosenFolder(std::string& chosen)
{
    if (chosen.empty()) {
        m_messages.ShowMessage(kNoFolderChosen);
        return false;
    }
    if (OfferInstrumentFolder(m_messages, chosen))
        return true;
    return m_nFolderAlert != 1 || IsInstrumentFolder(chosen) || m_messages.AskYesNo(kNotInstrumentFolder);
}

void CViewerDlg::SetFolderToOpen(const std::string& folder)
{
    m_strFolderToOpen = folder;
}

// A folder given at start replaces the start-up folder when it is taken; the
// start-up folder is not scanned first, so a large card is read once.
bool CViewerDlg::TakeFolderToOpen()
{
    std::string chosen = m_strFolderToOpen;
    m_strFolderToOpen.clear();
    if (chosen.empty() || !TakesChosenFolder(chosen))
        return false;
    m_strStartFolder = chosen;
    WriteSetting("Folder", m_strStartFolder);
    return true;
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
    WriteSetting("USE_DefaultFolder", std::to_string(m_nUseDefaultFolder));
    WriteSetting("USE_LastFolder", std::to_string(m_nUseLastFolder));
    WriteSetting("DefaultFolder", m_strDefaultFolder);
    WriteSetting("USE_KR80A_FolderAlert", std::to_string(m_nFolderAlert));
}

void CViewerDlg::WriteSetting(const std::string& key, const std::string& value) const
{
    ProfileFile(QFile::encodeName(m_strIniPath).toStdString()).WriteText(m_strAppName.toStdString(), key, value);
}
