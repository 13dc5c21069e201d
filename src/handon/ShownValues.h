#pragma once

#include <string>
#include <vector>

class RecordDisplay;

// One value of a drawn screen as text (UTF-8): the label the meter puts
// beside it, the value as displayed without the blanks of its fixed width,
// its unit and the word that marks it ("補正", "以下", "以上"). Values drawn
// as dashes keep the card's own notation: "--.-" not measured, "~~.~" raised
// dashes (over range), "__._" lowered dashes (under range).
struct ShownValue {
    std::string label;
    std::string text;
    std::string unit;
    std::string mark;
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

// The values of the shown screen in the order it draws them, and the lines
// of the summary table. The bars of a multi-channel screen give `channels`:
// every channel's level, labelled "ch" and its name.
struct ShownRecord {
    std::vector<ShownValue> values;
    std::vector<ShownValue> channels;
    std::vector<ShownLine> lines;
};

// What the display's screen shows now; nothing when no screen is shown or
// its system code leaves it blank.
ShownRecord ShownValues(const RecordDisplay& display);
