// Folders that come from outside the window: the command line, a drop, and
// a later start of the program handing over its own.
#include "CViewerDlg.h"

#include "RunningCopyLink.h"
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

void CViewerDlg::ConnectOutsideFolders()
{
    setAcceptDrops(true);
    m_link = new RunningCopyLink(this);
    connect(m_link, &RunningCopyLink::Reached, this, &CViewerDlg::OnReachedByLaterStart);
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
    RememberOpenedFolder(m_strStartFolder);
    return true;
}

// Called when the marker shows another copy running: that copy comes to the
// front and gets the folder of this start, if any.
void CViewerDlg::HandOverToRunningCopy() const
{
    RunningCopyLink::HandOver(m_strAppName, QByteArray::fromStdString(m_strFolderToOpen));
}

void CViewerDlg::ListenForLaterStarts()
{
    m_link->Listen(m_strAppName);
}

// A later start comes to this window instead. While a dialog of the window
// is open, that dialog comes forward and the folder is not opened under it.
void CViewerDlg::OnReachedByLaterStart(const QByteArray& folder)
{
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* front = modal && modal != this ? modal : this;
    if (front->isMinimized())
        front->showNormal();
    front->raise();
    front->activateWindow();
    if (front != this || folder.isEmpty())
        return;
    const std::string path = folder.toStdString();
    QTimer::singleShot(0, this, [this, path] { OpenChosenFolder(path); });
}
