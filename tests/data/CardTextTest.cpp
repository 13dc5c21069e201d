#include "data/CardText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

TEST(CardText, NumbersReadByTheAtoiAndAtofRules)
{
    struct Case {
        const char* text;
        int integer;
        double number;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"", 0, 0.0},
             {"  42abc", 42, 42.0},
             {"\t-7", -7, -7.0},
             {"+3.5", 3, 3.5},
             {"OFF", 0, 0.0},
             {"---.-", 0, 0.0},
             {"~~~.~", 0, 0.0},
             {"1.5e2", 1, 150.0},
             {".5", 0, 0.5},
             {"+-1", 0, 0.0},
             {"nan", 0, 0.0},
             {"-inf", 0, 0.0},
             {"INFINITY", 0, 0.0},
             {"-.5", 0, -0.5},
             {".", 0, 0.0},
             {"99999999999", 2147483647, 99999999999.0},
             {"-99999999999", -2147483647 - 1, -99999999999.0},
         }) {
        EXPECT_EQ(IntegerValue(c.text), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(NumberValue(c.text), c.number) << c.text;
    }
    EXPECT_TRUE(std::isinf(NumberValue("1e999")));
}

TEST(CardText, CountsFollowAtoiAndSaturate)
{
    const std::pair<std::string, int> cases[] = {
        {"12", 12}, {"12\r", 12}, {"  \t+7x", 7}, {"-3", -3}, {"", 0}, {"abc", 0},
        {"1.00", 1}, {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"- 5", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(IntegerValue(text), value) << text;
}

TEST(CardText, TrimRemovesTheBlanksAtBothEnds)
{
    EXPECT_EQ(Trim(" \t OFF \r\n"), "OFF");
    EXPECT_EQ(TrimRight("  OFDM  "), "  OFDM");
    EXPECT_EQ(Trim("   "), "");
}

TEST(CardText, CorrectionIsOffOnlyForOff)
{
    EXPECT_FALSE(CorrectionOn("OFF"));
    EXPECT_FALSE(CorrectionOn("  OFF \t"));
    EXPECT_TRUE(CorrectionOn(""));
    EXPECT_TRUE(CorrectionOn("off"));
    EXPECT_TRUE(CorrectionOn("3.0"));
}

TEST(CardText, AsciiLettersCompareWithoutCase)
{
    EXPECT_TRUE(EqualIgnoringCase("Level.CSV", "lEVEL.csv"));
    EXPECT_FALSE(EqualIgnoringCase("LEVEL", "LEVEL "));
    EXPECT_TRUE(LessIgnoringCase("a", "B"));
    EXPECT_TRUE(LessIgnoringCase("B", "b")); // equal but for case: byte order
    EXPECT_FALSE(LessIgnoringCase("b", "B"));
    EXPECT_TRUE(EndsWithIgnoringCase("x.PNG", ".png"));
    EXPECT_FALSE(EndsWithIgnoringCase("png", ".png"));
}

// Only the 26 letters fold: 'A' and 'Z' are the ends, and the bytes beside
// them ('@' before 'A', '[' after 'Z', '`' before 'a', '{' after 'z') differ
// by the same 0x20 but are not letters.
TEST(CardText, CaseFoldsTheLettersAToZAndNothingBesideThem)
{
    const struct {
        const char* a;
        const char* b;
        bool equal;
    } pairs[] = {
        {"A", "a", true}, {"Z", "z", true}, {"LEVEL.cnt", "level.CNT", true},
        {"@", "`", false}, {"[", "{", false}, {"x@.CSV", "x`.csv", false}, {"X[", "x{", false},
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(EqualIgnoringCase(p.a, p.b), p.equal) << p.a << " " << p.b;
        EXPECT_EQ(EqualIgnoringCase(p.b, p.a), p.equal) << p.b << " " << p.a;
        EXPECT_EQ(LowerAscii(p.a) == LowerAscii(p.b), p.equal) << p.a << " " << p.b;
    }
    EXPECT_EQ(LowerAscii("@AZ[`az{"), "@az[`az{");
    // Ordered as small letters: '[' and '_' (between 'Z' and 'a') come
    // before every letter, '{' after every one.
    EXPECT_TRUE(LessIgnoringCase("[", "A"));
    EXPECT_TRUE(LessIgnoringCase("_B", "A"));
    EXPECT_TRUE(LessIgnoringCase("Z", "{"));
    EXPECT_TRUE(LessIgnoringCase("@", "a"));
}

} // namespace
