#include "cli/ScreenFields.h"

#include "cli/Json.h"
#include "cli/ScanOutput.h"
#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"

#include <charconv>
#include <cmath>

namespace {

// Members in the order they are added, as one JSON object.
class FieldList {
public:
    void Text(const char* name, const std::string& cardBytes) { Raw(name, JsonString(DecodeCardText(cardBytes))); }
    void Int(const char* name, int value) { Raw(name, std::to_string(value)); }
    void Double(const char* name, double value) { Raw(name, DoubleJson(value)); }
    void Row(const char* name, const RecordRow& row) { Raw(name, RecordRowJson(row)); }
    void Raw(const char* name, const std::string& json)
    {
        m_out += (m_out.empty() ? "{" : ", ") + JsonString(name) + ": " + json;
    }
    std::string Json() const { return m_out.empty() ? "{}" : m_out + "}"; }

    // The shortest text that reads back as the same double; null when not finite.
    static std::string DoubleJson(double value)
    {
        if (!std::isfinite(value))
            return "null";
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }

private:
    std::string m_out;
};

void AddBaseFields(FieldList& f, const CScreen& s)
{
    f.Text("m_strBandName", s.m_strBandName);
    f.Text("m_strSystemLabel", s.m_strSystemLabel);
    f.Text("m_strCaption", s.m_strCaption);
    f.Int("m_nClass", s.m_nClass);
    f.Text("m_strConverter", s.m_strConverter);
    f.Text("m_strModulation", s.m_strModulation);
    f.Int("m_nClassHint", s.m_nClassHint);
    f.Int("m_nSystem", s.m_nSystem);
    f.Text("m_strBandName2", s.m_strBandName2);
    f.Text("m_strModulation2", s.m_strModulation2);
}

void AddLevelFields(FieldList& f, const CLevelScreen& s)
{
    f.Row("m_row", s.m_row);
    f.Text("m_strChannel", s.m_strChannel);
    f.Text("m_strLevel", s.m_strLevel);
    f.Text("m_strFrequency", s.m_strFrequency);
    f.Text("m_strCn", s.m_strCn);
    f.Int("m_bCorrection", s.m_bCorrection);
    f.Int("levelState", s.LevelState(s.m_row, s.m_nClass));
}

void AddBerFields(FieldList& f, const CBerScreen& s)
{
    f.Row("m_row", s.m_row);
    f.Text("m_strChannel", s.m_strChannel);
    f.Text("m_strFrequency", s.m_strFrequency);
    f.Text("m_strCn", s.m_strCn);
    f.Text("m_strBer", s.m_strBer);
    f.Text("m_strMer", s.m_strMer);
    f.Int("m_nCnLimit", s.m_nCnLimit);
    f.Int("m_nMerLimit", s.m_nMerLimit);
}

void AddSkyFields(FieldList& f, const CSkyScreen& s)
{
    f.Row("m_row", s.m_row);
    f.Text("m_strChannel", s.m_strChannel);
    f.Text("m_strLevel", s.m_strLevel);
    f.Text("m_strCn", s.m_strCn);
    f.Text("m_strBer", s.m_strBer);
    f.Int("m_bCorrection", s.m_bCorrection);
    f.Int("m_nCnLimit", s.m_nCnLimit);
    f.Text("m_strChannel2", s.m_strChannel2);
    f.Text("m_strLevel2", s.m_strLevel2);
    f.Text("m_strCn2", s.m_strCn2);
    f.Text("m_strBer2", s.m_strBer2);
    f.Int("m_bCorrection2", s.m_bCorrection2);
    f.Int("m_nCnLimit2", s.m_nCnLimit2);
    f.Int("levelState", s.LevelState(s.m_row, s.m_nClass));
    f.Int("levelState2", s.LevelState2(s.m_row, s.m_nClass));
}

void AddConstelFields(FieldList& f, const CConstelScreen& s)
{
    f.Row("m_row", s.m_row);
    f.Text("m_strChannel", s.m_strChannel);
    f.Text("m_strMer", s.m_strMer);
    f.Int("m_nMerLimit", s.m_nMerLimit);
    f.Raw("m_strPicturePath", JsonString(s.m_strPicturePath)); // a path, not card text
}

template <typename Value>
std::string ChannelArray(int channels, Value value)
{
    std::string out = "[";
    for (int n = 1; n <= channels; ++n)
        out += (n > 1 ? ", " : "") + value(n);
    return out + "]";
}

void AddMultiFields(FieldList& f, const CMultiScreen& s)
{
    std::string rows = "[";
    for (std::size_t i = 0; i < s.m_channels.size(); ++i)
        rows += (i ? ", " : "") + RecordRowJson(s.m_channels[i]);
    f.Raw("m_channels", rows + "]");
    f.Int("m_nChannels", s.m_nChannels);
    f.Int("m_nRange", s.m_nRange);
    f.Int("m_nStep", s.m_nStep);
    f.Int("m_nSpan", s.m_nSpan);
    f.Int("m_nHalfSpan", s.m_nHalfSpan);
    f.Int("m_nTop", s.m_nTop);
    f.Int("m_nBottom", s.m_nBottom);
    f.Int("m_nTopMax", s.m_nTopMax);
    f.Int("m_nBottomMin", s.m_nBottomMin);
    f.Int("m_nBarWidth", s.m_nBarWidth);
    f.Int("m_nBarGap", s.m_nBarGap);
    f.Int("m_nCursor", s.m_nCursor);
    f.Int("m_nReference", s.m_nReference);
    const int n = s.m_nChannels;
    f.Raw("m_dLevel", ChannelArray(n, [&](int i) { return FieldList::DoubleJson(s.LevelOf(i)); }));
    f.Raw("m_nState", ChannelArray(n, [&](int i) { return std::to_string(s.StateOf(i)); }));
    f.Raw("m_bCorrection", ChannelArray(n, [&](int i) { return std::to_string(s.CorrectionOf(i)); }));
    f.Double("m_dCursorLevel", s.m_dCursorLevel);
    f.Text("m_strChannelName", s.m_strChannelName);
}

} // namespace

std::string ScreenFieldsJson(const RecordDisplay& display)
{
    FieldList f;
    switch (display.ScreenId()) {
    case 1:
        AddBaseFields(f, display.m_levelScreen);
        AddLevelFields(f, display.m_levelScreen);
        break;
    case 2:
        AddBaseFields(f, display.m_berScreen);
        AddBerFields(f, display.m_berScreen);
        break;
    case 3:
        AddBaseFields(f, display.m_skyScreen);
        AddSkyFields(f, display.m_skyScreen);
        break;
    case 4:
        AddBaseFields(f, display.m_constelScreen);
        AddConstelFields(f, display.m_constelScreen);
        break;
    case 5:
        AddBaseFields(f, display.m_multiScreen);
        AddMultiFields(f, display.m_multiScreen);
        break;
    default:
        break;
    }
    return f.Json();
}
