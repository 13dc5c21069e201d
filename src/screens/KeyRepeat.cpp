#include "screens/KeyRepeat.h"

void KeyRepeat::Hold(InstrumentKey key, Time now)
{
    m_held = key;
    m_pointerOn = true;
    m_due = now + kHoldDelay;
}

void KeyRepeat::PointerOn(bool on, Time now)
{
    if (!m_held || on == m_pointerOn)
        return;
    m_pointerOn = on;
    m_due = now + kHoldDelay;
}

void KeyRepeat::Release()
{
    m_held.reset();
    m_pointerOn = false;
}

std::optional<InstrumentKey> KeyRepeat::Tick(Time now)
{
    if (!m_held || !m_pointerOn || now < m_due)
        return std::nullopt;
    m_due = now + kRepeatPeriod;
    return m_held;
}

std::optional<KeyRepeat::Time> KeyRepeat::NextAction() const
{
    if (!m_held || !m_pointerOn)
        return std::nullopt;
    return m_due;
}
