#include "screens/ValueFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

RecordRow Row(std::initializer_list<std::pair<int, const char*>> columns)
{
    RecordRow row;
    for (const auto& [k, text] : columns)
        row.SetColumn(k, text);
    return row;
}

TEST(ValueFormat, RecordClassFromColumn12ElseColumn11)
{
    struct Case {
        const char* column12;
        const char* column11;
        int recordClass;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"2", "50", 2}, {"3", "0", 3}, {"1", "50", 1}, {"0", "25", 1}, {"4", "26", 2},
             {"0", "42", 2}, {"0", "43", 3}, {"", "", 1}, {"x", "-5", 1}}) {
        EXPECT_EQ(RecordClass(Row({{12, c.column12}, {11, c.column11}})), c.recordClass)
            << c.column12 << " / " << c.column11;
    }
}

TEST(ValueFormat, OneDecimalFormKeepsTheRightmostFiveCharacters)
{
    struct Case {
        const char* stored;
        const char* shown;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"---.-", " --.-"}, {"___._", " __._"}, {"~~~.~", " ~~.~"},
             {"63.46", " 63.5"}, {"5", "  5.0"}, {"120.1", "120.1"}, {"-3.2", " -3.2"},
             {"1234.5", "234.5"}, {"", "  0.0"}, {"abc", "  0.0"}, {" ---.-", "  0.0"},
             {"-123.4", "123.4"}, {"0.25", "  0.2"}, {"0.75", "  0.8"}}) {
        EXPECT_EQ(OneDecimalForm(c.stored), c.shown) << c.stored;
    }
}

TEST(ValueFormat, DisplayLimitsClampWithInclusiveComparisons)
{
    const DisplayLimits limits{5.0, 30.0};
    struct Case {
        const char* stored;
        const char* shown;
        int mark;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"4.2", "  5.0", AtOrBelowLower}, {"5.0", "  5.0", AtOrBelowLower},
             {"5.01", "  5.0", NoLimit},       {"31.7", " 30.0", AtOrAboveUpper},
             {"30", " 30.0", AtOrAboveUpper},  {"29.9", " 29.9", NoLimit},
             {"~~~.~", " ~~.~", NoLimit},      {"___._", " __._", NoLimit},
             {"---.-", " --.-", NoLimit},      {"", "  5.0", AtOrBelowLower}}) {
        const LimitedText shown = OneDecimalForm(c.stored, limits);
        EXPECT_EQ(shown.text, c.shown) << c.stored;
        EXPECT_EQ(shown.limitMark, c.mark) << c.stored;
    }
    const LimitedText unlimited = OneDecimalForm("26.0", std::nullopt);
    EXPECT_EQ(unlimited.text, " 26.0");
    EXPECT_EQ(unlimited.limitMark, NoLimit);
}

TEST(ValueFormat, LimitsDependOnScreenSystemAndSatellite)
{
    struct Case {
        int system;
        const char* bandName;
        bool cnLimited;
        double cnUpper;
    };
    for (const Case& c : std::initializer_list<Case>{
             {0, "", true, 30.0},          {7, "", true, 30.0},     {2, "", true, 25.0},
             {3, "", true, 25.0},          {9, "BS", true, 25.0},   {9, " JCSAT-4A ", true, 25.0},
             {9, "N-SAT110", true, 25.0},  {9, "JCSAT-3A", true, 25.0},
             {9, "JCSAT-5A", false, 0.0},  {9, "bs", false, 0.0},   {1, "", false, 0.0},
             {10, "BS", false, 0.0}}) {
        const auto limits = BerScreenCnLimits(c.system, c.bandName);
        ASSERT_EQ(limits.has_value(), c.cnLimited) << c.system << " " << c.bandName;
        if (limits) {
            EXPECT_EQ(limits->lower, 5.0);
            EXPECT_EQ(limits->upper, c.cnUpper);
        }
    }
    EXPECT_EQ(BerScreenMerLimits(1)->upper, 30.0);
    EXPECT_EQ(BerScreenMerLimits(7)->lower, 20.0);
    EXPECT_EQ(BerScreenMerLimits(7)->upper, 35.0);
    EXPECT_FALSE(BerScreenMerLimits(0).has_value());
    EXPECT_EQ(OneDecimalForm("19.5", BerScreenMerLimits(7)).text, " 20.0");
    EXPECT_EQ(OneDecimalForm("36.0", BerScreenMerLimits(7)).limitMark, AtOrAboveUpper);
}

TEST(ValueFormat, FrequencyFormsByRecordClass)
{
    struct Case {
        double megahertz;
        int recordClass;
        const char* shown;
    };
    for (const Case& c : std::initializer_list<Case>{
             {473.14, 1, " 473"},     {770.9, 1, " 770"},      {12345.6, 1, "2345"},
             {-3.7, 1, "  -3"},       {0.0, 1, "   0"},        {473.142857, 2, "473.14"},
             {93.0, 2, " 93.00"},     {1049.48, 2, "049.48"},  {770.0, 3, "770.00"},
             {770.9, 2, "770.90"},    {1e12, 1, "3647"},       {NAN, 1, "   0"}}) {
        EXPECT_EQ(FrequencyForm(c.megahertz, c.recordClass), c.shown)
            << c.megahertz << " class " << c.recordClass;
    }
}

TEST(ValueFormat, OverRangeTestOfALevel)
{
    const ModulationCorrections table = DefaultModulationCorrections();
    struct Case {
        const char* level;
        const char* modulation;
        const char* correction;
        int recordClass;
        double input;
        ValueState state;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"104.9", "", "OFF", 1, 104.9, Normal},
             {"105.0", "", "OFF", 1, 105.0, OverRange},
             {"120.0", "OFDM", "OFF", 2, 115.0, Normal},
             {"125.2", "OFDM", "OFF", 2, 120.2, OverRange},
             {"121.0", "OFDM   ", "OFF", 2, 116.0, Normal},
             {"121.0", "   OFDM", "OFF", 2, 121.0, OverRange},
             {"121.0", "QPSK", "OFF", 3, 121.0, OverRange},
             {"110.0", "OFDM", "6.0", 1, 104.0, Normal},
             {"130.0", "TC8PSK", " OFF ", 2, 118.6, Normal},
             {"---.-", "", "OFF", 1, 0.0, NotMeasured},
             {"___._", "", "2.0", 1, -2.0, UnderRange},
             {"~~~.~", "", "OFF", 1, 0.0, OverRange},
             {"200", "", "", 1, 200.0, OverRange},
         }) {
        const RecordRow row = Row({{6, c.level}, {8, c.modulation}, {10, c.correction}});
        EXPECT_NEAR(InputLevel(row, c.recordClass, table, kFirstLevelColumns), c.input, 1e-9)
            << c.level << " " << c.modulation;
        EXPECT_EQ(LevelState(row, c.recordClass, table, kFirstLevelColumns), c.state)
            << c.level << " " << c.modulation;
    }
}

TEST(ValueFormat, SecondRowTestsItsOwnLevelAndCorrection)
{
    const ModulationCorrections table = DefaultModulationCorrections();
    // Row A's correction would bring it below the limit; row B's own does not.
    const RecordRow row = Row({{6, "50.0"}, {10, "10.0"}, {24, "110.0"}, {27, "OFF"}, {8, "OFDM"}});
    EXPECT_DOUBLE_EQ(InputLevel(row, 1, table, kSecondLevelColumns), 110.0);
    EXPECT_EQ(LevelState(row, 1, table, kSecondLevelColumns), OverRange);
    EXPECT_DOUBLE_EQ(InputLevel(row, 2, table, kSecondLevelColumns), 105.0);
    const RecordRow corrected = Row({{24, "110.0"}, {27, "6.0"}, {10, "OFF"}});
    EXPECT_EQ(LevelState(corrected, 1, table, kSecondLevelColumns), Normal);
}

} // namespace
