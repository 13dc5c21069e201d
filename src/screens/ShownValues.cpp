#include "screens/ShownValues.h"

#include "screens/RecordDisplay.h"
#include "screens/CScreen.h"
#include "screens/TextCodec.h"
#include "data/CardText.h"
#include "screens/ValueFormat.h"

std::string ShownText(std::string_view cardBytes)
{
    return DecodeCardText(Trim(cardBytes));
}

std::string ShownLevelText(std::string_view number, ValueState state)
{
    switch (state) {
    case NotMeasured: return "--.-";
    case OverRange: return "~~.~";
    case UnderRange: return "__._";
    default: return ShownText(number);
    }
}

namespace {

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

} // namespace

void ShownList::NewLine(std::string channelNumber)
{
    m_out.lines.emplace_back();
    m_out.lines.back().channelNumber = std::move(channelNumber);
}

void ShownList::Add(std::string label, std::string text, const char* unit, const char* mark)
{
    m_out.values.push_back({std::move(label), std::move(text), unit, mark});
}

void ShownList::Name(bool satellite, const std::string& name)
{
    Line().band = ShownText(name);
    Add(satellite ? "衛星名" : "バンド名", ShownText(name));
}

void ShownList::Channel(const std::string& channel, const std::string& tag)
{
    Line().channel = ShownText(channel);
    std::string text = ShownText(channel);
    if (!Trim(tag).empty())
        text += "  " + ShownText(tag);
    Add("ch", text);
}

void ShownList::Frequency(const std::string& frequency)
{
    Line().frequency = TableValueOf(ShownText(frequency)).number;
    Add("周波数", ShownText(frequency), "MHz");
}

void ShownList::Level(const std::string& text, ValueState state, bool correction)
{
    Line().level = TableValueOf(ShownLevelText(text, state));
    Add("ﾚﾍﾞﾙ", ShownLevelText(text, state), "dBμ", correction ? "補正" : "");
    m_out.values.back().state = state;
}

void ShownList::Cn(const std::string& text, int limitMark)
{
    Limited(Line().cn, "C/N", text, limitMark);
}

void ShownList::Mer(const std::string& text, int limitMark)
{
    Limited(Line().mer, "MER", text, limitMark);
}

// A clamped value keeps its limit word: "5.0" with "以下" is what the meter
// says, "5.0" alone would not be.
void ShownList::Limited(TableValue& value, const char* label, const std::string& text, int limitMark)
{
    const std::string word = LimitWord(limitMark);
    value = TableValueOf(ShownText(text));
    if (!word.empty() && !value.number.empty())
        value.state = word;
    Add(label, ShownText(text), "dB", word.c_str());
}

void ShownList::Ber(const std::string& text)
{
    Line().ber = TableValueOf(ShownText(text));
    Add("BER", ShownText(text));
}

void ShownList::ModulationFooter(const CScreen& s)
{
    Add("変調方式", ShownText(s.m_strModulation));
}

void ShownList::ConverterFooter(const CScreen& s)
{
    const bool shown = !s.m_strConverter.starts_with("*");
    Add("ｺﾝﾊﾞｰﾀｰ", shown ? ShownText(s.m_strConverter) : "", shown ? "GHz" : "");
}

void ShownList::ChannelBar(int n, const std::string& band, const std::string& channel, const std::string& frequency,
                           const std::string& level, ValueState state, bool correction)
{
    m_out.channels.push_back({"ch " + ShownText(channel), level, "dBμ", correction ? "補" : "", state});
    NewLine(std::to_string(n));
    ShownLine& line = m_out.lines.back();
    line.band = ShownText(band);
    line.channel = ShownText(channel);
    line.frequency = TableValueOf(ShownText(frequency)).number;
    line.level = TableValueOf(level);
}

ShownLine& ShownList::Line()
{
    if (m_out.lines.empty())
        m_out.lines.emplace_back();
    return m_out.lines.back();
}

ShownRecord ShownValues(const RecordDisplay& display)
{
    const CScreen* screen = display.ShownScreen();
    return screen ? screen->Shown() : ShownRecord{};
}
