#pragma once

#include "data/CardText.h"
#include "data/RecordRow.h"
#include "data/ValueState.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

// How the meter's stored values become the texts and states on its screens:
// record class, the fixed-width forms, display limits with
// their marks and the over-range test of a level.
// Numbers are printed the same way whatever the process locale.
// Rounding follows the exact binary value of the number; a value exactly
// half-way (0.25, 0.75, ...) goes to the even digit, as the C library's
// printf does here.

// 1, 2 or 3: column 12 when it holds one of these, else from column 11
// (below 26: 1, below 43: 2, else 3).
int RecordClass(const RecordRow& row);

// Limit marks beside a C/N or MER text.
enum LimitMark { NoLimit = 0, AtOrBelowLower = 1, AtOrAboveUpper = 2 };

struct DisplayLimits {
    double lower;
    double upper;
};

struct LimitedText {
    std::string text;
    int limitMark = NoLimit;
};

// The last `keep` characters of `text` (all of it when shorter).
std::string RightmostOf(const std::string& text, std::size_t keep);
// printf's "%<width>.<precision>f" (without the locale's decimal point),
// right-aligned in `keep` characters and cut to its rightmost `keep`.
std::string FixedForm(double value, int width, int precision, std::size_t keep);
// printf's "%d" right-aligned in `keep` characters and cut to its rightmost `keep`.
std::string IntegerForm(long long value, std::size_t keep);

// Levels, C/N and MER: the placeholders "---.-", "___._", "~~~.~" become
// " --.-", " __._", " ~~.~"; a number is printed "      %3.1f" and cut to its
// rightmost five characters.
std::string OneDecimalForm(std::string_view stored);
// The same after clamping a number to the limits (inclusive, lower first).
LimitedText OneDecimalForm(std::string_view stored, const std::optional<DisplayLimits>& limits);

// Column 5's number: class 1 the integer part as "    %d", rightmost four
// characters; classes 2 and 3 "      %4.2f", rightmost six. An integer part
// beyond int saturates (and NaN reads as 0) rather than being undefined.
std::string FrequencyForm(double megahertz, int recordClass);

// Display limits of the BER screen's C/N (column 2 is the satellite name)
// and MER, and of both SKY C/N values.
std::optional<DisplayLimits> BerScreenCnLimits(int system, std::string_view bandName);
std::optional<DisplayLimits> BerScreenMerLimits(int system);
constexpr DisplayLimits kSkyCnLimits{5.0, 25.0};

// Modulation name -> correction in dB, both as text.
using ModulationCorrections = std::map<std::string, std::string>;
ModulationCorrections DefaultModulationCorrections();

// Where a level and its correction are stored: the first row of every record,
// or the second SKY row (which has a correction column of its own).
struct LevelColumns {
    int level;
    int correction;
};
constexpr LevelColumns kFirstLevelColumns{6, 10};
constexpr LevelColumns kSecondLevelColumns{24, 27};

// (level - modulation correction) - correction; the modulation correction
// (by column 8, trailing blanks removed) applies to classes 2 and 3 only.
double InputLevel(const RecordRow& row, int recordClass, const ModulationCorrections& table,
                  LevelColumns columns);
// OverRange when InputLevel reaches 105.0 (class 1) or 120.1 (classes 2, 3);
// otherwise the state of the stored level text.
ValueState LevelState(const RecordRow& row, int recordClass, const ModulationCorrections& table,
                      LevelColumns columns);
