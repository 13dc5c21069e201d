#include "screens/CMultiScreen.h"

#include "screens/ScreenTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr Rgb kDarkGreen = 0x408040;
constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kBlue = 0x2020FF;

// The topmost coloured pixel of the column x above the base line, or 192.
int BarTop(const Canvas& dc, int x)
{
    int y = 191;
    while (y >= 0 && dc.Pixel(x, y) != kWhite && y > 23)
        --y;
    return y + 1;
}

TEST(MultiScreen, BarWidthsAndPositionsFollowTheChannelCount)
{
    struct Case {
        int channels;
        int width;
        int pitch;
    };
    for (const Case& c : {Case{10, 16, 24}, Case{11, 8, 12}, Case{40, 2, 4}}) {
        SCOPED_TRACE(c.channels);
        CMultiScreen screen;
        screen.Load(MultiCard{}.Rows(std::vector<std::string>(c.channels, "74.0")));
        Canvas dc;
        screen.Draw(dc);
        for (int i = 1; i <= c.channels; ++i) {
            const int left = 32 + (i - 1) * c.pitch;
            EXPECT_EQ(dc.Pixel(left, 150), kBlack) << "channel " << i;
            EXPECT_EQ(dc.Pixel(left + c.width - 1, 150), kBlack) << "channel " << i;
            EXPECT_EQ(dc.Pixel(left + c.width, 150), kWhite) << "channel " << i;
            EXPECT_EQ(dc.Pixel(left - 1, 150), kWhite) << "channel " << i;
        }
    }
}

// One screen shows one measurement after another: every load's bars and
// tables come from its own rows, in its own group's terms.
TEST(MultiScreen, ALoadReplacesWhatTheBarsShow)
{
    CMultiScreen screen;
    Canvas dc;
    screen.Load(MultiCard{}.Rows({"74.0", "---.-"}, {"OFF", "2.0"}));
    screen.Draw(dc);
    MultiCard catv;
    catv.group = "VU/CATV";
    screen.Load(catv.Rows({"140.0", "60.0", "80.0"}, {"1.5", "OFF", "OFF"}));
    screen.Draw(dc);
    EXPECT_EQ(screen.LevelOf(1), 140.0);
    EXPECT_EQ(screen.StateOf(1), OverRange); // past the VU/CATV group's limit
    EXPECT_EQ(screen.CorrectionOf(1), 1);
    EXPECT_EQ(screen.StateOf(2), Normal);
    EXPECT_EQ(screen.CorrectionOf(2), 0);
    EXPECT_EQ(screen.LevelOf(3), 80.0);
}

TEST(MultiScreen, BarHeightsFollowTheScale)
{
    // Satellite group, range 0: the grid runs from 106 dBμV (y 26) to 42 (y 186).
    struct Case {
        const char* level;
        int top;
    };
    const Case cases[] = {
        {"104.0", 186 - 155}, // 2.5 pixels a dB
        {"74.0", 106},
        {"42.0", 186},
        {"41.9", 189}, // below the scale: a stub on the base line
        {"---.-", 189},
        {"nan", 189}, // words are no numbers: 0 dB, below the scale
        {"1e999", 24}, // out of range: at the top line
    };
    std::vector<std::string> levels;
    for (const Case& c : cases)
        levels.push_back(c.level);
    CMultiScreen screen;
    screen.Load(MultiCard{}.Rows(levels));
    Canvas dc;
    screen.Draw(dc);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(BarTop(dc, 32 + static_cast<int>(i) * 24), cases[i].top) << cases[i].level;
}

TEST(MultiScreen, LevelsAtAndAboveTheTopReachTheTopLine)
{
    // VU/CATV, offset 1: scale 52..116 at 8 dB a division, no over-range below 120.1.
    MultiCard card{.group = "VU/CATV", .offset = 1};
    CMultiScreen screen;
    screen.Load(card.Rows({"116.0", "116.5"}));
    Canvas dc;
    screen.Draw(dc);
    EXPECT_EQ(screen.m_nTop, 116);
    EXPECT_EQ(BarTop(dc, 32), 26);
    EXPECT_EQ(BarTop(dc, 56), 24);
}

TEST(MultiScreen, BarColourShowsTheLevelState)
{
    CMultiScreen screen;
    screen.Load(MultiCard{}.Rows({"60.0", "---.-", "~~~.~", "___._", "105.0"}));
    Canvas dc;
    screen.Draw(dc);
    EXPECT_EQ(dc.Pixel(32, 190), kBlack);
    EXPECT_EQ(dc.Pixel(56, 190), kDarkGreen);
    EXPECT_EQ(dc.Pixel(80, 190), kRed);
    EXPECT_EQ(dc.Pixel(104, 190), kBlue);
    EXPECT_EQ(dc.Pixel(128, 190), kRed); // 105.0 reaches the satellite limit
    const ValueState expected[] = {Normal, NotMeasured, OverRange, UnderRange, OverRange};
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(screen.m_nState[i], expected[i - 1]) << "channel " << i;
}

// The shown values are the screen's own: known as soon as the rows are
// loaded, and the drawing neither adds to nor changes them.
TEST(MultiScreen, ShownValuesAreKnownBeforeAnyDrawing)
{
    CMultiScreen screen;
    screen.Load(MultiCard{}.Rows({"60.0", "---.-", "~~~.~", "___._", "105.0"}));
    const ShownRecord before = screen.Shown();
    struct Expected {
        const char* level;
        ValueState state;
    };
    const Expected expected[] = {
        {"60.0", Normal}, {"--.-", NotMeasured}, {"~~.~", OverRange}, {"__._", UnderRange}, {"~~.~", OverRange},
    };
    ASSERT_EQ(before.channels.size(), std::size(expected));
    ASSERT_EQ(before.lines.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(before.channels[i].text, expected[i].level) << "channel " << i + 1;
        EXPECT_EQ(before.channels[i].state, expected[i].state) << "channel " << i + 1;
    }
    ASSERT_GE(before.values.size(), 3u);
    EXPECT_EQ(before.values[2].text, "60.0"); // the cursor's read-out

    Canvas dc;
    screen.Draw(dc);
    const ShownRecord after = screen.Shown();
    ASSERT_EQ(after.values.size(), before.values.size());
    for (std::size_t i = 0; i < after.values.size(); ++i)
        EXPECT_EQ(after.values[i].text + after.values[i].mark, before.values[i].text + before.values[i].mark) << i;
    ASSERT_EQ(after.channels.size(), before.channels.size());
    for (std::size_t i = 0; i < after.channels.size(); ++i)
        EXPECT_EQ(after.channels[i].text, before.channels[i].text) << i;
    ASSERT_TRUE(before.graph && after.graph);
    EXPECT_EQ(before.graph->top + " " + before.graph->bottom, after.graph->top + " " + after.graph->bottom);
}

// The graph as listed is the one drawn: after every key, the scale's end
// figures are those the drawing printed (m_nTop, and m_nBottom, which only a
// drawing sets), and the markers stand where the keys put them.
TEST(MultiScreen, ShownGraphIsTheDrawnScaleAfterEveryKey)
{
    using Key = void (CMultiScreen::*)(Canvas&);
    const struct {
        const char* name;
        std::vector<Key> keys;
        int cursor;
        int reference;
    } cases[] = {
        {"none", {}, 1, 0},
        {"raise", {&CMultiScreen::RaiseScale}, 1, 0},
        {"lower twice", {&CMultiScreen::LowerScale, &CMultiScreen::LowerScale}, 1, 0},
        {"finer", {&CMultiScreen::FinerRange}, 1, 0},
        {"finer then coarser", {&CMultiScreen::FinerRange, &CMultiScreen::CoarserRange}, 1, 0},
        {"next, reference, next", {&CMultiScreen::NextChannel, &CMultiScreen::ToggleReference,
                                   &CMultiScreen::NextChannel}, 3, 2},
        {"previous wraps", {&CMultiScreen::PrevChannel}, 4, 0},
    };
    for (const auto& c : cases) {
        CMultiScreen screen;
        screen.Load(MultiCard{}.Rows({"60.0", "64.5", "70.0", "---.-"}));
        Canvas dc;
        screen.Draw(dc);
        for (Key key : c.keys)
            (screen.*key)(dc);
        const std::optional<ShownGraph> graph = screen.Shown().graph;
        ASSERT_TRUE(graph) << c.name;
        EXPECT_EQ(graph->top, std::to_string(screen.m_nTop)) << c.name;
        EXPECT_EQ(graph->bottom, std::to_string(screen.m_nBottom)) << c.name;
        EXPECT_EQ(graph->cursor, c.cursor) << c.name;
        EXPECT_EQ(graph->reference, c.reference) << c.name;
    }
}

TEST(MultiScreen, GridAxesAndBaseLine)
{
    CMultiScreen screen;
    screen.Load(MultiCard{}.Rows({"10.0"})); // below the scale: only a stub on the base line
    Canvas dc;
    screen.Draw(dc);
    for (int y = 24; y < 192; ++y) {
        EXPECT_EQ(dc.Pixel(24, y), kBlack) << y;
        EXPECT_EQ(dc.Pixel(288, y), kBlack) << y;
    }
    EXPECT_EQ(dc.Pixel(24, 23), kWhite);
    EXPECT_EQ(dc.Pixel(288, 23), kWhite);
    for (int y = 26; y <= 186; y += 20) {
        // From x 20 to 291; the scale labels' opaque cells cover x 4 to 21.
        for (int x = 22; x < 292; ++x)
            ASSERT_EQ(dc.Pixel(x, y), kBlack) << x << "," << y;
        EXPECT_EQ(dc.Pixel(292, y), kWhite) << y;
        EXPECT_EQ(dc.Pixel(22, y + 1), kWhite) << y;
    }
    for (int x = 0; x < 320; ++x) {
        if (x < 4 || (x >= 22 && x < 296) || x >= 314) {
            ASSERT_EQ(dc.Pixel(x, 192), kBlack) << x;
        }
    }
    EXPECT_EQ(BarTop(dc, 32), 189);
}

TEST(MultiScreen, ScaleLabelsStandBesideTheGridLinesOnBothSides)
{
    CMultiScreen screen;
    screen.Load(MultiCard{}.Rows({"60.0"}));
    Canvas dc;
    screen.Draw(dc);
    EXPECT_EQ(screen.m_nBottom, 42);
    int value = 106;
    for (int y = 21; y <= 181; y += 20, value -= 8) {
        SCOPED_TRACE(value);
        const std::string text = value < 100 ? " " + std::to_string(value) : std::to_string(value);
        EXPECT_TRUE(ShowsText(dc, Rect{4, y, 22, y + 12}, 5, 4, y, text));
        EXPECT_TRUE(ShowsText(dc, Rect{296, y, 314, y + 12}, 5, 296, y, text));
    }
}

TEST(MultiScreen, MarkersStandUnderTheirBars)
{
    CMultiScreen screen;
    screen.Load(MultiCard{.cursor = 3}.Rows(std::vector<std::string>(10, "60.0")));
    Canvas dc;
    screen.Draw(dc);
    // ▲ under channel 3: x = 24 * 2 + 8 + 26 = 82, a 12-pixel cell.
    EXPECT_TRUE(HasInk(dc, Rect{82, 194, 94, 206}));
    EXPECT_FALSE(HasInk(dc, Rect{1, 193, 82, 207}));
    EXPECT_FALSE(HasInk(dc, Rect{94, 193, 292, 207}));

    screen.ToggleReference(dc);
    screen.NextChannel(dc);
    // ▲ under channel 4, △ stays under channel 3.
    EXPECT_EQ(screen.m_nReference, 3);
    EXPECT_EQ(screen.m_nCursor, 4);
    EXPECT_TRUE(ShowsText(dc, Rect{82, 194, 94, 206}, 5, 82, 194, "△"));
    EXPECT_TRUE(HasInk(dc, Rect{106, 194, 118, 206}));
}

TEST(MultiScreen, CursorWrapsAroundTheChannels)
{
    CMultiScreen screen;
    screen.Load(MultiCard{}.Rows({"60.0", "61.0", "62.0"}));
    Canvas dc;
    screen.Draw(dc);
    screen.PrevChannel(dc);
    EXPECT_EQ(screen.m_nCursor, 3);
    EXPECT_EQ(screen.m_strChannelName, "C3");
    screen.NextChannel(dc);
    EXPECT_EQ(screen.m_nCursor, 1);
    EXPECT_EQ(screen.m_strChannelName, "C1");
}

TEST(MultiScreen, ScaleAndRangeKeys)
{
    enum Key { Raise, Lower, Finer, Coarser };
    struct Case {
        const char* name;
        const char* group;
        std::vector<Key> keys;
        int top;
        int step;
        int range;
    };
    const Case cases[] = {
        {"satellite top stays", "BS", {Raise}, 106, 8, 0},
        {"satellite lower", "BS", {Lower}, 106, 8, 0}, // 74 - 64 < 42
        {"finer keeps the middle", "VU/CATV", {Finer}, 68, 4, 1},
        {"finer then coarser", "VU/CATV", {Finer, Coarser}, 84, 8, 0},
        {"raise to the limit", "VU/CATV", {Raise, Raise, Raise}, 148, 8, 0},
        {"lower at the bottom", "VU/CATV", {Lower}, 84, 8, 0},
        {"finest twice", "VU/CATV", {Finer, Finer, Finer}, 60, 2, 2},
        {"coarsest already", "VU/CATV", {Coarser}, 84, 8, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMultiScreen screen;
        screen.Load(MultiCard{.group = c.group}.Rows({"60.0", "61.0"}));
        Canvas dc;
        screen.Draw(dc);
        for (Key key : c.keys) {
            switch (key) {
            case Raise: screen.RaiseScale(dc); break;
            case Lower: screen.LowerScale(dc); break;
            case Finer: screen.FinerRange(dc); break;
            case Coarser: screen.CoarserRange(dc); break;
            }
        }
        EXPECT_EQ(screen.m_nTop, c.top);
        EXPECT_EQ(screen.m_nStep, c.step);
        EXPECT_EQ(screen.m_nRange, c.range);
        EXPECT_EQ(screen.m_nSpan, 8 * c.step);
        EXPECT_EQ(screen.m_nHalfSpan, 4 * c.step);
        EXPECT_EQ(screen.m_nBottom, c.top - 8 * c.step); // redrawn at once
    }
}

TEST(MultiScreen, DeltaStateOfCursorAndReference)
{
    // A difference is not measured when the cursor's level is not, or when
    // the reference's is and the cursor's is not under range; otherwise under
    // range when either is; over range only when both are.
    const auto expected = [](ValueState reference, ValueState cursor) {
        if (cursor == NotMeasured || (reference == NotMeasured && cursor != UnderRange))
            return NotMeasured;
        if (reference == UnderRange || cursor == UnderRange)
            return UnderRange;
        return reference == OverRange && cursor == OverRange ? OverRange : Normal;
    };
    const ValueState states[] = {Normal, NotMeasured, OverRange, UnderRange};
    for (ValueState reference : states)
        for (ValueState cursor : states)
            EXPECT_EQ(CMultiScreen::DeltaState(reference, cursor), expected(reference, cursor))
                << reference << "/" << cursor;
}

TEST(MultiScreen, ReadoutShowsLevelOrDifference)
{
    CMultiScreen screen;
    screen.Load(MultiCard{}.Rows({"60.0", "64.5", "---.-", "~~~.~"}, {" OFF ", "3.0"}));
    Canvas dc;
    screen.Draw(dc);
    const Rect value{236, 203, 281, 224}; // the bottom frame line runs at y 224
    EXPECT_TRUE(ShowsText(dc, value, 6, 236, 208, " 60.0"));
    EXPECT_EQ(dc.Pixel(193, 209), kBlack); // the label box is reversed
    EXPECT_EQ(dc.Pixel(295, 195), kWhite); // no correction box

    screen.ToggleReference(dc); // reference on channel 1
    screen.NextChannel(dc);
    EXPECT_TRUE(ShowsText(dc, value, 6, 236, 208, "  4.5"));
    EXPECT_EQ(dc.Pixel(294, 194), kBlack); // channel 2 has a correction
    EXPECT_TRUE(ShowsText(dc, Rect{296, 196, 308, 208}, 5, 296, 196, "補"));

    screen.NextChannel(dc); // NotMeasured cursor
    EXPECT_TRUE(ShowsText(dc, value, 6, 236, 208, " --.-"));
    screen.PrevChannel(dc);
    screen.PrevChannel(dc);
    screen.ToggleReference(dc); // reference off again
    screen.PrevChannel(dc);     // channel 4: over range, raised dashes and the point
    Canvas expected;
    CScreen fonts;
    fonts.SelectFont(6, expected);
    expected.TextOut(236, 203, " -- -");
    expected.TextOut(263, 208, ".");
    for (int y = value.top; y < value.bottom; ++y)
        for (int x = value.left; x < value.right; ++x)
            ASSERT_EQ(dc.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
}

TEST(MultiScreen, LabelsSwitchWithTheReference)
{
    CMultiScreen screen;
    screen.Load(MultiCard{}.Rows({"60.0", "61.0"}));
    Canvas plain;
    screen.Draw(plain);
    Canvas toggled = plain;
    screen.ToggleReference(toggled);
    EXPECT_EQ(screen.m_nReference, 1);
    Canvas twice = toggled;
    screen.ToggleReference(twice);
    EXPECT_EQ(screen.m_nReference, -1);
    EXPECT_EQ(twice.Pixels(), plain.Pixels());
    EXPECT_NE(toggled.Pixels(), plain.Pixels());
}

TEST(MultiScreen, LoadStartsFromTheRecordAgain)
{
    CMultiScreen screen;
    const auto rows = MultiCard{.group = "VU/CATV", .cursor = 2}.Rows({"60.0", "61.0"});
    screen.Load(rows);
    Canvas dc;
    screen.Draw(dc);
    screen.ToggleReference(dc);
    screen.FinerRange(dc);
    screen.NextChannel(dc);
    screen.Load(rows);
    EXPECT_EQ(screen.m_nReference, -1);
    EXPECT_EQ(screen.m_nCursor, 2);
    EXPECT_EQ(screen.m_nRange, 0);
    EXPECT_EQ(screen.m_nTop, 84);
    EXPECT_EQ(screen.m_strSystemLabel, "VU/CATV");
    EXPECT_EQ(screen.m_nClass, 2);
}

TEST(MultiScreen, OddHeadersStayInsideTheTables)
{
    struct Case {
        const char* name;
        int rows;
        int count;
        int cursor;
        int channels;       // m_nChannels after Load
        int expectedCursor; // after Load
    };
    const Case cases[] = {
        {"more than 60 channels", 70, 70, 65, 60, 1},
        {"cursor 0", 5, 5, 0, 5, 1},
        {"cursor beyond N", 5, 5, 9, 5, 1},
        {"count above the rows", 3, 12, 8, 12, 8},
        {"count below the rows", 8, 2, 2, 2, 2},
        {"count 0", 3, 0, 1, 0, 1},
        {"negative count", 3, -5, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMultiScreen screen;
        screen.Load(MultiCard{.cursor = c.cursor, .count = c.count}.Rows(
            std::vector<std::string>(static_cast<std::size_t>(c.rows), "60.0")));
        EXPECT_EQ(screen.m_nChannels, c.channels);
        EXPECT_EQ(screen.m_nCursor, c.expectedCursor);
        Canvas dc;
        screen.Draw(dc);
        for (int k = 0; k < 2 * c.channels + 3; ++k)
            screen.NextChannel(dc);
        screen.ToggleReference(dc);
        for (int k = 0; k < 2 * c.channels + 3; ++k)
            screen.PrevChannel(dc);
        EXPECT_GE(screen.m_nCursor, 1);
        EXPECT_LE(screen.m_nCursor, std::max(c.channels, 1));
    }
}

TEST(MultiScreen, ChannelWithoutARowHasNoBarAndReadsNotMeasured)
{
    CMultiScreen screen;
    screen.Load(MultiCard{.cursor = 3, .count = 4}.Rows({"60.0", "61.0"}));
    Canvas dc;
    screen.Draw(dc);
    EXPECT_EQ(dc.Pixel(32 + 2 * 24, 190), kWhite);
    EXPECT_EQ(screen.m_nState[3], NotMeasured);
    EXPECT_TRUE(ShowsText(dc, Rect{236, 203, 281, 224}, 6, 236, 208, " --.-"));
}

TEST(MultiScreen, RangeCodesOutsideTheTableTakeTheFinestRange)
{
    CMultiScreen screen;
    screen.Load(MultiCard{.range = 7}.Rows({"58.0"}));
    EXPECT_EQ(screen.m_nRange, 2);
    EXPECT_EQ(screen.m_nStep, 2);
    Canvas dc;
    screen.Draw(dc);
    // 10 pixels a dB: the bar and the scale agree.
    EXPECT_EQ(screen.m_nTop, 58);
    EXPECT_EQ(BarTop(dc, 32), 26);
}

} // namespace
