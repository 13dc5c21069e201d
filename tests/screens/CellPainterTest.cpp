#include "screens/CScreen.h"
#include "screens/TextCodec.h"

#include "screens/ScreenTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The outline of a cell: top rule, bevel closing the label row, second bevel
// continuing down as the right edge; every LineTo leaves out its end point.
PixelSet OutlinePixels(int x0, int y0, int x1, int y2)
{
    PixelSet set;
    AddRun(set, x0, y0, x1 - 7, y0);
    set.insert({x1 - 6, y0});
    set.insert({x1 - 5, y0 + 1});
    AddRun(set, x1 - 4, y0 + 2, x1 - 4, y0 + 15);
    set.insert({x1 - 2, y0});
    set.insert({x1 - 1, y0 + 1});
    AddRun(set, x1, y0 + 2, x1, y2 - 1);
    std::erase_if(set, [](const auto& p) { return p.first >= 320 || p.second >= 240; });
    return set;
}

PixelSet Without(PixelSet set, const Rect& box)
{
    std::erase_if(set, [&](const auto& p) {
        return p.first >= box.left && p.first < box.right && p.second >= box.top && p.second < box.bottom;
    });
    return set;
}

Canvas BlackCanvas()
{
    Canvas canvas;
    canvas.FillRect({0, 0, 320, 240}, kBlack);
    return canvas;
}

class CellPainterTest : public ::testing::Test {
protected:
    CCellPainter painter;
};

TEST_F(CellPainterTest, EmptyChannelCellIsReversedLabelAndOutline)
{
    for (const auto& [row, top] : {std::pair{CellRow::A, 112}, std::pair{CellRow::B, 168}}) {
        Canvas canvas;
        painter.DrawChannelCell(canvas, "", row);
        const Rect box{136, top, 160, top + 16};
        EXPECT_EQ(Without(PixelsOf(canvas, kBlack), box), Without(OutlinePixels(136, top, 184, top + 48), box));
        EXPECT_TRUE(AllOf(canvas, kBlack, {136, top, 140, top + 16})); // box left of "ch"
        EXPECT_TRUE(AllOf(canvas, kBlack, {136, top + 15, 160, top + 16}));
    }
}

TEST_F(CellPainterTest, NameCellsDrawLabelBoxAndOutline)
{
    Canvas band;
    painter.DrawBandNameCell(band, "");
    const Rect box{1, 112, 64, 128};
    EXPECT_EQ(Without(PixelsOf(band, kBlack), box), Without(OutlinePixels(0, 112, 128, 160), box));
    EXPECT_TRUE(AllOf(band, kBlack, {1, 112, 4, 128}));
    EXPECT_TRUE(AllOf(band, kBlack, {61, 112, 64, 128}));
    EXPECT_EQ(band.Pixel(0, 113), kWhite);

    Canvas satellite;
    painter.DrawSatelliteNameCell(satellite, "", CellRow::B);
    const Rect boxB{1, 168, 64, 184};
    EXPECT_EQ(Without(PixelsOf(satellite, kBlack), boxB), Without(OutlinePixels(0, 168, 128, 216), boxB));
    EXPECT_TRUE(AllOf(satellite, kBlack, {1, 168, 12, 184}));
}

TEST_F(CellPainterTest, PassThroughNameIsTrimmedAndNarrower)
{
    struct Case {
        const char* name;
        int right;
    };
    // "BSパススルー" is 12 cells: font 1 (10 wide); "BS" alone keeps font 0 (13 wide).
    for (const Case& c : {Case{"  BSパススルー \t", 1 + 12 * 10}, Case{"BSパススルー", 121}, Case{" BS ", 1 + 2 * 13}}) {
        Canvas canvas = BlackCanvas();
        painter.DrawBandNameCell(canvas, EncodeCardText(c.name));
        EXPECT_EQ(BoundsIn(canvas, kWhite, {0, 136, 124, 160}), (Rect{1, 136, c.right, 160})) << c.name;
    }
}

TEST_F(CellPainterTest, ChannelTagDrawsTheEdgesOfItsBox)
{
    Canvas canvas;
    painter.DrawChannelTag(canvas, "", CellRow::B);
    PixelSet expected;
    AddRun(expected, 176, 168, 176, 182);
    AddRun(expected, 160, 183, 176, 183);
    EXPECT_EQ(PixelsOf(canvas, kBlack), expected);
}

TEST_F(CellPainterTest, FrequencyCellPlacesLabelOutlineAndTextCells)
{
    Canvas canvas = BlackCanvas();
    painter.DrawFrequencyCell(canvas, " 473");
    EXPECT_EQ(BoundsIn(canvas, kWhite, {56, 186, 150, 230}), (Rect{64, 192, 64 + 4 * 13, 216}));
    EXPECT_EQ(BoundsIn(canvas, kWhite, {150, 190, 180, 230}), (Rect{152, 200, 152 + 3 * 7, 214}));
    Canvas white;
    painter.DrawFrequencyCell(white, "");
    const Rect box{56, 168, 106, 184};
    PixelSet black = Without(PixelsOf(white, kBlack), box);
    std::erase_if(black, [](const auto& p) { return p.first >= 152 && p.first < 173 && p.second >= 200; });
    EXPECT_EQ(black, Without(OutlinePixels(56, 168, 184, 216), box));
    EXPECT_TRUE(AllOf(white, kBlack, {56, 168, 60, 184}));
}

struct DashCase {
    ValueState state;
    CellRow row;
    Rect cells; // of the value or dashes and the "." below the label row
};

TEST_F(CellPainterTest, LevelCellDrawsValueOrRaisedOrLoweredDashes)
{
    for (const DashCase& c : {DashCase{Normal, CellRow::A, {192, 128, 282, 164}},
                              DashCase{NotMeasured, CellRow::A, {192, 128, 282, 164}},
                              DashCase{OverRange, CellRow::A, {192, 128, 282, 164}},
                              DashCase{UnderRange, CellRow::A, {192, 128, 282, 180}},
                              DashCase{OverRange, CellRow::B, {192, 184, 282, 220}},
                              DashCase{UnderRange, CellRow::B, {192, 184, 282, 236}}}) {
        Canvas canvas = BlackCanvas();
        const int top = c.row == CellRow::A ? 112 : 168;
        painter.DrawLevelCell(canvas, " 63.5", c.state, c.row);
        EXPECT_EQ(BoundsIn(canvas, kWhite, {192, top + 16, 286, top + 70}), c.cells) << c.state;
        // Raised dashes end 9 pixels above the value's cells; only the "." remains below.
        if (c.state == OverRange) {
            EXPECT_TRUE(AllOf(canvas, kBlack, {192, top + 43, 246, top + 52}));
            EXPECT_EQ(BoundsIn(canvas, kWhite, {192, top + 43, 286, top + 52}), (Rect{246, top + 43, 264, top + 52}));
        }
        if (c.state == UnderRange) {
            EXPECT_TRUE(AllOf(canvas, kBlack, {192, top + 16, 246, top + 32}));
        }
        // The label box left of the label, inverted from the black underneath.
        EXPECT_TRUE(AllOf(canvas, kWhite, {193, top + 1, 202, top + 7}));
        EXPECT_EQ(BoundsIn(canvas, kWhite, {286, top + 30, 320, top + 48}), (Rect{288, top + 34, 316, top + 48}));
    }
}

TEST_F(CellPainterTest, ValueCellOutlinesAndLabelBoxes)
{
    Canvas canvas;
    painter.DrawBerCell(canvas, "", CellRow::B);
    const Rect box{192, 168, 236, 184};
    EXPECT_EQ(Without(PixelsOf(canvas, kBlack), box), Without(OutlinePixels(192, 168, 320, 184), box));
    EXPECT_TRUE(AllOf(canvas, kBlack, {192, 168, 204, 184}));
    EXPECT_TRUE(AllOf(canvas, kBlack, {225, 168, 236, 184}));
}

TEST_F(CellPainterTest, BerCellDashesOnlyForTheRangePlaceholders)
{
    struct Case {
        const char* text;
        Rect cells;
    };
    for (const Case& c : {Case{"~.~~~~~", {208, 128, 299, 160}}, Case{"_._____", {208, 136, 299, 171}},
                          Case{"-.-----", {208, 136, 299, 160}}, Case{"1.2E-04", {208, 136, 299, 160}}}) {
        Canvas canvas = BlackCanvas();
        painter.DrawBerCell(canvas, c.text, CellRow::A);
        EXPECT_EQ(BoundsIn(canvas, kWhite, {192, 128, 320, 200}), c.cells) << c.text;
    }
    Canvas raised = BlackCanvas();
    painter.DrawBerCell(raised, "~.~~~~~", CellRow::B);
    EXPECT_EQ(BoundsIn(raised, kWhite, {192, 184, 320, 239}), (Rect{208, 184, 299, 216}));
    EXPECT_TRUE(AllOf(raised, kBlack, {208, 207, 221, 216})); // below the dashes, left of the "."
}

TEST_F(CellPainterTest, CorrectionTagIsFramedWhenOnAndErasedWhenOff)
{
    Canvas canvas;
    painter.DrawCorrectionTag(canvas, true, CellRow::A);
    EXPECT_TRUE(AllOf(canvas, kBlack, {286, 130, 314, 131}));
    EXPECT_TRUE(AllOf(canvas, kBlack, {286, 144, 314, 145}));
    EXPECT_TRUE(AllOf(canvas, kBlack, {286, 130, 287, 145}));
    EXPECT_TRUE(AllOf(canvas, kBlack, {313, 130, 314, 145}));
    EXPECT_EQ(BoundsOf(canvas, kBlack), (Rect{286, 130, 314, 145}));
    painter.DrawCorrectionTag(canvas, false, CellRow::A);
    EXPECT_TRUE(PixelsOf(canvas, kBlack).empty());

    Canvas rowB = BlackCanvas();
    painter.DrawCorrectionTag(rowB, false, CellRow::B);
    EXPECT_EQ(BoundsOf(rowB, kWhite), (Rect{286, 186, 314, 201}));
}

TEST_F(CellPainterTest, LimitWordIsReversedInItsBox)
{
    for (int mark : {0, 1, 2}) {
        Canvas canvas;
        painter.DrawCnCell(canvas, "  5.0", mark, CellRow::A);
        EXPECT_EQ(AllOf(canvas, kBlack, {287, 130, 316, 131}), mark != 0) << mark;
        EXPECT_EQ(AllOf(canvas, kBlack, {287, 130, 288, 145}), mark != 0) << mark;
        EXPECT_EQ(canvas.Pixel(286, 135), kWhite);
        EXPECT_EQ(canvas.Pixel(316, 135), kWhite);
    }
    Canvas mer;
    painter.DrawMerCell(mer, " 35.0", 2);
    EXPECT_TRUE(AllOf(mer, kBlack, {287, 186, 316, 187}));
    EXPECT_TRUE(AllOf(mer, kBlack, {192, 168, 204, 184}));
}

TEST_F(CellPainterTest, CnCellDashesFollowTheTextNotTheMark)
{
    struct Case {
        const char* text;
        Rect cells;
    };
    for (const Case& c : {Case{" ~~.~", {192, 128, 282, 164}}, Case{" __._", {192, 128, 282, 180}},
                          Case{" --.-", {192, 128, 282, 164}}}) {
        Canvas canvas = BlackCanvas();
        painter.DrawCnCell(canvas, c.text, 0, CellRow::A);
        EXPECT_EQ(BoundsIn(canvas, kWhite, {192, 128, 286, 190}), c.cells) << c.text;
        if (std::string(c.text) == " ~~.~") {
            EXPECT_TRUE(AllOf(canvas, kBlack, {192, 155, 246, 164}));
        }
    }
}

class FooterTest : public ::testing::Test {
protected:
    CScreen screen;
};

TEST_F(FooterTest, ModulationFooter)
{
    Canvas canvas;
    screen.DrawModulationFooter(canvas);
    PixelSet chains;
    AddRun(chains, 66, 224, 153, 224);
    chains.insert({154, 224});
    chains.insert({155, 225});
    AddRun(chains, 156, 226, 156, 239);
    chains.insert({158, 224});
    chains.insert({159, 225});
    AddRun(chains, 160, 226, 160, 239);
    EXPECT_EQ(PixelsIn(canvas, kBlack, {66, 200, 320, 240}), chains);
    EXPECT_TRUE(AllOf(canvas, kBlack, {1, 224, 4, 239}));
    EXPECT_TRUE(AllOf(canvas, kBlack, {61, 224, 66, 239}));
    EXPECT_TRUE(AllOf(canvas, kWhite, {61, 239, 66, 240})); // cleared, not inverted
    EXPECT_EQ(canvas.Pixel(0, 230), kWhite);

    Canvas text = BlackCanvas();
    screen.m_strModulation = "64QAM";
    screen.DrawModulationFooter(text);
    EXPECT_EQ(BoundsIn(text, kWhite, {70, 224, 150, 240}), (Rect{80, 225, 80 + 5 * 7, 239}));
}

TEST_F(FooterTest, ConverterFooterWithAndWithoutValue)
{
    screen.m_strConverter = "*10.678";
    Canvas canvas;
    screen.DrawConverterFooter(canvas);
    PixelSet chains;
    AddRun(chains, 64, 224, 314, 224);
    chains.insert({315, 225});
    AddRun(chains, 316, 226, 316, 239);
    chains.insert({318, 224});
    chains.insert({319, 225});
    EXPECT_EQ(PixelsIn(canvas, kBlack, {64, 200, 320, 240}), chains);
    EXPECT_TRUE(AllOf(canvas, kBlack, {1, 224, 4, 239}));

    for (const auto& [converter, cells] : {std::pair{"10.678", 9}, std::pair{"", 3}}) {
        Canvas text = BlackCanvas();
        screen.m_strConverter = converter;
        screen.DrawConverterFooter(text);
        EXPECT_EQ(BoundsIn(text, kWhite, {200, 225, 312, 240}), (Rect{232, 225, 232 + cells * 7, 239}));
    }
}

TEST(ScreenFonts, NumbersOutsideOneToSixSelectFontZero)
{
    const CScreen screen;
    for (const auto& [number, width] : {std::pair{0, 13}, {1, 10}, {2, 8}, {3, 7}, {4, 18}, {5, 6}, {6, 9}, {7, 13}, {-1, 13}}) {
        Canvas canvas = BlackCanvas();
        screen.SelectFont(number, canvas);
        canvas.TextOut(10, 10, " ");
        EXPECT_EQ(BoundsOf(canvas, kWhite).right, 10 + width) << number;
    }
}

} // namespace
