// The meter's keys: the on-screen buttons and the keyboard mapped onto the
// navigator, which holds what they mean.
#include "CViewerDlg.h"

#include "CardTreeFilter.h"
#include "CardTreeModel.h"
#include "ScreenView.h"
#include "ViewerIcons.h"
#include "ui_CViewerDlg.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

namespace {

// The four arrow keys: the meter's key, the keyboard's key and the on-screen button.
struct ArrowKey {
    InstrumentKey key;
    int qtKey;
    QPushButton* Ui::CViewerDlg::*button;
};

constexpr ArrowKey kArrowKeys[] = {
    {InstrumentKey::Left, Qt::Key_Left, &Ui::CViewerDlg::m_leftButton},
    {InstrumentKey::Up, Qt::Key_Up, &Ui::CViewerDlg::m_upButton},
    {InstrumentKey::Right, Qt::Key_Right, &Ui::CViewerDlg::m_rightButton},
    {InstrumentKey::Down, Qt::Key_Down, &Ui::CViewerDlg::m_downButton},
};

// The arrow key whose `field` is `value`, or none.
template <class Field, class Value>
const ArrowKey* FindArrow(Field ArrowKey::*field, const Value& value)
{
    const auto found = std::find_if(std::begin(kArrowKeys), std::end(kArrowKeys),
                                    [&](const ArrowKey& arrow) { return arrow.*field == value; });
    return found == std::end(kArrowKeys) ? nullptr : found;
}

} // namespace

bool CViewerDlg::ShiftOn() const
{
    return m_ui->m_shiftButton->isChecked();
}

void CViewerDlg::FocusTree()
{
    m_ui->m_tree->setFocus(Qt::OtherFocusReason);
}

QModelIndex CViewerDlg::ViewIndexOf(int id) const
{
    return m_filter->mapFromSource(m_treeModel->IndexOfId(id));
}

// ↑ and ↓ pass over what the view does not show: the children of folded
// items and whatever the filter leaves out.
void CViewerDlg::LetStepsSeeTheView()
{
    m_navigator.Steps().SetCollapsed([this](int id) { return !m_ui->m_tree->isExpanded(ViewIndexOf(id)); });
    m_navigator.Steps().SetHidden([this](int id) { return !ViewIndexOf(id).isValid(); });
}

// The tree does its own handling of the key, as if it had been typed there.
void CViewerDlg::SendTreeKey(int qtKey)
{
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    m_bSendingTreeKey = true;
    QApplication::sendEvent(m_ui->m_tree, &press);
    m_bSendingTreeKey = false;
}

void CViewerDlg::PressArrowKey(InstrumentKey key, bool fromButton)
{
    ActOnArrow(key, ShiftOn());
    if (fromButton)
        FocusTree();
}

void CViewerDlg::ActOnArrow(InstrumentKey key, bool shift)
{
    switch (m_navigator.Press(key, shift, Screen().Canvas())) {
    case PanelNavigator::Outcome::Moved:
        ShowNavigatorSelection();
        break;
    case PanelNavigator::Outcome::TreeKey:
        SendTreeKey(FindArrow(&ArrowKey::key, key)->qtKey);
        break;
    case PanelNavigator::Outcome::Screen:
        Screen().Present();
        break;
    }
}

// The navigator shows the item it moved to already; the tree follows it.
// Should the view not hold that item, the navigator follows the tree instead.
void CViewerDlg::ShowNavigatorSelection()
{
    const QModelIndex reached = ViewIndexOf(m_navigator.Selected());
    m_bFollowingNavigator = reached.isValid();
    if (reached.isValid() && reached != m_ui->m_tree->currentIndex())
        m_ui->m_tree->setCurrentIndex(reached);
    else
        OnSelChangedTree();
    m_bFollowingNavigator = false;
}

void CViewerDlg::PressEnterKey()
{
    m_navigator.Press(InstrumentKey::Enter, ShiftOn(), Screen().Canvas());
    Screen().Present();
    FocusTree();
}

void CViewerDlg::UpdateArrowIcons()
{
    const bool shift = ShiftOn();
    m_ui->m_downButton->setIcon(ViewerIcon(shift ? "key-down-shift" : "key-down"));
    m_ui->m_upButton->setIcon(ViewerIcon(shift ? "key-up-shift" : "key-up"));
    m_ui->m_leftButton->setIcon(ViewerIcon(shift ? "key-left-shift" : "key-left"));
    m_ui->m_rightButton->setIcon(ViewerIcon(shift ? "key-right-shift" : "key-right"));
}

bool CViewerDlg::eventFilter(QObject* watched, QEvent* event)
{
    // The menu bar keeps its own keyboard navigation while a menu is open.
    if (m_bSendingTreeKey || !watched->isWidgetType() || watched == m_ui->m_menuBar
        || static_cast<QWidget*>(watched)->window() != this)
        return false;
    // The filter field's keys are its own, but for paging and clearing.
    if (IsFilterField(watched) && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease))
        return FilterFieldKey(static_cast<QKeyEvent*>(event));
    switch (event->type()) {
    case QEvent::KeyPress:
        return FilterKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return FilterKeyRelease(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        TrackArrowCapture(watched, event);
        return false;
    case QEvent::WindowBlocked:
    case QEvent::WindowDeactivate:
        if (watched == this)
            ReleaseArrowCapture();
        return false;
    default:
        return false;
    }
}

// Arrows, Shift and Enter work the meter's keys; Esc is swallowed so that it
// never closes the window. ← and → while nothing is shown are the tree's own
// (folding), whatever the shift; other keys not used here go on to the tree.
bool CViewerDlg::FilterKeyPress(QKeyEvent* event)
{
    // An accelerator reaches here only when its command is greyed; then it
    // does nothing (the tree would otherwise copy its item text on Ctrl+C).
    const QKeySequence typed(event->keyCombination());
    for (const QAction* command : {m_ui->actionSelectFolder, m_ui->actionSaveScreen,
                                   m_ui->actionExit, m_ui->actionCopyScreen}) {
        if (command->shortcut() == typed)
            return true;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_ui->m_enterButton->setDown(true);
        PressEnterKey();
        return true;
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Shift:
        m_ui->m_shiftButton->setChecked(true);
        UpdateArrowIcons();
        return false;
    default:
        break;
    }
    const ArrowKey* arrow = FindArrow(&ArrowKey::qtKey, event->key());
    if (!arrow)
        return false;
    ((*m_ui).*(arrow->button))->setDown(true);
    const bool sideways = arrow->key == InstrumentKey::Left || arrow->key == InstrumentKey::Right;
    if (sideways && !m_display.ShowsRecord())
        return false;
    PressArrowKey(arrow->key, false);
    return true;
}

bool CViewerDlg::FilterKeyRelease(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_ui->m_enterButton->setDown(false);
        return true;
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Shift:
        // The window system's key repeat sends releases too; only the real
        // release ends the momentary shift.
        if (!event->isAutoRepeat()) {
            m_ui->m_shiftButton->setChecked(false);
            UpdateArrowIcons();
        }
        return false;
    default:
        if (const ArrowKey* arrow = FindArrow(&ArrowKey::qtKey, event->key()))
            ((*m_ui).*(arrow->button))->setDown(false);
        return false;
    }
}
