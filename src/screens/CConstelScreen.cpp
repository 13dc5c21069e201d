#include "screens/CConstelScreen.h"

#include "data/CardFiles.h"
#include "data/ReadOnlyFile.h"
#include "screens/Canvas.h"
#include "screens/TextCodec.h"
#include "screens/ValueFormat.h"

#include <cstdio>
#include <string_view>

namespace {

// The picture's top-left pixel on the screen.
constexpr int kPictureLeft = 120;
constexpr int kPictureTop = 26;

// Program texts in card bytes, converted once.
struct ConstelTexts {
    std::string terrestrial = EncodeCardText("地上デジタル");
    std::string oneSegment = EncodeCardText("ワンセグ");
    std::string vuCatv = EncodeCardText("ＶＵ・ＣＡＴＶ");
    std::string passThrough = EncodeCardText("BSパススルー");
    std::string bandName = EncodeCardText("バンド名");
    std::string layer = EncodeCardText("階層");
    std::string orLess = EncodeCardText("以下");
    std::string orMore = EncodeCardText("以上");
};

const ConstelTexts& texts()
{
    static const ConstelTexts converted;
    return converted;
}

void chain(Canvas& dc, std::initializer_list<std::pair<int, int>> points)
{
    auto it = points.begin();
    dc.moveTo(it->first, it->second);
    for (++it; it != points.end(); ++it)
        dc.lineTo(it->first, it->second);
}

} // namespace

CConstelScreen::CConstelScreen()
{
    m_nClass = 0;
    m_nSystem = 0;
}

void CConstelScreen::Load(const RecordRow& row, const std::string& imageBase)
{
    m_row.CopyFrom(row);
    m_strImageBase = imageBase;
    Prepare();
}

void CConstelScreen::Prepare()
{
    m_nSystem = IntegerValue(m_row.Column(18));
    PrepareMer();
    m_strCaption = std::string(m_row.Column(1));
    m_strBandName = std::string(m_row.Column(2));
    m_strChannel = std::string(m_row.Column(3));
    m_strModulation = std::string(m_row.Column(8));
    switch (m_nSystem) {
    case 0: m_strSystemLabel = texts().terrestrial; break;
    case 1: m_strSystemLabel = texts().oneSegment; break;
    case 7: m_strSystemLabel = texts().vuCatv; break;
    default: m_strSystemLabel = " "; break;
    }
}

void CConstelScreen::PrepareMer()
{
    m_nMerLimit = 0;
    const std::string_view stored = m_row.Column(20);
    if (stored == "---.-") {
        m_strMer = "--.-";
    } else if (stored == "___._") {
        m_strMer = "__._";
    } else if (stored == "~~~.~") {
        m_strMer = "~~.~";
    } else {
        double v = NumberValue(stored);
        if (v <= 5.0) {
            v = 5.0;
            m_nMerLimit = 1;
        } else if (v >= 30.0) {
            v = 30.0;
            m_nMerLimit = 2;
        }
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "      %3.1f", v);
        const std::string text = buffer;
        m_strMer = text.substr(text.size() - 4);
    }
}

std::string CConstelScreen::ImagePath() const
{
    const std::string_view column0 = m_row.Column(0);
    const std::string_view extension = column0.size() > 3 ? column0.substr(column0.size() - 3) : column0;
    return m_strImageBase + std::string(extension);
}

void CConstelScreen::Draw(Canvas& dc)
{
    ClearScreen(dc);
    const char* layer = m_nSystem == 1 ? "A" : "B";
    if (m_nSystem != 0 && m_nSystem != 1 && m_nSystem != 7)
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
    if (name == texts().passThrough)
        SelectFont(2, dc);
    else
        SelectFont(name.size() > 8 ? 1 : 0, dc);
    dc.textOut(3, 50, name);
    SelectFont(3, dc);
    dc.textOut(4, 28, texts().bandName);
    dc.invertRect(Rect{1, 26, 64, 42});
    chain(dc, {{0, 26}, {106, 26}, {108, 28}, {108, 42}});
    chain(dc, {{110, 26}, {112, 28}, {112, 74}});
}

void CConstelScreen::DrawChannelBox(Canvas& dc)
{
    SelectFont(0, dc);
    dc.textOut(8, 102, m_strChannel);
    SelectFont(3, dc);
    dc.textOut(5, 83, "ch");
    dc.invertRect(Rect{1, 82, 25, 98});
    chain(dc, {{0, 82}, {52, 82}, {54, 84}, {54, 98}});
    chain(dc, {{56, 82}, {58, 84}, {58, 130}});
}

void CConstelScreen::DrawLayerBox(Canvas& dc, const char* layer)
{
    SelectFont(0, dc);
    dc.textOut(80, 106, layer);
    SelectFont(3, dc);
    dc.textOut(68, 83, texts().layer);
    dc.invertRect(Rect{64, 82, 100, 98});
    chain(dc, {{64, 82}, {106, 82}, {108, 84}, {108, 98}});
    chain(dc, {{110, 82}, {112, 84}, {112, 130}});
}

void CConstelScreen::DrawMerBox(Canvas& dc)
{
    SelectFont(4, dc);
    if (m_strMer == "~~.~") {
        dc.textOut(3, 145, "-- -");
        dc.textOut(39, 154, ".");
    } else if (m_strMer == "__._") {
        dc.textOut(3, 170, "-- -");
        dc.textOut(39, 154, ".");
    } else {
        dc.textOut(3, 154, m_strMer);
    }
    SelectFont(3, dc);
    dc.textOut(13, 138, "MER");
    dc.textOut(80, 174, "dB");
    if (m_nMerLimit == 1)
        dc.textOut(80, 156, texts().orLess);
    else if (m_nMerLimit == 2)
        dc.textOut(80, 156, texts().orMore);
    dc.invertRect(Rect{1, 138, 44, 154});
    chain(dc, {{0, 138}, {106, 138}, {108, 140}, {108, 154}});
    chain(dc, {{110, 138}, {112, 140}, {112, 186}});
    if (m_nMerLimit != 0)
        dc.invertRect(Rect{79, 155, 108, 170});
}

void CConstelScreen::DrawPlotSquare(Canvas& dc, bool dottedGrid)
{
    chain(dc, {{124, 26}, {316, 26}, {316, 218}, {124, 218}, {124, 26}});
    chain(dc, {{220, 26}, {220, 218}});
    chain(dc, {{124, 122}, {316, 122}});
    if (!dottedGrid)
        return;
    dc.setPen(kBlack, PenStyle::Dot);
    for (int x : {148, 172, 196, 244, 268, 292})
        chain(dc, {{x, 26}, {x, 218}});
    for (int y : {50, 74, 98, 146, 170, 194})
        chain(dc, {{124, y}, {316, y}});
    dc.setPen(kBlack);
}

void CConstelScreen::DrawDots(Canvas& dc)
{
    // The card comes from a FAT file system: the picture's name may differ in letter case.
    const std::string wanted = ImagePath();
    const std::size_t slash = wanted.rfind('/');
    const std::string path = slash == std::string::npos
        ? FindInFolder(".", wanted)
        : FindInFolder(wanted.substr(0, slash), wanted.substr(slash + 1));
    ReadOnlyFile file;
    FileErrorCause cause;
    if (!file.Open(path, &cause))
        return;
    try {
        for (int c = 0; c < kPictureColumns; ++c) {
            for (int r = 0; r < kPictureRows; ++r) {
                const int byte = file.ReadByte();
                if (byte < 0)
                    return; // the rest of a short picture counts as clear
                for (int b = 7; b >= 0; --b)
                    if (byte & (1 << b))
                        dc.setPixel(kPictureLeft + 8 * c + (7 - b), kPictureTop + r, kBlack);
            }
        }
    } catch (const FileException&) {
        // A read error ends the dots where it happened; the file closes with `file`.
    }
}
