// Cards inserted and removed while the window runs.
#include "CViewerDlg.h"

#include "FolderChoice.h"
#include "MountWatcher.h"
#include "data/Messages.h"
#include "ui_CViewerDlg.h"

#include <QApplication>
#include <QFile>
#include <QLabel>

#include <filesystem>
#include <system_error>

namespace {

QString PathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The folder as the mount table spells it: absolute, without links.
std::string ResolvedFolder(const std::string& folder)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(folder, error);
    return error ? folder : resolved.string();
}

} // namespace

void CViewerDlg::ConnectMountWatcher()
{
    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName("m_statusLine");
    m_statusLine->setTextFormat(Qt::PlainText);
    m_statusLine->setFrameShape(QFrame::Panel);
    m_statusLine->setFrameShadow(QFrame::Sunken);
    m_statusLine->hide();
    m_ui->m_windowLayout->addWidget(m_statusLine);
    m_mountWatcher = new MountWatcher(this);
    m_mountWatcher->setObjectName("m_mountWatcher");
    m_mountWatcher->Watch();
    connect(m_mountWatcher, &MountWatcher::Unmounted, this, &CViewerDlg::OnUnmounted);
    connect(m_mountWatcher, &MountWatcher::Mounted, this, &CViewerDlg::OnMounted);
}

void CViewerDlg::NoteCardMount(const std::string& dataRoot)
{
    const MountEntry* holding = MountHolding(m_mountWatcher->Table(), ResolvedFolder(dataRoot));
    m_cardMount = holding ? *holding : MountEntry{};
    ShowStatusLine({});
}

void CViewerDlg::ShowStatusLine(const QString& text)
{
    m_statusLine->setText(text);
    m_statusLine->setToolTip(text);
    m_statusLine->setVisible(!text.isEmpty());
}

// The records already read stay: they are in memory, and what is shown of
// them needs nothing more from the card than a missing file would.
void CViewerDlg::OnUnmounted(const std::vector<MountEntry>& gone)
{
    if (m_cardMount.id.empty())
        return;
    for (const MountEntry& entry : gone) {
        if (entry.id == m_cardMount.id && entry.point == m_cardMount.point) {
            m_cardMount = {};
            ShowStatusLine(QStringLiteral("カードが取り外されました（%1）。表示しているのは取り外す前に読み込んだデータです。")
                               .arg(PathText(m_strStartFolder)));
            return;
        }
    }
}

// Only the top of a new medium is looked at: a card holds the meter's
// folder there.
void CViewerDlg::OnMounted(const std::vector<MountEntry>& added)
{
    for (const MountEntry& entry : added) {
        if (!HoldsLocalMedium(entry))
            continue;
        const std::string inside = InstrumentFolderInside(entry.point);
        if (!inside.empty() && OfferInsertedCard(JoinFolder(entry.point, inside)))
            return;
    }
}

// Asked only when nothing else is under way: over a dialog, during a
// question or while the card is being handed on, the status line tells of
// the card instead, and the folder chooser lists it.
bool CViewerDlg::OfferInsertedCard(const std::string& folder)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (m_bOfferingCard || HandOnRunning() || (modal && modal != this)) {
        ShowStatusLine(QStringLiteral("カードが挿入されました（%1）。「フォルダを選択する」で開けます。")
                           .arg(PathText(folder)));
        return false;
    }
    activateWindow();
    m_bOfferingCard = true;
    const bool open = m_messages.AskYesNo("カードが挿入されました。\n" + folder + " を開きますか？");
    m_bOfferingCard = false;
    // The card may have gone again while the question was open.
    std::error_code error;
    if (!open || !std::filesystem::is_directory(folder, error))
        return false;
    // Agreed to just now: no instrument-folder warning after it.
    OpenDataFolder(folder);
    return true;
}
