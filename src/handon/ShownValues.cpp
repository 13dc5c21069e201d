#include "handon/ShownValues.h"

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

// A plain decimal number as a spreadsheet reads one: an optional minus, digits,
// an optional fraction and an optional exponent ("63.5", "-3.2", "1.0E-8").
bool IsPlainNumber(std::string_view text)
{
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i > start;
    };
    if (!digits())
        return false;
    if (i < text.size() && text[i] == '.' && (++i, !digits()))
        return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        if (!digits())
            return false;
    }
    return i == text.size();
}

bool OnlyOf(std::string_view text, std::string_view characters)
{
    return text.find_first_not_of(characters) == std::string_view::npos;
}

// A value as the screen shows it, split into the number and its notation:
// the dash forms of levels and BER ("--.-", "~.~~~~~", ...) name a state.
TableValue TableValueOf(const std::string& shown)
{
    if (shown.empty())
        return {};
    if (IsPlainNumber(shown))
        return {shown, ""};
    if (OnlyOf(shown, "-."))
        return {"", "未測定"};
    if (OnlyOf(shown, "~."))
        return {"", "範囲超過"};
    if (OnlyOf(shown, "_."))
        return {"", "範囲未満"};
    return {"", shown};
}

// Adds values in drawing order and fills the summary's lines on the way.
class ShownList {
public:
    explicit ShownList(ShownRecord& out) : m_out(out) {}

    // The values after this go into a summary line of their own.
    void NewLine(std::string channelNumber)
    {
        m_out.lines.emplace_back();
        m_out.lines.back().channelNumber = std::move(channelNumber);
    }
    void Add(std::string label, std::string text, const char* unit = "", const char* mark = "")
    {
        m_out.values.push_back({std::move(label), std::move(text), unit, mark});
    }
    void Name(bool satellite, const std::string& name)
    {
        Line().band = Shown(name);
        Add(satellite ? "衛星名" : "バンド名", Shown(name));
    }
    void Channel(const std::string& channel, const std::string& tag = {})
    {
        Line().channel = Shown(channel);
        std::string text = Shown(channel);
        if (!Trim(tag).empty())
            text += "  " + Shown(tag);
        m_out.values.push_back({"ch", text, "", ""});
    }
    void Frequency(const std::string& frequency)
    {
        Line().frequency = TableValueOf(Shown(frequency)).number;
        Add("周波数", Shown(frequency), "MHz");
    }
    void Level(const std::string& text, ValueState state, bool correction)
    {
        Line().level = TableValueOf(LevelText(text, state));
        Add("ﾚﾍﾞﾙ", LevelText(text, state), "dBμ", correction ? "補正" : "");
    }
    void Cn(const std::string& text, int limitMark) { Limited(Line().cn, "C/N", text, limitMark); }
    void Mer(const std::string& text, int limitMark) { Limited(Line().mer, "MER", text, limitMark); }
    // A clamped value keeps its limit word: "5.0" with "以下" is what the
    // meter says, "5.0" alone would not be.
    void Limited(TableValue& value, const char* label, const std::string& text, int limitMark)
    {
        const std::string word = LimitWord(limitMark);
        value = TableValueOf(Shown(text));
        if (!word.empty() && !value.number.empty())
            value.state = word;
        Add(label, Shown(text), "dB", word.c_str());
    }
    void Ber(const std::string& text)
    {
        Line().ber = TableValueOf(Shown(text));
        Add("BER", Shown(text));
    }
    void ModulationFooter(const CScreen& s) { Add("変調方式", Shown(s.m_strModulation)); }
    void ConverterFooter(const CScreen& s)
    {
        const bool shown = !s.m_strConverter.starts_with("*");
        Add("ｺﾝﾊﾞｰﾀｰ", shown ? Shown(s.m_strConverter) : "", shown ? "GHz" : "");
    }

private:
    ShownLine& Line()
    {
        if (m_out.lines.empty())
            m_out.lines.emplace_back();
        return m_out.lines.back();
    }

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
        list.NewLine(std::to_string(row + 1));
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
    list.Add("階層", layer);
    list.Mer(s.m_strMer, s.m_nMerLimit);
    list.ModulationFooter(s);
}

void AddMulti(ShownList& list, ShownRecord& out, const CMultiScreen& s)
{
    list.Add(s.IsSatelliteGroup() ? "衛星名" : "バンド名", Shown(s.m_strBandName));
    list.Channel(s.m_strChannelName);
    const CMultiScreen::LevelReadout readout = s.Readout();
    const bool difference = s.m_nReference != -1;
    list.Add(difference ? "Δﾚﾍﾞﾙ" : "ﾚﾍﾞﾙ", LevelText(readout.text, readout.state), "dBμ",
             s.CorrectionOf(s.m_nCursor) ? "補" : "");
    if (s.IsSatelliteGroup())
        list.ConverterFooter(s);
    else
        list.ModulationFooter(s);
    out.lines.clear(); // the summary has a line per channel instead of the cursor's
    // The bars: one level for every channel that has a row.
    for (int n = 1; n <= s.m_nChannels && n <= CMultiScreen::kMaxChannels; ++n) {
        const RecordRow* row = s.ChannelRow(n);
        if (!row)
            continue;
        const std::string level = LevelText(CMultiScreen::ReadoutNumber(s.LevelOf(n)), s.StateOf(n));
        out.channels.push_back({"ch " + Shown(row->Column(3)), level, "dBμ", s.CorrectionOf(n) ? "補" : ""});
        list.NewLine(std::to_string(n));
        ShownLine& line = out.lines.back();
        line.band = Shown(s.m_strBandName);
        line.channel = Shown(row->Column(3));
        line.frequency = TableValueOf(Shown(row->Column(5))).number;
        line.level = TableValueOf(level);
    }
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
