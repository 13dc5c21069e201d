// The tree and what the screen window shows for its selection.
#include "CViewerDlg.h"

#include "CardTreeModel.h"
#include "ScreenView.h"
#include "WholeText.h"
#include "screens/TextCodec.h"
#include "ui_CViewerDlg.h"

#include <QEvent>

namespace {

QString CardText(const std::string& bytes)
{
    return QString::fromStdString(DecodeCardText(bytes));
}

} // namespace

void CViewerDlg::ScanDataRoot(const std::string& dataRoot)
{
    // The tree's reset drops its current item without a signal: what that
    // item showed goes, as when a cleared tree loses its selection.
    const bool hadCurrent = m_ui->m_tree->currentIndex().isValid();
    NoteCardMount(dataRoot);
    m_treeModel->ScanDataRoot(dataRoot);
    if (hadCurrent)
        OnSelChangedTree();
    ShowFolderHint();
    ShowLoadResults();
}

// The tree never loses its selection: Ctrl+click or Ctrl+Space on the selected
// item would deselect it while it stays current, leaving its record shown
// with nothing selected.
void CViewerDlg::KeepTreeSelection()
{
    const QModelIndex current = m_ui->m_tree->currentIndex();
    QItemSelectionModel* selection = m_ui->m_tree->selectionModel();
    if (current.isValid() && !selection->hasSelection())
        selection->select(current, QItemSelectionModel::Select);
}

void CViewerDlg::OnSelChangedTree()
{
    if (!m_bFollowingNavigator)
        m_navigator.Select(CurrentItemId());
    ShowLabels();
    if (!m_display.ShowsRecord())
        ClearScreen(Screen().Canvas());
    OnPaint();
    EnableExportCommands(m_display.ShowsRecord());
}

void CViewerDlg::ShowLabels()
{
    m_ui->m_systemLabel->setText(CardText(m_display.LabelText(RecordDisplay::kSystemLabel)));
    ShowWholeText(m_ui->m_numberLabel, CardText(m_display.LabelText(RecordDisplay::kNumber)));
    ShowWholeText(m_ui->m_countLabel, CardText(m_display.LabelText(RecordDisplay::kCount)));
    const QString caption = CardText(m_display.LabelText(RecordDisplay::kCaption));
    m_ui->m_captionLabel->setText(caption);
    m_ui->m_captionLabel->setToolTip(caption.trimmed().isEmpty() ? QString() : caption);
}

void CViewerDlg::EnableExportCommands(bool enable)
{
    m_ui->m_saveButton->setEnabled(enable);
    m_ui->m_copyButton->setEnabled(enable);
    m_ui->actionSaveScreen->setEnabled(enable);
    m_ui->actionCopyScreen->setEnabled(enable);
}

void CViewerDlg::OnPaint()
{
    // A minimised window shows only its icon, which the window system draws.
    if (isMinimized())
        return;
    if (m_display.ShowsRecord())
        m_ui->m_blankPanel->hide();
    m_display.Paint(Screen().Canvas());
    Screen().Present();
}

void CViewerDlg::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange)
        OnPaint();
}

void CViewerDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OnPaint();
}
