#include "screens/PanelNavigator.h"

#include "data/CardTree.h"

void PanelNavigator::Select(int id)
{
    m_selected = m_tree.FindItem(id) ? id : 0;
    m_display.Select(m_tree.FindItem(id));
}

PanelNavigator::Outcome PanelNavigator::Press(InstrumentKey key, bool shift, Canvas& canvas)
{
    if (!m_display.PressKey(key, shift, canvas))
        return Outcome::Screen;
    if (key != InstrumentKey::Up && key != InstrumentKey::Down)
        return Outcome::TreeKey;
    const int next = key == InstrumentKey::Up ? m_steps.Previous(m_selected) : m_steps.Next(m_selected);
    if (next == m_selected)
        return Outcome::Screen;
    Select(next);
    return Outcome::Moved;
}
