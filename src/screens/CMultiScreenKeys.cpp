// The multi-channel screen's key operations: each changes the cursor, the
// reference or the scale and redraws what changed into the screen window.
#include "screens/CMultiScreen.h"

#include "screens/Canvas.h"

void CMultiScreen::PrevChannel(Canvas& dc)
{
    EraseMarkerRow(dc);
    --m_nCursor;
    if (m_nCursor < 1)
        m_nCursor = m_nChannels >= 1 ? m_nChannels : 1;
    DrawMarkers(dc);
}

void CMultiScreen::NextChannel(Canvas& dc)
{
    EraseMarkerRow(dc);
    ++m_nCursor;
    if (m_nCursor > m_nChannels)
        m_nCursor = 1;
    DrawMarkers(dc);
}

void CMultiScreen::ToggleReference(Canvas& dc)
{
    SelectFont(5, dc);
    EraseMarkerRow(dc);
    m_nReference = m_nReference == -1 ? m_nCursor : -1;
    EraseMarkerRow(dc);
    DrawMarkers(dc);
    DrawLabels(dc);
    HighlightLabels(dc);
}

void CMultiScreen::RaiseScale(Canvas& dc)
{
    m_nTop += m_nHalfSpan;
    if (m_nTop > m_nTopMax)
        m_nTop = m_nTopMax;
    FullDrawing(dc);
}

void CMultiScreen::LowerScale(Canvas& dc)
{
    m_nTop -= m_nHalfSpan;
    if (m_nTop - 8 * m_nStep < m_nBottomMin)
        m_nTop = m_nBottomMin + 8 * m_nStep;
    FullDrawing(dc);
}

void CMultiScreen::FinerRange(Canvas& dc)
{
    bool atLimit = false;
    if (++m_nRange > 2) {
        m_nRange = 2;
        atLimit = true;
    }
    if (!IsSatelliteGroup())
        UpdateVuCatvLimits();
    UpdateStep();
    if (atLimit)
        FullDrawing(dc);
    else
        LowerScale(dc); // with the new half span: keeps the middle of the scale in place
}

void CMultiScreen::CoarserRange(Canvas& dc)
{
    bool atLimit = false;
    if (--m_nRange < 0) {
        m_nRange = 0;
        atLimit = true;
    }
    if (!IsSatelliteGroup())
        UpdateVuCatvLimits();
    const int oldHalfSpan = 4 * m_nStep;
    m_nStep = m_nRange == 0 ? 8 : m_nRange == 1 ? 4 : 2;
    if (atLimit) {
        FullDrawing(dc);
        return;
    }
    // Align the top to the coarser grid counted down from the highest top.
    if ((m_nTopMax - m_nTop) % (2 * oldHalfSpan) != 0)
        m_nTop += oldHalfSpan;
    else if (m_nTop - 8 * m_nStep < m_nBottomMin)
        m_nTop = m_nBottomMin + 8 * m_nStep;
    FullDrawing(dc);
    UpdateStep();
}
