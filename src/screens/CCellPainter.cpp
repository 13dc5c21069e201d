#include "screens/CScreen.h"

#include "screens/TextCodec.h"
#include "screens/ValueFormat.h"

namespace {

// Fixed positions of one value cell (level, C/N, MER or BER) in one row.
struct ValueCell {
    int font;
    const char* label;
    Point labelAt;
    const char* unit; // null: no unit
    Point unitAt;
    Point value;
    Point raised;
    Point lowered;
    Point point;
    int top; // of the label row; the label box and outline follow from it
};

constexpr int kRowATop = 112;
constexpr int kRowBTop = 168;

int RowTop(CellRow row)
{
    return row == CellRow::A ? kRowATop : kRowBTop;
}

ValueCell LevelCell(CellRow row)
{
    if (row == CellRow::A)
        return {4, "ﾚﾍﾞﾙ", {202, 114}, "dBμ", {288, 146}, {192, 128}, {192, 119}, {192, 144}, {246, 128}, kRowATop};
    return {4, "ﾚﾍﾞﾙ", {202, 169}, "dBμ", {288, 202}, {192, 184}, {192, 175}, {192, 200}, {246, 184}, kRowBTop};
}

ValueCell CnCell(CellRow row)
{
    if (row == CellRow::A)
        return {4, "C/N", {204, 114}, "dB", {288, 146}, {192, 128}, {192, 119}, {192, 144}, {246, 128}, kRowATop};
    return {4, "C/N", {204, 169}, "dB", {288, 202}, {192, 184}, {192, 175}, {192, 200}, {246, 184}, kRowBTop};
}

ValueCell MerCell()
{
    return {4, "MER", {204, 170}, "dB", {288, 202}, {192, 184}, {192, 175}, {192, 200}, {246, 184}, kRowBTop};
}

ValueCell BerCell(CellRow row)
{
    if (row == CellRow::A)
        return {0, "BER", {204, 114}, nullptr, {}, {208, 136}, {208, 127}, {208, 147}, {221, 136}, kRowATop};
    return {0, "BER", {204, 170}, nullptr, {}, {208, 192}, {208, 183}, {208, 203}, {221, 192}, kRowBTop};
}

enum class Dashes { None, Raised, Lowered };

// The value, or the dashes standing high or low around a decimal point in
// its usual place.
void DrawValue(const CCellPainter& painter, Canvas& dc, const ValueCell& cell,
               const std::string& text, Dashes dashes)
{
    painter.SelectFont(cell.font, dc);
    if (dashes == Dashes::None) {
        dc.TextOut(cell.value.x, cell.value.y, text);
        return;
    }
    const Point at = dashes == Dashes::Raised ? cell.raised : cell.lowered;
    dc.TextOut(at.x, at.y, cell.font == 4 ? " -- -" : "- -----");
    dc.TextOut(cell.point.x, cell.point.y, ".");
}

void DrawLabelAndUnit(const CCellPainter& painter, Canvas& dc, const ValueCell& cell)
{
    painter.SelectFont(3, dc);
    dc.TextOut(cell.labelAt.x, cell.labelAt.y, ProgramText(cell.label));
    if (cell.unit)
        dc.TextOut(cell.unitAt.x, cell.unitAt.y, ProgramText(cell.unit));
}

void FinishValueCell(Canvas& dc, const ValueCell& cell)
{
    dc.InvertRect({192, cell.top, 236, cell.top + 16});
    DrawBoxOutline(dc, 192, cell.top, 320, cell.top + 16);
}

void DrawValueCell(const CCellPainter& painter, Canvas& dc, const ValueCell& cell,
                   const std::string& text, Dashes dashes)
{
    DrawValue(painter, dc, cell, text, dashes);
    DrawLabelAndUnit(painter, dc, cell);
    FinishValueCell(dc, cell);
}

Dashes PlaceholderDashes(const std::string& text, std::string_view high, std::string_view low)
{
    if (text == high)
        return Dashes::Raised;
    return text == low ? Dashes::Lowered : Dashes::None;
}

// C/N and MER: the limit word sits above the unit, reversed in its box.
void DrawLimitedCell(const CCellPainter& painter, Canvas& dc, const ValueCell& cell,
                     const std::string& text, int limitMark)
{
    DrawValue(painter, dc, cell, text, PlaceholderDashes(text, " ~~.~", " __._"));
    DrawLabelAndUnit(painter, dc, cell);
    if (limitMark == AtOrBelowLower || limitMark == AtOrAboveUpper)
        dc.TextOut(288, cell.top + 19, ProgramText(limitMark == AtOrBelowLower ? "以下" : "以上"));
    FinishValueCell(dc, cell);
    if (limitMark != NoLimit)
        dc.InvertRect({287, cell.top + 18, 316, cell.top + 33});
}

void DrawNameCell(const CCellPainter& painter, Canvas& dc, const std::string& name,
                  const char* label, Point labelAt, int top)
{
    const std::string_view trimmed = Trim(name);
    painter.SelectFont(trimmed == ProgramText("BSパススルー") ? 1 : 0, dc);
    dc.TextOut(1, top + 24, trimmed);
    painter.SelectFont(3, dc);
    dc.TextOut(labelAt.x, labelAt.y, ProgramText(label));
    dc.InvertRect({1, top, 64, top + 16});
    DrawBoxOutline(dc, 0, top, 128, top + 48);
}

} // namespace

void DrawBoxOutline(Canvas& dc, int x0, int y0, int x1, int y2)
{
    DrawChain(dc, {{x0, y0}, {x1 - 6, y0}, {x1 - 4, y0 + 2}, {x1 - 4, y0 + 16}});
    DrawChain(dc, {{x1 - 2, y0}, {x1, y0 + 2}, {x1, y2}});
}

void CCellPainter::DrawBandNameCell(Canvas& dc, std::string name) const
{
    DrawNameCell(*this, dc, name, "バンド名", {4, 114}, kRowATop);
}

void CCellPainter::DrawSatelliteNameCell(Canvas& dc, std::string name, CellRow row) const
{
    const Point labelAt = row == CellRow::A ? Point{12, 114} : Point{12, 169};
    DrawNameCell(*this, dc, name, "衛星名", labelAt, RowTop(row));
}

void CCellPainter::DrawChannelCell(Canvas& dc, std::string channel, CellRow row) const
{
    const int top = RowTop(row);
    SelectFont(0, dc);
    dc.TextOut(136, top + 24, channel);
    SelectFont(3, dc);
    dc.TextOut(140, row == CellRow::A ? 113 : 169, "ch");
    dc.InvertRect({136, top, 160, top + 16});
    DrawBoxOutline(dc, 136, top, 184, top + 48);
}

void CCellPainter::DrawChannelTag(Canvas& dc, std::string text, CellRow row) const
{
    const int top = RowTop(row);
    SelectFont(3, dc);
    dc.TextOut(165, row == CellRow::A ? 114 : 170, text);
    DrawChain(dc, {{176, top}, {176, top + 15}, {159, top + 15}});
}

void CCellPainter::DrawFrequencyCell(Canvas& dc, std::string frequency) const
{
    SelectFont(0, dc);
    dc.TextOut(64, 192, frequency);
    SelectFont(3, dc);
    dc.TextOut(60, 170, ProgramText("周波数"));
    dc.TextOut(152, 200, "MHz");
    dc.InvertRect({56, 168, 106, 184});
    DrawBoxOutline(dc, 56, 168, 184, 216);
}

void CCellPainter::DrawLevelCell(Canvas& dc, std::string level, ValueState state, CellRow row) const
{
    const Dashes dashes = state == OverRange    ? Dashes::Raised
                          : state == UnderRange ? Dashes::Lowered
                                                : Dashes::None;
    DrawValueCell(*this, dc, LevelCell(row), level, dashes);
}

void CCellPainter::DrawCorrectionTag(Canvas& dc, bool on, CellRow row) const
{
    const int top = RowTop(row);
    SelectFont(5, dc);
    dc.TextOut(288, top + 20, ProgramText(on ? "補正" : "　　"));
    dc.FrameRect({286, top + 18, 314, top + 33}, on ? kBlack : kWhite);
}

void CCellPainter::DrawCnCell(Canvas& dc, std::string cn, int limitMark, CellRow row) const
{
    DrawLimitedCell(*this, dc, CnCell(row), cn, limitMark);
}

void CCellPainter::DrawMerCell(Canvas& dc, std::string mer, int limitMark) const
{
    DrawLimitedCell(*this, dc, MerCell(), mer, limitMark);
}

void CCellPainter::DrawBerCell(Canvas& dc, std::string ber, CellRow row) const
{
    DrawValueCell(*this, dc, BerCell(row), ber, PlaceholderDashes(ber, "~.~~~~~", "_._____"));
}
