// The meter's keys: on-screen buttons, the keyboard filter and the
// auto-repeat of held arrow buttons.
#include "CViewerDlg.h"

#include "ScreenView.h"
#include "ViewerIcons.h"
#include "ui_CViewerDlg.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace {

// The four arrow keys: the meter's key, the code the auto-repeat remembers,
// the keyboard's key and the on-screen button.
struct ArrowKey {
    InstrumentKey key;
    int repeatKey;
    int qtKey;
    QPushButton* Ui::CViewerDlg::*button;
};

constexpr ArrowKey kArrowKeys[] = {
    {InstrumentKey::Left, CViewerDlg::VK_LEFT, Qt::Key_Left, &Ui::CViewerDlg::m_leftButton},
    {InstrumentKey::Up, CViewerDlg::VK_UP, Qt::Key_Up, &Ui::CViewerDlg::m_upButton},
    {InstrumentKey::Right, CViewerDlg::VK_RIGHT, Qt::Key_Right, &Ui::CViewerDlg::m_rightButton},
    {InstrumentKey::Down, CViewerDlg::VK_DOWN, Qt::Key_Down, &Ui::CViewerDlg::m_downButton},
};

// The arrow key whose `field` is `value`, or none.
template <class Field, class Value>
const ArrowKey* FindArrow(Field ArrowKey::*field, const Value& value)
{
    const auto found = std::find_if(std::begin(kArrowKeys), std::end(kArrowKeys),
                                    [&](const ArrowKey& arrow) { return arrow.*field == value; });
    return found == std::end(kArrowKeys) ? nullptr : found;
}

// The arrow key of an on-screen button, or none.
const ArrowKey* ArrowOfButton(const Ui::CViewerDlg& ui, const QObject* button)
{
    const auto found = std::find_if(std::begin(kArrowKeys), std::end(kArrowKeys),
                                    [&](const ArrowKey& arrow) { return ui.*(arrow.button) == button; });
    return button && found != std::end(kArrowKeys) ? found : nullptr;
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

// The tree does its own handling of the key, as if it had been typed there.
void CViewerDlg::SendTreeKey(int qtKey)
{
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    m_bSendingTreeKey = true;
    QApplication::sendEvent(m_ui->m_tree, &press);
    m_bSendingTreeKey = false;
}

void CViewerDlg::PressUpKey(bool fromButton)
{
    PressArrowKey(InstrumentKey::Up, fromButton);
}

void CViewerDlg::PressDownKey(bool fromButton)
{
    PressArrowKey(InstrumentKey::Down, fromButton);
}

void CViewerDlg::PressLeftKey(bool fromButton)
{
    PressArrowKey(InstrumentKey::Left, fromButton);
}

void CViewerDlg::PressRightKey(bool fromButton)
{
    PressArrowKey(InstrumentKey::Right, fromButton);
}

// Every arrow action remembers its key for the auto-repeat first; the shown
// screen takes the key, or it goes on to the tree.
void CViewerDlg::PressArrowKey(InstrumentKey key, bool fromButton)
{
    const ArrowKey& arrow = *FindArrow(&ArrowKey::key, key);
    m_nRepeatKey = arrow.repeatKey;
    if (m_display.PressKey(key, ShiftOn(), Screen().Canvas()))
        SendTreeKey(arrow.qtKey);
    Screen().Present();
    if (fromButton)
        FocusTree();
}

void CViewerDlg::PressEnterKey()
{
    m_display.PressKey(InstrumentKey::Enter, ShiftOn(), Screen().Canvas());
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

QAbstractButton* CViewerDlg::ArrowButtonOfKey(int key) const
{
    const ArrowKey* arrow = FindArrow(&ArrowKey::qtKey, key);
    return arrow ? (*m_ui).*(arrow->button) : nullptr;
}

bool CViewerDlg::eventFilter(QObject* watched, QEvent* event)
{
    // The menu bar keeps its own keyboard navigation while a menu is open.
    if (m_bSendingTreeKey || !watched->isWidgetType() || watched == m_ui->m_menuBar
        || static_cast<QWidget*>(watched)->window() != this)
        return false;
    // The filter field's keys are its own, but for paging and clearing.
    if (IsFilterField(watched) && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease))
        return event->type() == QEvent::KeyPress && FilterFieldKey(static_cast<QKeyEvent*>(event));
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
// never closes the window. Keys not consumed go on to the tree.
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
    const int key = event->key();
    switch (key) {
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
    case Qt::Key_Left:
    case Qt::Key_Right:
        ArrowButtonOfKey(key)->setDown(true);
        if (!m_display.ShowsRecord())
            return false;
        PressArrowKey(FindArrow(&ArrowKey::qtKey, key)->key, false);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        ArrowButtonOfKey(key)->setDown(true);
        if (!ShiftOn())
            return false;
        PressArrowKey(FindArrow(&ArrowKey::qtKey, key)->key, false);
        return true;
    default:
        return false;
    }
}

bool CViewerDlg::FilterKeyRelease(QKeyEvent* event)
{
    const int key = event->key();
    switch (key) {
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
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        ArrowButtonOfKey(key)->setDown(false);
        return false;
    default:
        return false;
    }
}

// A pressed push button holds the mouse until the release, wherever the
// cursor goes: remember which arrow button that is and whether the cursor is
// on it.
void CViewerDlg::TrackArrowCapture(QObject* watched, QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool onArrow = ArrowOfButton(*m_ui, watched) != nullptr;
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && onArrow) {
        m_pCaptureButton = static_cast<QAbstractButton*>(watched);
        m_bCursorOnCapture = true;
    } else if (watched == m_pCaptureButton && event->type() == QEvent::MouseMove) {
        m_bCursorOnCapture = m_pCaptureButton->rect().contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        m_pCaptureButton = nullptr;
        m_bCursorOnCapture = false;
    }
}

void CViewerDlg::StopRepeat()
{
    m_repeatTimer.stop();
    m_bRepeating = false;
}

// A modal box or another window takes the mouse away: the release of a held
// arrow button then never reaches it, so it is let go here, without a click.
void CViewerDlg::ReleaseArrowCapture()
{
    if (m_pCaptureButton)
        m_pCaptureButton->setDown(false);
    m_pCaptureButton = nullptr;
    m_bCursorOnCapture = false;
    StopRepeat();
}

// The arrow button that holds the mouse. The left button must still be down:
// its release may have gone to another window.
QAbstractButton* CViewerDlg::CaptureButton()
{
    if (m_pCaptureButton && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        ReleaseArrowCapture();
    return m_pCaptureButton;
}

void CViewerDlg::OnRepeatTimer(int timerId)
{
    const ArrowKey* heldArrow = ArrowOfButton(*m_ui, CaptureButton());
    if (!heldArrow)
        return StopRepeat();
    m_nRepeatKey = heldArrow->repeatKey;
    if (timerId == IDT_POLL) {
        if (!m_bRepeating) {
            m_repeatTimer.start();
            m_bRepeating = true;
        }
        return;
    }
    if (!m_bCursorOnCapture)
        return StopRepeat();
    if (timerId == IDT_REPEAT)
        RunRepeatAction();
}

void CViewerDlg::RunRepeatAction()
{
    if (const ArrowKey* arrow = FindArrow(&ArrowKey::repeatKey, m_nRepeatKey))
        PressArrowKey(arrow->key, false);
}
