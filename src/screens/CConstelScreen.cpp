#include "screens/CConstelScreen.h"

#include "data/ReadOnlyFile.h"
#include "screens/Canvas.h"
#include "screens/ScreenLabels.h"
#include "screens/TextCodec.h"
#include "screens/ValueFormat.h"

#include <array>
#include <span>
#include <string_view>

namespace {

// The picture's top-left pixel on the screen.
constexpr int kPictureLeft = 120;
constexpr int kPictureTop = 26;

} // namespace

void CConstelScreen::Load(const RecordRow& row, const std::string& picturePath)
{
    m_row.CopyFrom(row);
    m_strPicturePath = picturePath;
    Prepare();
}

void CConstelScreen::Prepare()
{
    m_nSystem = IntegerValue(m_row.Column(18));
    PrepareMer();
    m_strCaption = std::string(RowCaption(m_row));
    m_strBandName = std::string(m_row.Column(2));
    m_strChannel = std::string(m_row.Column(3));
    m_strModulation = std::string(m_row.Column(8));
    m_strSystemLabel = ConstelSystemLabel(m_nSystem);
}

void CConstelScreen::PrepareMer()
{
    // The one-decimal form between 5.0 and 30.0 without its leading column:
    // four characters.
    const LimitedText mer = OneDecimalForm(m_row.Column(20), DisplayLimits{5.0, 30.0});
    m_strMer = mer.text.substr(1);
    m_nMerLimit = static_cast<unsigned char>(mer.limitMark);
}

const char* CConstelScreen::LayerLetter() const
{
    if (m_nSystem != 0 && m_nSystem != 1 && m_nSystem != 7)
        return nullptr;
    return m_nSystem == 1 ? "A" : "B";
}

void CConstelScreen::Draw(Canvas& dc)
{
    ClearScreen(dc);
    const char* layer = LayerLetter();
    if (!layer)
        return;
    DrawBandBox(dc);
    DrawChannelBox(dc);
    DrawLayerBox(dc, layer);
    DrawMerBox(dc);
    DrawPlotSquare(dc, m_nSystem != 1);
    DrawDots(dc);
    DrawModulationFooter(dc);
}

void CConstelScreen::DrawBandBox(Canvas& dc)
{
    const std::string name(Trim(m_strBandName));
    if (name == ProgramText("BSパススルー"))
        SelectFont(2, dc);
    else
        SelectFont(name.size() > 8 ? 1 : 0, dc);
    dc.TextOut(3, 50, name);
    SelectFont(3, dc);
    dc.TextOut(4, 28, ProgramText("バンド名"));
    dc.InvertRect(Rect{1, 26, 64, 42});
    DrawBoxOutline(dc, 0, 26, 112, 74);
}

void CConstelScreen::DrawChannelBox(Canvas& dc)
{
    SelectFont(0, dc);
    dc.TextOut(8, 102, m_strChannel);
    SelectFont(3, dc);
    dc.TextOut(5, 83, "ch");
    dc.InvertRect(Rect{1, 82, 25, 98});
    DrawBoxOutline(dc, 0, 82, 58, 130);
}

void CConstelScreen::DrawLayerBox(Canvas& dc, const char* layer)
{
    SelectFont(0, dc);
    dc.TextOut(80, 106, layer);
    SelectFont(3, dc);
    dc.TextOut(68, 83, ProgramText("階層"));
    dc.InvertRect(Rect{64, 82, 100, 98});
    DrawBoxOutline(dc, 64, 82, 112, 130);
}

void CConstelScreen::DrawMerBox(Canvas& dc)
{
    SelectFont(4, dc);
    if (m_strMer == "~~.~") {
        dc.TextOut(3, 145, "-- -");
        dc.TextOut(39, 154, ".");
    } else if (m_strMer == "__._") {
        dc.TextOut(3, 170, "-- -");
        dc.TextOut(39, 154, ".");
    } else {
        dc.TextOut(3, 154, m_strMer);
    }
    SelectFont(3, dc);
    dc.TextOut(13, 138, "MER");
    dc.TextOut(80, 174, "dB");
    if (m_nMerLimit == 1)
        dc.TextOut(80, 156, ProgramText("以下"));
    else if (m_nMerLimit == 2)
        dc.TextOut(80, 156, ProgramText("以上"));
    dc.InvertRect(Rect{1, 138, 44, 154});
    DrawBoxOutline(dc, 0, 138, 112, 186);
    if (m_nMerLimit != 0)
        dc.InvertRect(Rect{79, 155, 108, 170});
}

void CConstelScreen::DrawPlotSquare(Canvas& dc, bool dottedGrid)
{
    DrawChain(dc, {{124, 26}, {316, 26}, {316, 218}, {124, 218}, {124, 26}});
    DrawChain(dc, {{220, 26}, {220, 218}});
    DrawChain(dc, {{124, 122}, {316, 122}});
    if (!dottedGrid)
        return;
    dc.SetPen(kBlack, PenStyle::Dot);
    for (int x : {148, 172, 196, 244, 268, 292})
        DrawChain(dc, {{x, 26}, {x, 218}});
    for (int y : {50, 74, 98, 146, 170, 194})
        DrawChain(dc, {{124, y}, {316, y}});
    dc.SetPen(kBlack);
}

void CConstelScreen::DrawDots(Canvas& dc)
{
    // The scan found the picture, in whatever letter case, and left out one
    // that leads outside the card; a draw only opens what it was given.
    ReadOnlyFile file;
    FileErrorCause cause;
    if (m_strPicturePath.empty() || !file.Open(m_strPicturePath, &cause))
        return;
    // Column by column, a byte a row: each column a strip eight pixels wide.
    std::array<std::uint8_t, kPictureColumns * kPictureRows> picture{};
    try {
        file.Read(reinterpret_cast<char*>(picture.data()), picture.size());
    } catch (const FileException&) {
        // A read error ends the dots where it happened; the file closes with `file`.
    }
    // The rest of a short picture stays clear.
    for (std::size_t c = 0; c < kPictureColumns; ++c)
        dc.SetPixelBits(kPictureLeft + 8 * static_cast<int>(c), kPictureTop,
                        std::span(picture).subspan(c * kPictureRows, kPictureRows), kBlack);
}

ShownRecord CConstelScreen::Shown() const
{
    ShownRecord out;
    const char* layer = LayerLetter();
    if (!layer)
        return out;
    ShownList list(out);
    list.Name(false, m_strBandName);
    list.Channel(m_strChannel);
    list.Add("階層", layer);
    list.Mer(m_strMer, m_nMerLimit);
    list.ModulationFooter(*this);
    return out;
}
