#include "screens/CLevelScreen.h"

#include "screens/ScreenTestSupport.h"

#include <gtest/gtest.h>

namespace {

RecordRow TerrestrialRow()
{
    return CardRow({{1, "caption"}, {2, "東京"}, {3, "27"}, {4, "64QAM"}, {5, "557.142857"},
                    {6, "63.46"}, {7, "18.24"}, {8, "OFDM"}, {9, "10.678"}, {10, "OFF"},
                    {11, "10"}, {12, "0"}, {18, "0"}});
}

TEST(LevelScreen, PrepareFormsTheDisplayFields)
{
    CLevelScreen screen;
    const RecordRow row = TerrestrialRow();
    screen.Load(&row);
    EXPECT_EQ(screen.m_strCaption, "caption");
    EXPECT_EQ(screen.m_strBandName, Sjis("東京"));
    EXPECT_EQ(screen.m_strChannel, "27");
    EXPECT_EQ(screen.m_strLevel, " 63.5");
    EXPECT_EQ(screen.m_strCn, " 18.2");
    EXPECT_EQ(screen.m_strFrequency, " 557");
    EXPECT_EQ(screen.m_strModulation, "64QAM");
    EXPECT_EQ(screen.m_strConverter, "10.678");
    EXPECT_EQ(screen.m_bCorrection, 0);
    EXPECT_EQ(screen.m_nClass, 1);
    EXPECT_EQ(screen.m_nClassHint, 10);
    EXPECT_EQ(screen.m_nSystem, 0);
    std::string systemLabel;
    std::string caption;
    StringField systemField(systemLabel);
    StringField captionField(caption);
    screen.SetSystemLabel(systemField);
    screen.SetCaption(captionField);
    EXPECT_EQ(systemLabel, Sjis("地上デジタル"));
    EXPECT_EQ(caption, "caption");
}

TEST(LevelScreen, ClassTwoTakesModulationFromColumn8AndTwoDecimals)
{
    CLevelScreen screen;
    RecordRow row = TerrestrialRow();
    row.SetColumn(12, "2");
    row.SetColumn(10, "");
    screen.Load(&row);
    EXPECT_EQ(screen.m_strModulation, "OFDM");
    EXPECT_EQ(screen.m_strFrequency, "557.14");
    EXPECT_EQ(screen.m_bCorrection, 1);
}

TEST(LevelScreen, SystemLabels)
{
    struct Case {
        const char* code;
        const char* label;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"0", "地上デジタル"}, {"1", " "}, {"2", "ＢＳデジタル"}, {"3", "ｅ２ｂｙスカパー！"},
             {"4", " "}, {"6", " "}, {"7", "ＶＵ・ＣＡＴＶ"}, {"8", "ＶＵ・ＣＡＴＶ"},
             {"9", "その他衛星"}, {"10", "その他衛星"}, {"11", "ＣＡＴＶ上り"}, {"12", " "}, {"-1", " "}}) {
        CLevelScreen screen;
        const RecordRow row = CardRow({{18, c.code}});
        screen.Load(&row);
        EXPECT_EQ(screen.m_strSystemLabel, Sjis(c.label)) << c.code;
    }
}

TEST(LevelScreen, LoadKeepsItsOwnCopyAndNullOnlyClearsTheClass)
{
    CLevelScreen screen;
    RecordRow row = TerrestrialRow();
    screen.Load(&row);
    row.SetColumn(6, "99.9");
    EXPECT_EQ(screen.m_row.Column(6), "63.46");
    screen.Load(nullptr);
    EXPECT_EQ(screen.m_nClass, 0);
    EXPECT_EQ(screen.m_strLevel, " 63.5");
}

TEST(LevelScreen, TerrestrialLayout)
{
    for (const char* code : {"0", "7", "8", "11"}) {
        CLevelScreen screen;
        RecordRow row = TerrestrialRow();
        row.SetColumn(18, code);
        row.SetColumn(10, "3.0");
        screen.Load(&row);
        ExpectedPicture expected;
        expected.painter.DrawBandNameCell(expected.canvas, Sjis("東京"));
        expected.painter.DrawChannelCell(expected.canvas, "27", CellRow::A);
        expected.painter.DrawFrequencyCell(expected.canvas, " 557");
        expected.painter.DrawLevelCell(expected.canvas, " 63.5", Normal, CellRow::A);
        expected.painter.DrawCorrectionTag(expected.canvas, true, CellRow::A);
        expected.ModulationFooter("64QAM");
        const Canvas picture = PictureOf(screen);
        EXPECT_TRUE(SamePicture(picture, expected.canvas)) << code;
        EXPECT_TRUE(TopIsWhite(picture));
    }
}

TEST(LevelScreen, SatelliteLayoutsAndTheDrawTimeLevelState)
{
    // Class 2, TC8PSK: 130.0 - 11.4 = 118.6 stays below 120.1, so the number shows.
    const RecordRow row = CardRow({{2, "BSAT-3A"}, {3, "BS15"}, {4, "QPSK"}, {5, "1318.0"}, {6, "130.0"},
                                   {7, "~~~.~"}, {8, "TC8PSK"}, {9, "*"}, {10, "OFF"}, {12, "2"}, {18, "10"}});
    for (const char* code : {"2", "3", "9", "10"}) {
        RecordRow coded = row;
        coded.SetColumn(18, code);
        CLevelScreen screen;
        screen.Load(&coded);
        ExpectedPicture expected;
        expected.painter.DrawSatelliteNameCell(expected.canvas, "BSAT-3A", CellRow::A);
        expected.painter.DrawChannelCell(expected.canvas, "BS15", CellRow::A);
        expected.painter.DrawChannelTag(expected.canvas, "TC8PSK", CellRow::A);
        expected.painter.DrawFrequencyCell(expected.canvas, "318.00");
        expected.painter.DrawLevelCell(expected.canvas, "130.0", Normal, CellRow::A);
        expected.painter.DrawCorrectionTag(expected.canvas, false, CellRow::A);
        if (std::string(code) == "10")
            expected.painter.DrawCnCell(expected.canvas, " ~~.~", 0, CellRow::B);
        expected.ConverterFooter("*");
        EXPECT_TRUE(SamePicture(PictureOf(screen), expected.canvas)) << code;
    }
}

TEST(LevelScreen, LevelAtTheClassLimitDrawsRaisedDashes)
{
    RecordRow row = TerrestrialRow();
    row.SetColumn(6, "105.0");
    CLevelScreen screen;
    screen.Load(&row);
    EXPECT_EQ(screen.LevelState(screen.m_row, screen.m_nClass), OverRange);
    ExpectedPicture expected;
    expected.painter.DrawBandNameCell(expected.canvas, Sjis("東京"));
    expected.painter.DrawChannelCell(expected.canvas, "27", CellRow::A);
    expected.painter.DrawFrequencyCell(expected.canvas, " 557");
    expected.painter.DrawLevelCell(expected.canvas, "105.0", OverRange, CellRow::A);
    expected.painter.DrawCorrectionTag(expected.canvas, false, CellRow::A);
    expected.ModulationFooter("64QAM");
    EXPECT_TRUE(SamePicture(PictureOf(screen), expected.canvas));
}

TEST(LevelScreen, UnknownSystemCodesLeaveTheScreenBlank)
{
    for (const char* code : {"1", "4", "5", "6", "12", "-3", "99999999999"}) {
        RecordRow row = TerrestrialRow();
        row.SetColumn(18, code);
        CLevelScreen screen;
        screen.Load(&row);
        EXPECT_TRUE(IsBlank(PictureOf(screen))) << code;
    }
}

} // namespace
