// The filter field above the tree (Ctrl+F): the tree keeps only the records
// that hold the typed text.
#include "CViewerDlg.h"

#include "CardTreeFilter.h"
#include "CardTreeModel.h"
#include "ui_CViewerDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace {

constexpr int kFieldHeight = 22;
constexpr int kCountWidth = 64;

} // namespace

// The tree shows the filter's rows from the start, so that every index the
// window meets is one of the filter's.
void CViewerDlg::InstallTreeFilter()
{
    m_filter = new CardTreeFilter(m_card, this);
    m_filter->setSourceModel(m_treeModel);
    m_ui->m_tree->setModel(m_filter);

    // Beside the tree, in the tree's coordinates: the menu bar lies above both.
    const QRect tree = m_ui->m_tree->geometry();
    m_filterEdit = new QLineEdit(m_ui->m_clientArea);
    m_filterEdit->setObjectName("m_filterEdit");
    m_filterEdit->setPlaceholderText(QStringLiteral("絞り込み (Ctrl+F)"));
    m_filterEdit->setClearButtonEnabled(true);
    m_filterEdit->setToolTip(QStringLiteral("データ名・チャンネル・方式・測定フォルダで絞り込みます（Esc で解除）"));
    m_filterEdit->setGeometry(tree.x(), tree.y(), tree.width() - kCountWidth, kFieldHeight);
    m_filterCount = new QLabel(m_ui->m_clientArea);
    m_filterCount->setObjectName("m_filterCount");
    m_filterCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_filterCount->setGeometry(tree.right() - kCountWidth + 1, tree.y(), kCountWidth - 2, kFieldHeight);
    m_ui->m_tree->setGeometry(tree.adjusted(0, kFieldHeight + 2, 0, 0));
    // The field shows each key before the tree follows it: on a large card
    // the tree takes a while, and a field left unpainted meanwhile looks as
    // if the keys went nowhere.
    connect(m_filterEdit, &QLineEdit::textChanged, m_filterEdit, qOverload<>(&QWidget::repaint));
    connect(m_filterEdit, &QLineEdit::textChanged, this, &CViewerDlg::OnFilterChanged);
    // A card read again is filtered afresh by the filter itself (which heard
    // of the rescan first); what it keeps is shown as after typing.
    connect(m_treeModel, &QAbstractItemModel::modelReset, this, [this] {
        if (!m_filter->Text().trimmed().isEmpty())
            ShowFilteredTree(CurrentItemId());
    });
    // The search texts of a large card take a moment to make: they are made
    // when the field is entered, before the first key.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == m_filterEdit)
            m_filter->Prepare();
    });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_filterEdit->setFocus(Qt::ShortcutFocusReason);
        m_filterEdit->selectAll();
    });
}

int CViewerDlg::CurrentItemId() const
{
    return m_ui->m_tree->currentIndex().data(CardTreeModel::kItemIdRole).toInt();
}

void CViewerDlg::OnFilterChanged(const QString& text)
{
    const int current = CurrentItemId();
    m_filter->SetText(text);
    ShowFilteredTree(current);
}

// The filter has made its rows afresh (which folds every folder): the count,
// what it keeps opened, and item `current` again where it is kept.
void CViewerDlg::ShowFilteredTree(int current)
{
    QTreeView* tree = m_ui->m_tree;
    const bool filtering = !m_filter->Text().trimmed().isEmpty();
    m_filterCount->setText(filtering ? QStringLiteral("%1 件").arg(m_filter->MatchCount()) : QString());
    // What the filter keeps is shown open: the headings and their folders.
    const QModelIndex kept = m_filter->mapFromSource(m_treeModel->IndexOfId(current));
    // Opened in one go, laid out once: one folder at a time would lay out
    // (and measure) the tree again for each of thousands of folders.
    if (filtering) {
        for (int row = 0; row < m_filter->rowCount(); ++row)
            tree->expandRecursively(m_filter->index(row, 0), 1);
    }
    if (kept.isValid()) {
        for (QModelIndex parent = kept.parent(); parent.isValid(); parent = parent.parent())
            tree->expand(parent);
        tree->setCurrentIndex(kept);
        tree->scrollTo(kept);
    } else if (m_filter->rowCount() > 0) {
        tree->setCurrentIndex(m_filter->index(0, 0));
    }
}

// In the field the keys edit the text, except: ↑ ↓ page through what the
// filter keeps, Esc clears the text (and, with nothing typed, goes back to
// the tree). True when the key, pressed or released, is used up here.
bool CViewerDlg::FilterFieldKey(QKeyEvent* event)
{
    // Shift here makes capitals, and is no key of the meter. The field has no
    // use for it alone and would hand its press on to the window, which takes
    // it for the meter's shift, while the release stays in the field: the
    // シフト toggle would be left on.
    if (event->key() == Qt::Key_Shift)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Typing never shifts the meter's keys, so these always page.
        ActOnArrow(event->key() == Qt::Key_Up ? InstrumentKey::Up : InstrumentKey::Down, false);
        return true;
    case Qt::Key_Escape:
        if (m_filterEdit->text().isEmpty())
            FocusTree();
        m_filterEdit->clear();
        return true;
    default:
        return false;
    }
}

bool CViewerDlg::IsFilterField(const QObject* watched) const
{
    return watched == m_filterEdit;
}
