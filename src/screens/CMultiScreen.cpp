#include "screens/CMultiScreen.h"

#include "screens/Canvas.h"
#include "screens/ScreenLabels.h"
#include "screens/TextCodec.h"
#include "screens/ValueFormat.h"

#include <algorithm>
#include <string>

namespace {

// Column 13 scale offsets beyond this are cut: the meter writes small numbers,
// and a huge one must not overflow the scale arithmetic.
constexpr int kMaxScaleOffset = 10000;

} // namespace

std::uint32_t BarColour(ValueState state)
{
    switch (state) {
    case NotMeasured: return 0x408040; // dark green
    case OverRange: return 0xFF0000;   // red
    case UnderRange: return 0x2020FF;  // blue
    default: return 0x000000;          // black
    }
}

void CMultiScreen::Load(const std::vector<RecordRow>& rows)
{
    m_nReference = -1;
    m_nChannels = static_cast<int>(rows.size());
    m_channels.clear();
    if (m_nChannels == 0)
        return;
    m_channels = rows;
    Prepare();
}

const RecordRow* CMultiScreen::ChannelRow(int n) const
{
    if (n < 1 || n > static_cast<int>(m_channels.size()))
        return nullptr;
    return &m_channels[static_cast<std::size_t>(n - 1)];
}

void CMultiScreen::ClearTables()
{
    m_dLevel.fill(0.0);
    m_nState.fill(NotMeasured);
    m_bCorrection.fill(0);
}

void CMultiScreen::Prepare()
{
    if (m_nChannels <= 0)
        return;
    const RecordRow& first = m_channels.front();
    const std::string_view group = TrimRight(first.Column(15));
    m_nClass = IsVuCatvGroup(group) ? 2 : 1;
    m_strSystemLabel = MultiSystemLabel(group);
    m_strCaption = std::string(RowCaption(first));
    m_strBandName = std::string(first.Column(2));

    m_nChannels = std::clamp(IntegerValue(first.Column(17)), 0, kMaxChannels);
    // Codes outside 0..2 take the finest range, whose step UpdateStep also
    // gives them, so that bar heights and scale labels agree.
    m_nRange = IntegerValue(first.Column(14));
    if (m_nRange < 0 || m_nRange > 2)
        m_nRange = 2;
    UpdateStep();

    if (IsSatelliteGroup()) {
        m_nTopMax = 106;
        m_nBottomMin = 42;
    } else {
        UpdateVuCatvLimits();
    }
    m_nBottom = m_nBottomMin;
    const int offset = std::clamp(IntegerValue(first.Column(13)), -kMaxScaleOffset, kMaxScaleOffset);
    m_nTop = m_nSpan + m_nBottomMin + offset * m_nHalfSpan;

    if (m_nChannels <= 10) {
        m_nBarWidth = 16;
        m_nBarGap = 8;
    } else if (m_nChannels <= 20) {
        m_nBarWidth = 8;
        m_nBarGap = 4;
    } else {
        m_nBarWidth = 2;
        m_nBarGap = 2;
    }
    m_nCursor = IntegerValue(first.Column(16));
    if (m_nCursor < 1 || m_nCursor > std::max(m_nChannels, 1))
        m_nCursor = 1;
    FillTables();
    TakeCursorChannel();
}

void CMultiScreen::FillTables()
{
    ClearTables();
    for (int n = 1; n <= m_nChannels; ++n) {
        const RecordRow* row = ChannelRow(n);
        if (!row)
            continue;
        const auto i = static_cast<std::size_t>(n);
        m_dLevel[i] = NumberValue(row->Column(6));
        m_nState[i] = LevelState(*row, m_nClass);
        m_bCorrection[i] = CorrectionOn(row->Column(10)) ? 1 : 0;
    }
}

void CMultiScreen::UpdateStep()
{
    m_nStep = m_nRange == 0 ? 8 : m_nRange == 1 ? 4 : 2;
    m_nSpan = 8 * m_nStep;
    m_nHalfSpan = 4 * m_nStep;
}

void CMultiScreen::UpdateVuCatvLimits()
{
    m_nTopMax = m_nRange == 0 ? 148 : 132;
    m_nBottomMin = 20;
}

double CMultiScreen::LevelOf(int n) const
{
    return n >= 1 && n <= kMaxChannels ? m_dLevel[static_cast<std::size_t>(n)] : 0.0;
}

ValueState CMultiScreen::StateOf(int n) const
{
    return n >= 1 && n <= kMaxChannels ? m_nState[static_cast<std::size_t>(n)] : NotMeasured;
}

int CMultiScreen::CorrectionOf(int n) const
{
    return n >= 1 && n <= kMaxChannels ? m_bCorrection[static_cast<std::size_t>(n)] : 0;
}

int CMultiScreen::BarLeft(int n) const
{
    return 32 + (n - 1) * (m_nBarWidth + m_nBarGap);
}

int CMultiScreen::MarkerX(int n) const
{
    return (m_nBarWidth + m_nBarGap) * (n - 1) + m_nBarWidth / 2 + 26;
}

void CMultiScreen::Draw(Canvas& dc)
{
    FullDrawing(dc);
}

void CMultiScreen::FullDrawing(Canvas& dc)
{
    ClearScreen(dc);
    DrawGrid(dc);
    DrawScaleLabels(dc);
    for (int i = 1; i <= m_nChannels; ++i)
        DrawBar(dc, i);
    ShowCursorChannel(dc);
    EraseMarkerRow(dc);
    DrawMarkers(dc);
    DrawReadout(dc);
    DrawLabels(dc);
    HighlightLabels(dc);
    DrawFooter(dc);
}

void CMultiScreen::DrawGrid(Canvas& dc)
{
    dc.MoveTo(24, 24);
    dc.LineTo(24, 192);
    dc.MoveTo(288, 24);
    dc.LineTo(288, 192);
    for (int y = 26; y <= 186; y += 20) {
        dc.MoveTo(20, y);
        dc.LineTo(292, y);
    }
    dc.MoveTo(0, 192);
    dc.LineTo(320, 192);
}

void CMultiScreen::DrawScaleLabels(Canvas& dc)
{
    SelectFont(5, dc);
    int v = m_nTop;
    for (int y = 21; y <= 181; y += 20) {
        const std::string label = IntegerForm(v, 3);
        dc.TextOut(4, y, label);
        dc.TextOut(296, y, label);
        v -= m_nStep;
    }
    m_nBottom = ScaleBottom();
}

int CMultiScreen::ScaleBottom() const
{
    // Nine grid lines, eight steps apart.
    return m_nTop - 8 * m_nStep;
}

void CMultiScreen::DrawFooter(Canvas& dc)
{
    if (IsSatelliteGroup())
        DrawConverterFooter(dc);
    else
        DrawModulationFooter(dc);
    FrameScreen(dc);
}

void CMultiScreen::DrawBar(Canvas& dc, int channel)
{
    const RecordRow* row = ChannelRow(channel);
    if (!row || channel > kMaxChannels)
        return;
    const auto i = static_cast<std::size_t>(channel);
    const double level = m_dLevel[i];
    int top;
    if (level > m_nTop) {
        top = 24;
    } else if (!(level >= m_nBottom)) { // below the scale, or "nan" read as a number
        top = 189;
    } else {
        const double perDb = m_nRange == 1 ? 5.0 : m_nRange == 2 ? 10.0 : 2.5;
        top = 186 - static_cast<int>(std::min(perDb * (level - m_nBottom), 160.0));
    }
    const int left = BarLeft(channel);
    dc.FillRect(Rect{left, top, left + m_nBarWidth, 192}, BarColour(m_nState[i]));
}

bool CMultiScreen::TakeCursorChannel()
{
    const RecordRow* row = ChannelRow(m_nCursor);
    if (!row)
        return false;
    m_strConverter = std::string(row->Column(9));
    m_strModulation = std::string(row->Column(8));
    m_strChannelName = std::string(row->Column(3));
    m_dCursorLevel = LevelOf(m_nCursor);
    return true;
}

void CMultiScreen::ShowCursorChannel(Canvas& dc)
{
    if (!TakeCursorChannel())
        return;
    DrawReadout(dc);
    DrawFooter(dc);
}

void CMultiScreen::EraseMarkerRow(Canvas& dc)
{
    dc.FillRect(Rect{1, 193, 292, 207}, kWhite);
}

void CMultiScreen::DrawMarkers(Canvas& dc)
{
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    SelectFont(5, dc);
    dc.TextOut(MarkerX(m_nCursor), 194, ProgramText("▲"));
    dc.SetBackgroundMode(BackgroundMode::Opaque);
    ShowCursorChannel(dc);
    if (m_nReference != -1) {
        SelectFont(5, dc);
        dc.TextOut(MarkerX(m_nReference), 194, ProgramText("△"));
    }
}

void CMultiScreen::DrawReadout(Canvas& dc)
{
    SelectFont(6, dc);
    dc.TextOut(4, 208, m_strBandName);
    dc.TextOut(148, 208, m_strChannelName);
    DrawLevelValue(dc);
    DrawCorrectionBox(dc);
}

CMultiScreen::LevelReadout CMultiScreen::Readout() const
{
    ValueState state = StateOf(m_nCursor);
    double value = m_dCursorLevel;
    if (m_nReference != -1) {
        state = DeltaState(StateOf(m_nReference), state);
        value = LevelOf(m_nCursor) - LevelOf(m_nReference);
    }
    return {state, ReadoutNumber(value)};
}

std::string CMultiScreen::ReadoutNumber(double level)
{
    return FixedForm(level, 3, 1, 5);
}

void CMultiScreen::DrawLevelValue(Canvas& dc)
{
    dc.TextOut(236, 208, "     ");
    dc.TextOut(236, 213, "     ");
    const LevelReadout readout = Readout();
    switch (readout.state) {
    case Normal:
        dc.TextOut(236, 208, readout.text);
        break;
    case NotMeasured:
        dc.TextOut(236, 208, " --.-");
        break;
    case OverRange:
        dc.TextOut(236, 203, " -- -");
        dc.TextOut(263, 208, ".");
        break;
    case UnderRange:
        dc.TextOut(236, 213, " -- -");
        dc.TextOut(263, 208, ".");
        break;
    }
}

void CMultiScreen::DrawCorrectionBox(Canvas& dc)
{
    SelectFont(5, dc);
    const bool on = CorrectionOf(m_nCursor) == 1;
    dc.TextOut(296, 196, on ? ProgramText("補") : ProgramText("　"));
    dc.FrameRect(Rect{294, 194, 310, 210}, on ? kBlack : kWhite);
}

ValueState CMultiScreen::DeltaState(ValueState reference, ValueState cursor)
{
    // Rows: the reference channel's state; columns: the cursor channel's.
    static constexpr ValueState kTable[4][4] = {
        {Normal, NotMeasured, Normal, UnderRange},
        {NotMeasured, NotMeasured, NotMeasured, UnderRange},
        {Normal, NotMeasured, OverRange, UnderRange},
        {UnderRange, NotMeasured, UnderRange, UnderRange},
    };
    return kTable[reference][cursor];
}

void CMultiScreen::DrawLabels(Canvas& dc)
{
    dc.FillRect(Rect{128, 208, 144, 223}, kWhite);
    SelectFont(5, dc);
    dc.TextOut(130, 210, "ch");
    dc.FillRect(Rect{192, 208, 232, 223}, kWhite);
    SelectFont(5, dc);
    dc.TextOut(194, 210, m_nReference == -1 ? ProgramText("ﾚﾍﾞﾙ") : ProgramText("Δﾚﾍﾞﾙ"));
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.TextOut(282, 213, ProgramText("dBμ"));
    dc.SetBackgroundMode(BackgroundMode::Opaque);
}

void CMultiScreen::HighlightLabels(Canvas& dc)
{
    dc.InvertRect(Rect{128, 208, 144, 223});
    dc.InvertRect(Rect{192, 208, 232, 223});
}

ShownRecord CMultiScreen::Shown() const
{
    ShownRecord out;
    ShownList list(out);
    list.Add(IsSatelliteGroup() ? "衛星名" : "バンド名", ShownText(m_strBandName));
    list.Add("ch", ShownText(m_strChannelName));
    const LevelReadout readout = Readout();
    list.Add(m_nReference != -1 ? "Δﾚﾍﾞﾙ" : "ﾚﾍﾞﾙ", ShownLevelText(readout.text, readout.state), "dBμ",
             CorrectionOf(m_nCursor) ? "補" : "");
    out.values.back().state = readout.state;
    if (IsSatelliteGroup())
        list.ConverterFooter(*this);
    else
        list.ModulationFooter(*this);
    out.graph = ShownGraph{ShownText(IntegerForm(m_nTop, 3)), ShownText(IntegerForm(ScaleBottom(), 3)), m_nCursor,
                           m_nReference == -1 ? 0 : m_nReference};
    // The bars: one level for every channel that has a row.
    for (int n = 1; n <= m_nChannels && n <= kMaxChannels; ++n) {
        if (const RecordRow* row = ChannelRow(n))
            list.ChannelBar(n, m_strBandName, std::string(row->Column(3)), std::string(row->Column(5)),
                            ShownLevelText(ReadoutNumber(LevelOf(n)), StateOf(n)), StateOf(n), CorrectionOf(n) != 0);
    }
    return out;
}
