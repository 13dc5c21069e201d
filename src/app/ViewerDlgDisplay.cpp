// The tree and what the screen window shows for its selection.
#include "CViewerDlg.h"

#include "ScreenView.h"
#include "WholeText.h"
#include "screens/TextCodec.h"
#include "ui_CViewerDlg.h"

#include <QEvent>
#include <QFile>

namespace {

// Tree items carry their item id here.
constexpr int kItemIdRole = Qt::UserRole;

QString CardText(const std::string& bytes)
{
    return QString::fromStdString(DecodeCardText(bytes));
}

} // namespace

void CViewerDlg::ScanDataRoot()
{
    m_card.ScanDataRoot();
    FillTree();
}

void CViewerDlg::FillTree()
{
    QTreeWidget* tree = m_ui->m_tree;
    tree->clear();
    for (int root : m_card.KindRoots())
        tree->addTopLevelItem(AddTreeItem(nullptr, root));
}

QTreeWidgetItem* CViewerDlg::AddTreeItem(QTreeWidgetItem* parent, int id)
{
    const TreeNode* node = m_card.Node(id);
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem();
    item->setData(0, kItemIdRole, id);
    if (!node)
        return item;
    if (node->m_bCardText)
        item->setText(0, CardText(node->m_strLabel));
    else if (node->m_nParent == 0)
        item->setText(0, QString::fromStdString(node->m_strLabel));
    else
        item->setText(0, QFile::decodeName(QByteArray::fromStdString(node->m_strLabel)));
    // The tree is narrow; a long label can be read whole here.
    item->setToolTip(0, item->text(0));
    for (int child : node->m_children)
        AddTreeItem(item, child);
    return item;
}

// The tree never loses its selection: Ctrl+click or Ctrl+Space on the selected
// item would deselect it while it stays current, leaving its record shown
// with nothing selected.
void CViewerDlg::KeepTreeSelection()
{
    QTreeWidgetItem* current = m_ui->m_tree->currentItem();
    if (current && m_ui->m_tree->selectedItems().isEmpty())
        current->setSelected(true);
}

void CViewerDlg::OnSelChangedTree()
{
    const QTreeWidgetItem* selected = m_ui->m_tree->currentItem();
    const CDataItem* item = selected ? m_card.FindItem(selected->data(0, kItemIdRole).toInt()) : nullptr;
    m_display.Select(item);
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
