#include "screens/CLevelScreen.h"

#include "screens/ScreenLabels.h"
#include "screens/ValueFormat.h"

namespace {

LevelLayout LayoutOf(int system)
{
    switch (system) {
    case 0:
    case 7:
    case 8:
    case 11:
        return LevelLayout::Terrestrial;
    case 2:
    case 3:
    case 9:
        return LevelLayout::Satellite;
    case 10:
        return LevelLayout::SatelliteWithCn;
    default:
        return LevelLayout::None;
    }
}

} // namespace

void CLevelScreen::Prepare()
{
    const double frequency = NumberValue(m_row.Column(5));
    PrepareCommonFields();
    m_strLevel = OneDecimalForm(m_row.Column(6));
    m_strCn = OneDecimalForm(m_row.Column(7));
    m_strChannel = m_row.Column(3);
    m_strSystemLabel = LevelSystemLabel(m_nSystem);
    m_strFrequency = FrequencyForm(frequency, m_nClass);
    m_strModulation = m_row.Column(m_nClass == 1 ? 4 : 8);
    m_bCorrection = CorrectionOn(m_row.Column(10)) ? 1 : 0;
}

LevelLayout CLevelScreen::Layout() const
{
    return LayoutOf(m_nSystem);
}

void CLevelScreen::Draw(Canvas& dc)
{
    ClearScreen(dc);
    switch (LayoutOf(m_nSystem)) {
    case LevelLayout::Terrestrial:
        DrawTerrestrial(dc);
        break;
    case LevelLayout::Satellite:
        DrawSatellite(dc, false);
        break;
    case LevelLayout::SatelliteWithCn:
        DrawSatellite(dc, true);
        break;
    case LevelLayout::None:
        break;
    }
}

void CLevelScreen::DrawTerrestrial(Canvas& dc) const
{
    m_painter.DrawBandNameCell(dc, m_strBandName);
    m_painter.DrawChannelCell(dc, m_strChannel, CellRow::A);
    m_painter.DrawFrequencyCell(dc, m_strFrequency);
    m_painter.DrawLevelCell(dc, m_strLevel, LevelState(m_row, m_nClass), CellRow::A);
    m_painter.DrawCorrectionTag(dc, m_bCorrection != 0, CellRow::A);
    DrawModulationFooter(dc);
}

void CLevelScreen::DrawSatellite(Canvas& dc, bool withCn) const
{
    m_painter.DrawSatelliteNameCell(dc, m_strBandName, CellRow::A);
    m_painter.DrawChannelCell(dc, m_strChannel, CellRow::A);
    m_painter.DrawChannelTag(dc, m_strModulation, CellRow::A);
    m_painter.DrawFrequencyCell(dc, m_strFrequency);
    m_painter.DrawLevelCell(dc, m_strLevel, LevelState(m_row, m_nClass), CellRow::A);
    m_painter.DrawCorrectionTag(dc, m_bCorrection != 0, CellRow::A);
    if (withCn)
        m_painter.DrawCnCell(dc, m_strCn, NoLimit, CellRow::B);
    DrawConverterFooter(dc);
}

ShownRecord CLevelScreen::Shown() const
{
    ShownRecord out;
    const LevelLayout layout = Layout();
    if (layout == LevelLayout::None)
        return out;
    ShownList list(out);
    const bool satellite = layout != LevelLayout::Terrestrial;
    list.Name(satellite, m_strBandName);
    list.Channel(m_strChannel, satellite ? m_strModulation : std::string());
    list.Frequency(m_strFrequency);
    list.Level(m_strLevel, LevelState(m_row, m_nClass), m_bCorrection != 0);
    if (layout == LevelLayout::SatelliteWithCn)
        list.Cn(m_strCn, NoLimit);
    if (satellite)
        list.ConverterFooter(*this);
    else
        list.ModulationFooter(*this);
    return out;
}
