#include "screens/CBerScreen.h"

#include "screens/ScreenLabels.h"
#include "screens/ValueFormat.h"

namespace {

bool IsTerrestrial(int system)
{
    return system == 0 || system == 1 || system == 7;
}

bool IsSatellite(int system)
{
    return system == 2 || system == 3 || system == 9;
}

} // namespace

void CBerScreen::Prepare()
{
    const double frequency = NumberValue(m_row.Column(5));
    PrepareCommonFields();
    m_strBer = m_row.Column(19);
    const LimitedText mer = OneDecimalForm(m_row.Column(20), BerScreenMerLimits(m_nSystem));
    m_strMer = mer.text;
    m_nMerLimit = static_cast<std::uint8_t>(mer.limitMark);
    const LimitedText cn =
        OneDecimalForm(m_row.Column(7), BerScreenCnLimits(m_nSystem, m_row.Column(2)));
    m_strCn = cn.text;
    m_nCnLimit = static_cast<std::uint8_t>(cn.limitMark);
    m_strChannel = m_row.Column(3);
    m_strSystemLabel = BerSystemLabel(m_nSystem);
    m_strFrequency = FrequencyForm(frequency, m_nClass);
    m_strModulation = m_row.Column(m_nClass == 1 ? 4 : 8);
}

void CBerScreen::Draw(Canvas& dc)
{
    ClearScreen(dc);
    if (Layout() == BerLayout::Terrestrial)
        DrawTerrestrial(dc);
    else if (Layout() == BerLayout::Satellite)
        DrawSatellite(dc);
}

BerLayout CBerScreen::Layout() const
{
    if (IsTerrestrial(m_nSystem))
        return BerLayout::Terrestrial;
    return IsSatellite(m_nSystem) ? BerLayout::Satellite : BerLayout::None;
}

// One-segment shows the MER; VU/CATV the C/N for OFDM and the MER otherwise.
bool CBerScreen::ShowsMer() const
{
    if (m_nSystem == 1)
        return true;
    return m_nSystem == 7 && Trim(m_strModulation) != "OFDM";
}

void CBerScreen::DrawTerrestrial(Canvas& dc) const
{
    m_painter.DrawBandNameCell(dc, m_strBandName);
    m_painter.DrawChannelCell(dc, m_strChannel, CellRow::A);
    m_painter.DrawFrequencyCell(dc, m_strFrequency);
    m_painter.DrawBerCell(dc, m_strBer, CellRow::A);
    if (ShowsMer())
        m_painter.DrawMerCell(dc, m_strMer, m_nMerLimit);
    else
        m_painter.DrawCnCell(dc, m_strCn, m_nCnLimit, CellRow::B);
    DrawModulationFooter(dc);
}

void CBerScreen::DrawSatellite(Canvas& dc) const
{
    m_painter.DrawSatelliteNameCell(dc, m_strBandName, CellRow::A);
    m_painter.DrawChannelCell(dc, m_strChannel, CellRow::A);
    m_painter.DrawChannelTag(dc, m_strModulation, CellRow::A);
    m_painter.DrawFrequencyCell(dc, m_strFrequency);
    m_painter.DrawBerCell(dc, m_strBer, CellRow::A);
    m_painter.DrawCnCell(dc, m_strCn, m_nCnLimit, CellRow::B);
    DrawConverterFooter(dc);
}

ShownRecord CBerScreen::Shown() const
{
    ShownRecord out;
    const BerLayout layout = Layout();
    if (layout == BerLayout::None)
        return out;
    ShownList list(out);
    const bool satellite = layout == BerLayout::Satellite;
    list.Name(satellite, m_strBandName);
    list.Channel(m_strChannel, satellite ? m_strModulation : std::string());
    list.Frequency(m_strFrequency);
    list.Ber(m_strBer);
    if (!satellite && ShowsMer())
        list.Mer(m_strMer, m_nMerLimit);
    else
        list.Cn(m_strCn, m_nCnLimit);
    if (satellite)
        list.ConverterFooter(*this);
    else
        list.ModulationFooter(*this);
    return out;
}
