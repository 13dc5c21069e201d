#pragma once

#include <string_view>

// How the screens read numbers and names out of card texts.

// The integer value of a text: leading white space skipped, an optional sign
// and the decimal digits that follow; 0 when there are none. Saturates at the
// limits of int instead of overflowing.
int IntegerValue(std::string_view text);

// The number of a text: a decimal floating-point number with optional
// fraction and exponent after leading white space; 0.0 when the text does not
// start with one ("nan" and "inf" are not numbers here).
double NumberValue(std::string_view text);

// The text without leading and trailing white space.
std::string_view Trim(std::string_view text);
// The text without trailing white space.
std::string_view TrimRight(std::string_view text);
