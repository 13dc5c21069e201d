#include "cli/ShownValues.h"

#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"
#include "data/CardText.h"
#include "screens/ValueFormat.h"

namespace {

std::string Shown(std::string_view cardBytes)
{
    return DecodeCardText(Trim(cardBytes));
}

// A level: its state decides whether the number or dashes are drawn.
std::string LevelText(std::string_view number, ValueState state)
{
    switch (state) {
    case NotMeasured: return "--.-";
    case OverRange: return "~~.~";
    case UnderRange: return "__._";
    default: return Shown(number);
    }
}

const char* LimitWord(int limitMark)
{
    return limitMark == AtOrBelowLower ? "以下" : limitMark == AtOrAboveUpper ? "以上" : "";
}

// Adds values in drawing order and fills the summary's columns on the way.
class ShownList {
public:
    explicit ShownList(ShownRecord& out) : m_out(out) {}

    void Add(std::string* column, std::string label, std::string text, const char* unit = "",
             const char* mark = "")
    {
        if (column)
            *column += (column->empty() ? "" : " / ") + text;
        m_out.values.push_back({std::move(label), std::move(text), unit, mark});
    }
    void Name(bool satellite, const std::string& name)
    {
        Add(&m_out.band, satellite ? "衛星名" : "バンド名", Shown(name));
    }
    void Channel(const std::string& channel, const std::string& tag = {})
    {
        m_out.channel += (m_out.channel.empty() ? "" : " / ") + Shown(channel);
        std::string text = Shown(channel);
        if (!Trim(tag).empty())
            text += "  " + Shown(tag);
        m_out.values.push_back({"ch", text, "", ""});
    }
    void Frequency(const std::string& frequency) { Add(&m_out.frequency, "周波数", Shown(frequency), "MHz"); }
    void Level(const std::string& text, ValueState state, bool correction)
    {
        Add(&m_out.level, "ﾚﾍﾞﾙ", LevelText(text, state), "dBμ", correction ? "補正" : "");
    }
    void Cn(const std::string& text, int limitMark) { Limited(&m_out.cn, "C/N", text, limitMark); }
    void Mer(const std::string& text, int limitMark) { Limited(&m_out.mer, "MER", text, limitMark); }
    // A clamped value keeps its limit word in the summary too: "5.0 以下" is
    // what the meter says, "5.0" alone would not be.
    void Limited(std::string* column, const char* label, const std::string& text, int limitMark)
    {
        const std::string word = LimitWord(limitMark);
        *column += (column->empty() ? "" : " / ") + Shown(text) + (word.empty() ? "" : " " + word);
        Add(nullptr, label, Shown(text), "dB", word.c_str());
    }
    void Ber(const std::string& text) { Add(&m_out.ber, "BER", Shown(text)); }
    void ModulationFooter(const CScreen& s) { Add(nullptr, "変調方式", Shown(s.m_strModulation)); }
    void ConverterFooter(const CScreen& s)
    {
        const bool shown = !s.m_strConverter.starts_with("*");
        Add(nullptr, "ｺﾝﾊﾞｰﾀｰ", shown ? Shown(s.m_strConverter) : "", shown ? "GHz" : "");
    }

private:
    ShownRecord& m_out;
};

void AddLevel(ShownList& list, const CLevelScreen& s)
{
    const LevelLayout layout = s.Layout();
    if (layout == LevelLayout::None)
        return;
    const bool satellite = layout != LevelLayout::Terrestrial;
    list.Name(satellite, s.m_strBandName);
    list.Channel(s.m_strChannel, satellite ? s.m_strModulation : std::string());
    list.Frequency(s.m_strFrequency);
    list.Level(s.m_strLevel, s.LevelState(s.m_row, s.m_nClass), s.m_bCorrection != 0);
    if (layout == LevelLayout::SatelliteWithCn)
        list.Cn(s.m_strCn, NoLimit);
    if (satellite)
        list.ConverterFooter(s);
    else
        list.ModulationFooter(s);
}

void AddBer(ShownList& list, const CBerScreen& s)
{
    const BerLayout layout = s.Layout();
    if (layout == BerLayout::None)
        return;
    const bool satellite = layout == BerLayout::Satellite;
    list.Name(satellite, s.m_strBandName);
    list.Channel(s.m_strChannel, satellite ? s.m_strModulation : std::string());
    list.Frequency(s.m_strFrequency);
    list.Ber(s.m_strBer);
    if (!satellite && s.ShowsMer())
        list.Mer(s.m_strMer, s.m_nMerLimit);
    else
        list.Cn(s.m_strCn, s.m_nCnLimit);
    if (satellite)
        list.ConverterFooter(s);
    else
        list.ModulationFooter(s);
}

void AddSky(ShownList& list, const CSkyScreen& s)
{
    const SkyQuantity quantity = s.Quantity();
    if (quantity == SkyQuantity::None)
        return;
    for (int row = 0; row < 2; ++row) {
        const bool a = row == 0;
        list.Name(true, a ? s.m_strBandName : s.m_strBandName2);
        list.Channel(a ? s.m_strChannel : s.m_strChannel2, a ? s.m_strModulation : s.m_strModulation2);
        if (quantity == SkyQuantity::Levels)
            list.Level(a ? s.m_strLevel : s.m_strLevel2,
                       a ? s.LevelState(s.m_row, s.m_nClass) : s.LevelState2(s.m_row, s.m_nClass),
                       (a ? s.m_bCorrection : s.m_bCorrection2) != 0);
        else if (quantity == SkyQuantity::Bers)
            list.Ber(a ? s.m_strBer : s.m_strBer2);
        else
            list.Cn(a ? s.m_strCn : s.m_strCn2, a ? s.m_nCnLimit : s.m_nCnLimit2);
    }
    list.ConverterFooter(s);
}

void AddConstel(ShownList& list, const CConstelScreen& s)
{
    const char* layer = s.LayerLetter();
    if (!layer)
        return;
    list.Name(false, s.m_strBandName);
    list.Channel(s.m_strChannel);
    list.Add(nullptr, "階層", layer);
    list.Mer(s.m_strMer, s.m_nMerLimit);
    list.ModulationFooter(s);
}

void AddMulti(ShownList& list, ShownRecord& out, const CMultiScreen& s)
{
    list.Add(&out.band, s.IsSatelliteGroup() ? "衛星名" : "バンド名", Shown(s.m_strBandName));
    list.Channel(s.m_strChannelName);
    const CMultiScreen::LevelReadout readout = s.Readout();
    const bool difference = s.m_nReference != -1;
    list.Add(&out.level, difference ? "Δﾚﾍﾞﾙ" : "ﾚﾍﾞﾙ", LevelText(readout.text, readout.state), "dBμ",
             s.CorrectionOf(s.m_nCursor) ? "補" : "");
    if (s.IsSatelliteGroup())
        list.ConverterFooter(s);
    else
        list.ModulationFooter(s);
    // The bars: one level for every channel that has a row.
    for (int n = 1; n <= s.m_nChannels && n <= CMultiScreen::kMaxChannels; ++n)
        if (const RecordRow* row = s.ChannelRow(n))
            out.channels.push_back({"ch " + Shown(row->Column(3)),
                                    LevelText(CMultiScreen::ReadoutNumber(s.LevelOf(n)), s.StateOf(n)), "dBμ",
                                    s.CorrectionOf(n) ? "補" : ""});
}

} // namespace

ShownRecord ShownValues(const RecordDisplay& display)
{
    ShownRecord out;
    ShownList list(out);
    switch (display.ScreenId()) {
    case 1: AddLevel(list, display.m_levelScreen); break;
    case 2: AddBer(list, display.m_berScreen); break;
    case 3: AddSky(list, display.m_skyScreen); break;
    case 4: AddConstel(list, display.m_constelScreen); break;
    case 5: AddMulti(list, out, display.m_multiScreen); break;
    default: break;
    }
    return out;
}
