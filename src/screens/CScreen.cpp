#include "screens/CScreen.h"

CScreen::CScreen()
    : m_fonts{Font(24, 13), Font(24, 10), Font(24, 8), Font(14, 7),
              Font(36, 18), Font(12, 6), Font(18, 9)}
{
}

void CScreen::SelectFont(int number, Canvas& dc) const
{
    dc.selectFont(&m_fonts[number >= 1 && number <= 6 ? number : 0]);
}

void CScreen::ClearFooterLabel(Canvas&) const {}
void CScreen::DrawModulationFooter(Canvas&) const {}
void CScreen::DrawConverterFooter(Canvas&) const {}
double CScreen::InputLevel(const RecordRow&, int) const { return 0; }
ValueState CScreen::LevelState(const RecordRow&, int) const { return Normal; }
double CScreen::InputLevel2(const RecordRow&, int) const { return 0; }
ValueState CScreen::LevelState2(const RecordRow&, int) const { return Normal; }

void ClearScreen(Canvas& dc)
{
    dc.fillRect({1, 1, dc.width() - 1, dc.height() - 1}, kWhite);
}

void FrameScreen(Canvas& dc)
{
    dc.frameRect({0, 0, dc.width(), dc.height()}, kBlack);
}

void CCellPainter::DrawBandNameCell(Canvas&, std::string) const {}
void CCellPainter::DrawSatelliteNameCell(Canvas&, std::string, CellRow) const {}
void CCellPainter::DrawChannelCell(Canvas&, std::string, CellRow) const {}
void CCellPainter::DrawChannelTag(Canvas&, std::string, CellRow) const {}
void CCellPainter::DrawFrequencyCell(Canvas&, std::string) const {}
void CCellPainter::DrawLevelCell(Canvas&, std::string, ValueState, CellRow) const {}
void CCellPainter::DrawCorrectionTag(Canvas&, bool, CellRow) const {}
void CCellPainter::DrawCnCell(Canvas&, std::string, int, CellRow) const {}
void CCellPainter::DrawMerCell(Canvas&, std::string, int) const {}
void CCellPainter::DrawBerCell(Canvas&, std::string, CellRow) const {}

void RecordScreen::Load(const RecordRow* row)
{
    if (!row) {
        m_nClass = 0;
        return;
    }
    m_row.CopyFrom(*row);
    Prepare();
}
