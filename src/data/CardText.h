#pragma once

#include "data/ValueState.h"

#include <string>
#include <string_view>

// The rules by which the viewer reads the card's texts: numbers, blanks,
// the meter's placeholders and name comparison. Every layer reads card text
// through these, so a rule holds the same everywhere. The bytes are the
// card's own; only ASCII characters take part in these rules.

// The blanks trimmed from card texts: space, \t, \n, \v, \f and \r.
inline constexpr std::string_view kBlanks = " \t\n\v\f\r";

std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
// Without leading and trailing blanks.
std::string_view Trim(std::string_view text);

// The atoi rule: leading blanks, an optional sign, decimal digits up to the
// first other byte; 0 when there are none. Values beyond int saturate.
int IntegerValue(std::string_view text);
// The atof rule: leading blanks, then a decimal number with optional sign,
// fraction and exponent; 0.0 when the text does not start with one. Numbers
// are read the same way whatever the process locale.
double NumberValue(std::string_view text);

// What the meter writes in place of a value it could not give.
inline constexpr std::string_view kNotMeasuredText = "---.-";
inline constexpr std::string_view kOverRangeText = "~~~.~";
inline constexpr std::string_view kUnderRangeText = "___._";
// The state a stored value stands for, by exact comparison with the
// placeholders: Normal for anything else.
ValueState PlaceholderState(std::string_view stored);

// The correction flag of a correction column: on unless the trimmed text is
// exactly "OFF" (the empty text is on).
bool CorrectionOn(std::string_view column);

// The one case rule for names on a card and the names we write: ASCII
// letters compare without regard to case, every other byte exactly (as FAT
// matches names).
// `text` with its ASCII capitals made small.
std::string LowerAscii(std::string_view text);
bool EqualIgnoringCase(std::string_view a, std::string_view b);
// Order without regard to ASCII case; texts equal that way fall back to the
// byte order, so the order is total.
bool LessIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);
