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

// The values of the shown screen in the order it draws them, and the ones a
// summary line holds (empty where the screen shows none; the two rows of a
// satellite pay-TV record joined by " / ", a clamped C/N or MER followed by
// its limit word). The bars of a multi-channel
// screen give `channels`: every channel's level, labelled "ch" and its name.
struct ShownRecord {
    std::vector<ShownValue> values;
    std::vector<ShownValue> channels;
    std::string band;
    std::string channel;
    std::string frequency;
    std::string level;
    std::string cn;
    std::string mer;
    std::string ber;
};

// What the display's screen shows now; nothing when no screen is shown or
// its system code leaves it blank.
ShownRecord ShownValues(const RecordDisplay& display);
