#pragma once

#include "data/ValueState.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CScreen;
class RecordDisplay;

// One value of a drawn screen as text (UTF-8): the label the meter puts
// beside it, the value as displayed without the blanks of its fixed width,
// its unit and the word that marks it ("補正", "以下", "以上"). Values drawn
// as dashes keep the card's own notation: "--.-" not measured, "~~.~" raised
// dashes (over range), "__._" lowered dashes (under range); `state` says
// the same of a level.
struct ShownValue {
    std::string label;
    std::string text;
    std::string unit;
    std::string mark;
    ValueState state = Normal;
};

// A value of the summary table: a plain number, or nothing where the meter
// shows none, and the notation that stands in its place or qualifies it
// ("未測定", "範囲超過", "範囲未満", "以上", "以下"); a text that is neither
// a number nor a notation goes into `state` as it is.
struct TableValue {
    std::string number;
    std::string state;
};

// One line of the summary table: one channel of the record. A multi-channel
// record has a line per channel (`channelNumber` 1 to N), a satellite pay-TV
// record one per row (1 and 2), the others one without a number.
struct ShownLine {
    std::string channelNumber;
    std::string band;
    std::string channel;
    std::string frequency; // a plain number or nothing
    TableValue level;
    TableValue cn;
    TableValue mer;
    TableValue ber;
};

// The graph of a multi-channel screen as it stands: the figures at the top
// and the bottom of its dB scale as printed beside the grid, and the channels
// under the ▲ cursor and the △ reference (0 while no reference is set).
struct ShownGraph {
    std::string top;
    std::string bottom;
    int cursor = 0;
    int reference = 0;
};

// The values of the shown screen in the order it draws them, and the lines
// of the summary table. The bars of a multi-channel screen give `channels`:
// every channel's level, labelled "ch" and its name, and `graph` where the
// scale and the markers stand.
struct ShownRecord {
    std::vector<ShownValue> values;
    std::vector<ShownValue> channels;
    std::vector<ShownLine> lines;
    std::optional<ShownGraph> graph;
};

// What the display's screen shows now, as its screen lists it; nothing when
// no screen is shown or its system code leaves it blank. Known as soon as a
// record is selected (and after every key): no drawing is needed first.
ShownRecord ShownValues(const RecordDisplay& display);

// A card text as shown: decoded to UTF-8 without its blanks.
std::string ShownText(std::string_view cardBytes);
// A level as shown: its state decides whether the number or dashes stand.
std::string ShownLevelText(std::string_view number, ValueState state);

// How a screen lists its values: in drawing order, filling the summary's
// lines on the way.
class ShownList {
public:
    explicit ShownList(ShownRecord& out) : m_out(out) {}

    // The values after this go into a summary line of their own.
    void NewLine(std::string channelNumber);
    void Add(std::string label, std::string text, const char* unit = "", const char* mark = "");
    void Name(bool satellite, const std::string& name);
    void Channel(const std::string& channel, const std::string& tag = {});
    void Frequency(const std::string& frequency);
    void Level(const std::string& text, ValueState state, bool correction);
    void Cn(const std::string& text, int limitMark);
    void Mer(const std::string& text, int limitMark);
    void Ber(const std::string& text);
    void ModulationFooter(const CScreen& s);
    void ConverterFooter(const CScreen& s);
    // A multi-channel record: one bar and one summary line for channel n.
    void ChannelBar(int n, const std::string& band, const std::string& channel, const std::string& frequency,
                    const std::string& level, ValueState state, bool correction);

private:
    ShownLine& Line();
    void Limited(TableValue& value, const char* label, const std::string& text, int limitMark);

    ShownRecord& m_out;
};
