#include "screens/ValueFormat.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace {

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
    if (stored == kNotMeasuredText)
        return " --.-";
    if (stored == kUnderRangeText)
        return " __._";
    if (stored == kOverRangeText)
        return " ~~.~";
    return {};
}

} // namespace

std::string RightmostOf(const std::string& text, std::size_t keep)
{
    return text.size() <= keep ? text : text.substr(text.size() - keep);
}

std::string FixedForm(double value, int width, int precision, std::size_t keep)
{
    return RightmostOf(Fixed(value, std::max(width, static_cast<int>(keep)), precision), keep);
}

std::string IntegerForm(long long value, std::size_t keep)
{
    std::string text = std::to_string(value);
    if (text.size() < keep)
        text.insert(0, keep - text.size(), ' ');
    return RightmostOf(text, keep);
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
    return {FixedForm(value, 3, 1, 5), mark};
}

std::string FrequencyForm(double megahertz, int recordClass)
{
    if (recordClass == 2 || recordClass == 3)
        return FixedForm(megahertz, 4, 2, 6);
    return IntegerForm(IntegerPart(megahertz), 4);
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
