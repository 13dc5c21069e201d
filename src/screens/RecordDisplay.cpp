#include "screens/RecordDisplay.h"

#include "data/CDataItem.h"
#include "screens/Canvas.h"

void RecordDisplay::Select(const CDataItem* item)
{
    if (!item) {
        ShowNothing();
        return;
    }
    switch (item->m_nKind) {
    case kindLevel:
    case kindBer:
    case kindSky: {
        m_record.CopyFrom(item->m_row);
        m_nScreenId = item->m_nKind - 1;
        CScreen* screen = ShownScreen();
        if (m_nScreenId == 1)
            m_levelScreen.Load(&m_record);
        else if (m_nScreenId == 2)
            m_berScreen.Load(&m_record);
        else
            m_skyScreen.Load(&m_record);
        SetLabels(*screen, *item);
        break;
    }
    case kindConstel:
        m_record.CopyFrom(item->m_row);
        m_constelScreen.Load(m_record, item->m_strPicturePath);
        SetLabels(m_constelScreen, *item);
        m_nScreenId = 4;
        break;
    case kindMulti:
        m_multiScreen.Load(item->m_channels);
        SetLabels(m_multiScreen, *item);
        m_nScreenId = 5;
        break;
    default:
        ShowNothing();
        break;
    }
}

void RecordDisplay::SetLabels(const CScreen& screen, const CDataItem& item)
{
    StringField systemLabel(m_strLabels[kSystemLabel]);
    screen.SetSystemLabel(systemLabel);
    StringField caption(m_strLabels[kCaption]);
    screen.SetCaption(caption);
    m_strLabels[kNumber] = item.NumberText();
    m_strLabels[kCount] = item.m_strCount.Str();
}

void RecordDisplay::ShowNothing()
{
    m_nScreenId = 0;
    m_strLabels[kNumber] = "  ";
    m_strLabels[kCount] = "  ";
    m_strLabels[kCaption] = " ";
    m_strLabels[kSystemLabel] = " ";
}

CScreen* RecordDisplay::ShownScreen()
{
    switch (m_nScreenId) {
    case 1: return &m_levelScreen;
    case 2: return &m_berScreen;
    case 3: return &m_skyScreen;
    case 4: return &m_constelScreen;
    case 5: return &m_multiScreen;
    default: return nullptr;
    }
}

void RecordDisplay::Paint(Canvas& dc)
{
    if (CScreen* screen = ShownScreen())
        screen->Draw(dc);
    else
        ClearScreen(dc);
    FrameScreen(dc);
}

bool RecordDisplay::PressKey(InstrumentKey key, bool shift, Canvas& dc)
{
    const bool multi = m_nScreenId == 5;
    switch (key) {
    case InstrumentKey::Up:
        if (shift && multi)
            m_multiScreen.RaiseScale(dc);
        return !shift;
    case InstrumentKey::Down:
        if (shift && multi)
            m_multiScreen.LowerScale(dc);
        return !shift;
    case InstrumentKey::Left:
        if (multi)
            shift ? m_multiScreen.CoarserRange(dc) : m_multiScreen.PrevChannel(dc);
        return m_nScreenId == 0 && !shift;
    case InstrumentKey::Right:
        if (multi)
            shift ? m_multiScreen.FinerRange(dc) : m_multiScreen.NextChannel(dc);
        return m_nScreenId == 0 && !shift;
    case InstrumentKey::Enter:
        if (multi)
            m_multiScreen.ToggleReference(dc);
        return false;
    }
    return false;
}
