#include "screens/ValueFormat.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

std::string_view SkipLeadingBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string RightmostOf(const std::string& text, std::size_t count)
{
    return text.size() <= count ? text : text.substr(text.size() - count);
}

// printf's "%<width>.<precision>f" without the locale's decimal point.
std::string Fixed(double value, int width, int precision)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, precision);
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

// Out of int range and NaN saturate instead of being undefined.
int IntegerPart(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

std::string_view PlaceholderDisplay(std::string_view stored)
{
    if (stored == "---.-")
        return " --.-";
    if (stored == "___._")
        return " __._";
    if (stored == "~~~.~")
        return " ~~.~";
    return {};
}

} // namespace

std::string_view Trim(std::string_view text)
{
    text = SkipLeadingBlanks(text);
    return TrimRight(text);
}

std::string_view TrimRight(std::string_view text)
{
    const auto last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

int IntegerValue(std::string_view text)
{
    text = SkipLeadingBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(value * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    value = negative ? -value : std::min(value, static_cast<long long>(INT_MAX));
    return static_cast<int>(value);
}

double NumberValue(std::string_view text)
{
    text = SkipLeadingBlanks(text);
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-')
            return 0.0;
    }
    // Only digits make a number: the words "inf" and "nan" read as 0.0 like
    // any other text.
    const std::string_view digits = !text.empty() && text[0] == '-' ? text.substr(1) : text;
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (digits.empty() || !(isDigit(digits[0]) ||
                            (digits[0] == '.' && digits.size() > 1 && isDigit(digits[1]))))
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

int RecordClass(const RecordRow& row)
{
    const int stated = IntegerValue(row.Column(12));
    if (stated >= 1 && stated <= 3)
        return stated;
    const int hint = IntegerValue(row.Column(11));
    if (hint < 26)
        return 1;
    return hint < 43 ? 2 : 3;
}

std::string OneDecimalForm(std::string_view stored)
{
    return OneDecimalForm(stored, std::nullopt).text;
}

LimitedText OneDecimalForm(std::string_view stored, const std::optional<DisplayLimits>& limits)
{
    const std::string_view placeholder = PlaceholderDisplay(stored);
    if (!placeholder.empty())
        return {std::string(placeholder), NoLimit};
    double value = NumberValue(stored);
    int mark = NoLimit;
    if (limits && value <= limits->lower) {
        value = limits->lower;
        mark = AtOrBelowLower;
    } else if (limits && value >= limits->upper) {
        value = limits->upper;
        mark = AtOrAboveUpper;
    }
    return {RightmostOf("      " + Fixed(value, 3, 1), 5), mark};
}

std::string FrequencyForm(double megahertz, int recordClass)
{
    if (recordClass == 2 || recordClass == 3)
        return RightmostOf("      " + Fixed(megahertz, 4, 2), 6);
    return RightmostOf("    " + std::to_string(IntegerPart(megahertz)), 4);
}

int CorrectionFlag(std::string_view column)
{
    return Trim(column) == "OFF" ? 0 : 1;
}

std::optional<DisplayLimits> BerScreenCnLimits(int system, std::string_view bandName)
{
    switch (system) {
    case 0:
    case 7:
        return DisplayLimits{5.0, 30.0};
    case 2:
    case 3:
        return DisplayLimits{5.0, 25.0};
    case 9: {
        const std::string_view name = Trim(bandName);
        if (name == "BS" || name == "N-SAT110" || name == "JCSAT-3A" || name == "JCSAT-4A")
            return DisplayLimits{5.0, 25.0};
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<DisplayLimits> BerScreenMerLimits(int system)
{
    if (system == 1)
        return DisplayLimits{5.0, 30.0};
    if (system == 7)
        return DisplayLimits{20.0, 35.0};
    return std::nullopt;
}

ModulationCorrections DefaultModulationCorrections()
{
    return {{"Analog V", "3.0"}, {"Analog A", "0"}, {"OFDM", "5.0"}, {"64QAM", "4.7"},
            {"FM", "0"},         {"NO", "0"},       {"TC8PSK", "11.4"}};
}

double InputLevel(const RecordRow& row, int recordClass, const ModulationCorrections& table,
                  LevelColumns columns)
{
    const double level = NumberValue(row.Column(columns.level));
    const double correction = NumberValue(row.Column(columns.correction));
    double modulation = 0.0;
    if (recordClass == 2 || recordClass == 3) {
        const auto found = table.find(std::string(TrimRight(row.Column(8))));
        if (found != table.end())
            modulation = NumberValue(found->second);
    }
    return (level - modulation) - correction;
}

ValueState LevelState(const RecordRow& row, int recordClass, const ModulationCorrections& table,
                      LevelColumns columns)
{
    const double limit = (recordClass == 2 || recordClass == 3) ? 120.1 : 105.0;
    if (InputLevel(row, recordClass, table, columns) >= limit)
        return OverRange;
    return row.ColumnState(columns.level);
}
