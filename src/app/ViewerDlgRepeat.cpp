// The auto-repeat of a held on-screen arrow button: the window follows the
// mouse on the button and runs a timer; the repeat decides when a key acts.
#include "CViewerDlg.h"

#include "ui_CViewerDlg.h"

#include <QGuiApplication>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>

namespace {

KeyRepeat::Time SteadyNow()
{
    return std::chrono::duration_cast<KeyRepeat::Time>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace

void CViewerDlg::UseRepeatClock(RepeatClock clock)
{
    m_repeatClock = clock ? std::move(clock) : RepeatClock(SteadyNow);
}

// A pressed push button holds the mouse until the release, wherever the
// cursor goes: the repeat learns which arrow button that is and whether the
// cursor is on it.
void CViewerDlg::TrackArrowCapture(QObject* watched, QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const std::pair<QAbstractButton*, InstrumentKey> arrows[] = {
        {m_ui->m_upButton, InstrumentKey::Up}, {m_ui->m_leftButton, InstrumentKey::Left},
        {m_ui->m_rightButton, InstrumentKey::Right}, {m_ui->m_downButton, InstrumentKey::Down}};
    const auto* arrow = std::find_if(std::begin(arrows), std::end(arrows),
                                     [&](const auto& entry) { return entry.first == watched; });
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton
        && arrow != std::end(arrows)) {
        m_pHeldButton = arrow->first;
        m_repeat.Hold(arrow->second, m_repeatClock());
    } else if (watched == m_pHeldButton && event->type() == QEvent::MouseMove) {
        m_repeat.PointerOn(m_pHeldButton->rect().contains(mouse->position().toPoint()), m_repeatClock());
    } else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        m_pHeldButton = nullptr;
        m_repeat.Release();
    } else {
        return;
    }
    ScheduleRepeat();
}

// A modal box or another window takes the mouse away: the release of a held
// arrow button then never reaches it, so it is let go here, without a click.
void CViewerDlg::ReleaseArrowCapture()
{
    if (m_pHeldButton)
        m_pHeldButton->setDown(false);
    m_pHeldButton = nullptr;
    m_repeat.Release();
    ScheduleRepeat();
}

// The arrow button that holds the mouse. The left button must still be down:
// its release may have gone to another window.
QAbstractButton* CViewerDlg::HeldButton()
{
    if (m_pHeldButton && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        ReleaseArrowCapture();
    return m_pHeldButton;
}

void CViewerDlg::OnRepeatTimer()
{
    if (!HeldButton())
        return;
    if (const std::optional<InstrumentKey> key = m_repeat.Tick(m_repeatClock()))
        PressArrowKey(*key, false);
    ScheduleRepeat();
}

void CViewerDlg::ScheduleRepeat()
{
    const std::optional<KeyRepeat::Time> due = m_repeat.NextAction();
    if (!due) {
        m_repeatTimer->stop();
        return;
    }
    const KeyRepeat::Time wait = std::max(KeyRepeat::Time(0), *due - m_repeatClock());
    m_repeatTimer->start(static_cast<int>(wait.count()));
}
