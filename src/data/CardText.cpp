#include "data/CardText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>

namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string_view TrimLeft(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view TrimRight(std::string_view text)
{
    const auto last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view Trim(std::string_view text)
{
    return TrimRight(TrimLeft(text));
}

int IntegerValue(std::string_view text)
{
    text = TrimLeft(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        value = std::min(value * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    value = negative ? -value : std::min(value, static_cast<long long>(INT_MAX));
    return static_cast<int>(value);
}

double NumberValue(std::string_view text)
{
    text = TrimLeft(text);
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-')
            return 0.0;
    }
    // Only digits make a number: the words "inf" and "nan" read as 0.0 like
    // any other text.
    const std::string_view digits = !text.empty() && text[0] == '-' ? text.substr(1) : text;
    if (digits.empty() || !(IsDigit(digits[0]) ||
                            (digits[0] == '.' && digits.size() > 1 && IsDigit(digits[1]))))
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool tiny = text.find("e-") != std::string_view::npos
                          || text.find("E-") != std::string_view::npos;
        const double huge = std::numeric_limits<double>::infinity();
        return tiny ? 0.0 : (text[0] == '-' ? -huge : huge);
    }
    return result.ec == std::errc() ? value : 0.0;
}

ValueState PlaceholderState(std::string_view stored)
{
    if (stored == kNotMeasuredText)
        return NotMeasured;
    if (stored == kOverRangeText)
        return OverRange;
    if (stored == kUnderRangeText)
        return UnderRange;
    return Normal;
}

bool CorrectionOn(std::string_view column)
{
    return Trim(column) != "OFF";
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = LowerAscii(c);
    return lower;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool LessIgnoringCase(std::string_view a, std::string_view b)
{
    const auto cmp = std::lexicographical_compare_three_way(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(LowerAscii(x)) <=>
                   static_cast<unsigned char>(LowerAscii(y));
        });
    if (cmp != 0)
        return cmp < 0;
    return a < b;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size()
           && EqualIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}
