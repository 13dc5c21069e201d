#include "screens/CSkyScreen.h"

#include "screens/ScreenLabels.h"
#include "screens/TextCodec.h"
#include "screens/ValueFormat.h"

namespace {

constexpr int kLevels = 4;
constexpr int kBers = 5;
constexpr int kCns = 6;

} // namespace

void CSkyScreen::Prepare()
{
    PrepareCommonFields();
    m_strLevel = OneDecimalForm(m_row.Column(6));
    m_strLevel2 = OneDecimalForm(m_row.Column(24));
    m_strBer = m_row.Column(19);
    m_strBer2 = m_row.Column(25);
    const LimitedText cn = OneDecimalForm(m_row.Column(7), kSkyCnLimits);
    m_strCn = cn.text;
    m_nCnLimit = static_cast<std::uint8_t>(cn.limitMark);
    const LimitedText cn2 = OneDecimalForm(m_row.Column(26), kSkyCnLimits);
    m_strCn2 = cn2.text;
    m_nCnLimit2 = static_cast<std::uint8_t>(cn2.limitMark);
    m_strChannel = m_row.Column(3);
    m_strBandName2 = m_row.Column(21);
    m_strChannel2 = m_row.Column(22);
    m_strSystemLabel = SkySystemLabel(m_nSystem);
    m_strModulation = m_row.Column(4);
    m_strModulation2 = m_row.Column(23);
    m_bCorrection = CorrectionOn(m_row.Column(10)) ? 1 : 0;
    m_bCorrection2 = CorrectionOn(m_row.Column(27)) ? 1 : 0;
}

void CSkyScreen::Draw(Canvas& dc)
{
    ClearScreen(dc);
    if (Quantity() == SkyQuantity::None)
        return;
    DrawRows(dc);
    DrawValues(dc);
    DrawConverterFooter(dc);
}

SkyQuantity CSkyScreen::Quantity() const
{
    switch (m_nSystem) {
    case kLevels: return SkyQuantity::Levels;
    case kBers: return SkyQuantity::Bers;
    case kCns: return SkyQuantity::Cns;
    default: return SkyQuantity::None;
    }
}

void CSkyScreen::DrawRows(Canvas& dc) const
{
    m_painter.DrawSatelliteNameCell(dc, m_strBandName, CellRow::A);
    m_painter.DrawSatelliteNameCell(dc, m_strBandName2, CellRow::B);
    m_painter.DrawChannelCell(dc, m_strChannel, CellRow::A);
    m_painter.DrawChannelTag(dc, m_strModulation, CellRow::A);
    m_painter.DrawChannelCell(dc, m_strChannel2, CellRow::B);
    m_painter.DrawChannelTag(dc, m_strModulation2, CellRow::B);
}

void CSkyScreen::DrawValues(Canvas& dc) const
{
    const SkyQuantity quantity = Quantity();
    if (quantity == SkyQuantity::Levels) {
        m_painter.DrawLevelCell(dc, m_strLevel, LevelState(m_row, m_nClass), CellRow::A);
        m_painter.DrawLevelCell(dc, m_strLevel2, LevelState2(m_row, m_nClass), CellRow::B);
        m_painter.DrawCorrectionTag(dc, m_bCorrection != 0, CellRow::A);
        m_painter.DrawCorrectionTag(dc, m_bCorrection2 != 0, CellRow::B);
    } else if (quantity == SkyQuantity::Bers) {
        m_painter.DrawBerCell(dc, m_strBer, CellRow::A);
        m_painter.DrawBerCell(dc, m_strBer2, CellRow::B);
    } else {
        m_painter.DrawCnCell(dc, m_strCn, m_nCnLimit, CellRow::A);
        m_painter.DrawCnCell(dc, m_strCn2, m_nCnLimit2, CellRow::B);
    }
}

ShownRecord CSkyScreen::Shown() const
{
    ShownRecord out;
    const SkyQuantity quantity = Quantity();
    if (quantity == SkyQuantity::None)
        return out;
    ShownList list(out);
    for (int row = 0; row < 2; ++row) {
        const bool a = row == 0;
        list.NewLine(std::to_string(row + 1));
        list.Name(true, a ? m_strBandName : m_strBandName2);
        list.Channel(a ? m_strChannel : m_strChannel2, a ? m_strModulation : m_strModulation2);
        if (quantity == SkyQuantity::Levels)
            list.Level(a ? m_strLevel : m_strLevel2, a ? LevelState(m_row, m_nClass) : LevelState2(m_row, m_nClass),
                       (a ? m_bCorrection : m_bCorrection2) != 0);
        else if (quantity == SkyQuantity::Bers)
            list.Ber(a ? m_strBer : m_strBer2);
        else
            list.Cn(a ? m_strCn : m_strCn2, a ? m_nCnLimit : m_nCnLimit2);
    }
    list.ConverterFooter(*this);
    return out;
}
