#include "screens/CScreen.h"

#include "screens/ScreenLabels.h"
#include "screens/TextCodec.h"
#include "screens/ValueFormat.h"

CScreen::CScreen()
    : ModulationCorrectionTable(DefaultModulationCorrections()),
      m_fonts{Font(24, 13), Font(24, 10), Font(24, 8), Font(14, 7),
              Font(36, 18), Font(12, 6), Font(18, 9)}
{
}

void CScreen::SelectFont(int number, Canvas& dc) const
{
    dc.SelectFont(&m_fonts[number >= 1 && number <= 6 ? number : 0]);
}

void CScreen::ClearFooterLabel(Canvas& dc) const
{
    dc.FillRect({1, 225, 66, 240}, kWhite);
}

void CScreen::DrawModulationFooter(Canvas& dc) const
{
    SelectFont(3, dc);
    dc.TextOut(80, 225, m_strModulation);
    SelectFont(3, dc);
    ClearFooterLabel(dc);
    dc.TextOut(4, 226, ProgramText("変調方式"));
    dc.InvertRect({1, 224, 66, 239});
    DrawChain(dc, {{0, 224}, {154, 224}, {156, 226}, {156, 240}});
    DrawChain(dc, {{158, 224}, {160, 226}, {160, 240}});
}

void CScreen::DrawConverterFooter(Canvas& dc) const
{
    if (m_strConverter.empty() || m_strConverter[0] != '*') {
        SelectFont(3, dc);
        dc.TextOut(232, 225, m_strConverter + "GHz");
    }
    SelectFont(3, dc);
    ClearFooterLabel(dc);
    dc.TextOut(4, 226, ProgramText("ｺﾝﾊﾞｰﾀｰ"));
    dc.InvertRect({1, 224, 64, 239});
    DrawChain(dc, {{0, 224}, {314, 224}, {316, 226}, {316, 240}});
    DrawChain(dc, {{318, 224}, {320, 226}, {320, 240}});
}

double CScreen::InputLevel(const RecordRow& row, int nClass) const
{
    return ::InputLevel(row, nClass, ModulationCorrectionTable, kFirstLevelColumns);
}

ValueState CScreen::LevelState(const RecordRow& row, int nClass) const
{
    return ::LevelState(row, nClass, ModulationCorrectionTable, kFirstLevelColumns);
}

double CScreen::InputLevel2(const RecordRow& row, int nClass) const
{
    return ::InputLevel(row, nClass, ModulationCorrectionTable, kSecondLevelColumns);
}

ValueState CScreen::LevelState2(const RecordRow& row, int nClass) const
{
    return ::LevelState(row, nClass, ModulationCorrectionTable, kSecondLevelColumns);
}

void ClearScreen(Canvas& dc)
{
    dc.FillRect({1, 1, dc.Width() - 1, dc.Height() - 1}, kWhite);
}

void FrameScreen(Canvas& dc)
{
    dc.FrameRect({0, 0, dc.Width(), dc.Height()}, kBlack);
}

void RecordScreen::Load(const RecordRow* row)
{
    if (!row) {
        m_nClass = 0;
        return;
    }
    m_row.CopyFrom(*row);
    Prepare();
}

void RecordScreen::PrepareCommonFields()
{
    m_nSystem = IntegerValue(m_row.Column(18));
    m_nClassHint = IntegerValue(m_row.Column(11));
    m_nClass = RecordClass(m_row);
    m_strCaption = RowCaption(m_row);
    m_strBandName = m_row.Column(2);
    m_strConverter = m_row.Column(9);
}
