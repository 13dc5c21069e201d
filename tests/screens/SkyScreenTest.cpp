#include "screens/CSkyScreen.h"

#include "screens/ScreenTestSupport.h"

#include <gtest/gtest.h>

namespace {

RecordRow SkyRow(const char* system)
{
    return CardRow({{1, "caption"}, {2, "JCSAT-3A"}, {3, "CS2"}, {4, "Q"}, {6, "~~~.~"}, {7, "4.0"},
                    {8, "OFDM"}, {9, "11.2"}, {10, "OFF"}, {18, system}, {19, "_._____"},
                    {21, "JCSAT-4A"}, {22, "CS4"}, {23, "8"}, {24, "63.5"}, {25, "-.-----"},
                    {26, "26.1"}, {27, "3.0"}});
}

TEST(SkyScreen, PrepareFormsBothRows)
{
    CSkyScreen screen;
    const RecordRow row = SkyRow("6");
    screen.Load(&row);
    EXPECT_EQ(screen.m_strLevel, " ~~.~");
    EXPECT_EQ(screen.m_strLevel2, " 63.5");
    EXPECT_EQ(screen.m_strCn, "  5.0");
    EXPECT_EQ(screen.m_nCnLimit, 1);
    EXPECT_EQ(screen.m_strCn2, " 25.0");
    EXPECT_EQ(screen.m_nCnLimit2, 2);
    EXPECT_EQ(screen.m_strBer, "_._____");
    EXPECT_EQ(screen.m_strBer2, "-.-----");
    EXPECT_EQ(screen.m_bCorrection, 0);
    EXPECT_EQ(screen.m_bCorrection2, 1);
    EXPECT_EQ(screen.m_strBandName2, "JCSAT-4A");
    EXPECT_EQ(screen.m_strChannel2, "CS4");
    EXPECT_EQ(screen.m_strModulation, "Q");
    EXPECT_EQ(screen.m_strModulation2, "8");
    EXPECT_EQ(screen.m_strConverter, "11.2");
    for (const char* code : {"4", "5", "6"}) {
        const RecordRow coded = CardRow({{18, code}});
        screen.Load(&coded);
        EXPECT_EQ(screen.m_strSystemLabel, Sjis("スカイパーフェクトＴＶ！"));
    }
    for (const char* code : {"0", "3", "7", "11"}) {
        const RecordRow coded = CardRow({{18, code}});
        screen.Load(&coded);
        EXPECT_EQ(screen.m_strSystemLabel, " ");
    }
}

ExpectedPicture Rows()
{
    ExpectedPicture expected;
    expected.painter.DrawSatelliteNameCell(expected.canvas, "JCSAT-3A", CellRow::A);
    expected.painter.DrawSatelliteNameCell(expected.canvas, "JCSAT-4A", CellRow::B);
    expected.painter.DrawChannelCell(expected.canvas, "CS2", CellRow::A);
    expected.painter.DrawChannelTag(expected.canvas, "Q", CellRow::A);
    expected.painter.DrawChannelCell(expected.canvas, "CS4", CellRow::B);
    expected.painter.DrawChannelTag(expected.canvas, "8", CellRow::B);
    return expected;
}

TEST(SkyScreen, LevelLayoutWithBothCorrectionTags)
{
    CSkyScreen screen;
    const RecordRow row = SkyRow("4");
    screen.Load(&row);
    ExpectedPicture expected = Rows();
    expected.painter.DrawLevelCell(expected.canvas, " ~~.~", OverRange, CellRow::A);
    expected.painter.DrawLevelCell(expected.canvas, " 63.5", Normal, CellRow::B);
    expected.painter.DrawCorrectionTag(expected.canvas, false, CellRow::A);
    expected.painter.DrawCorrectionTag(expected.canvas, true, CellRow::B);
    expected.ConverterFooter("11.2");
    const Canvas picture = PictureOf(screen);
    EXPECT_TRUE(SamePicture(picture, expected.canvas));
    EXPECT_TRUE(TopIsWhite(picture));
}

TEST(SkyScreen, SecondRowOverRangeUsesItsOwnCorrection)
{
    struct Case {
        const char* firstCorrection;
        const char* secondCorrection;
        ValueState second;
    };
    for (const Case& c : {Case{"20.0", "OFF", OverRange}, Case{"OFF", "6.0", Normal}}) {
        RecordRow row = SkyRow("4");
        row.SetColumn(24, "110.0");
        row.SetColumn(10, c.firstCorrection);
        row.SetColumn(27, c.secondCorrection);
        CSkyScreen screen;
        screen.Load(&row);
        EXPECT_EQ(screen.LevelState2(screen.m_row, screen.m_nClass), c.second);
        ExpectedPicture expected = Rows();
        expected.painter.DrawLevelCell(expected.canvas, " ~~.~", OverRange, CellRow::A);
        expected.painter.DrawLevelCell(expected.canvas, "110.0", c.second, CellRow::B);
        expected.painter.DrawCorrectionTag(expected.canvas, std::string(c.firstCorrection) != "OFF", CellRow::A);
        expected.painter.DrawCorrectionTag(expected.canvas, std::string(c.secondCorrection) != "OFF", CellRow::B);
        expected.ConverterFooter("11.2");
        EXPECT_TRUE(SamePicture(PictureOf(screen), expected.canvas)) << c.firstCorrection;
    }
}

TEST(SkyScreen, BerAndCnLayouts)
{
    CSkyScreen screen;
    const RecordRow bers = SkyRow("5");
    screen.Load(&bers);
    ExpectedPicture expected = Rows();
    expected.painter.DrawBerCell(expected.canvas, "_._____", CellRow::A);
    expected.painter.DrawBerCell(expected.canvas, "-.-----", CellRow::B);
    expected.ConverterFooter("11.2");
    EXPECT_TRUE(SamePicture(PictureOf(screen), expected.canvas));

    const RecordRow cns = SkyRow("6");
    screen.Load(&cns);
    ExpectedPicture limited = Rows();
    limited.painter.DrawCnCell(limited.canvas, "  5.0", 1, CellRow::A);
    limited.painter.DrawCnCell(limited.canvas, " 25.0", 2, CellRow::B);
    limited.ConverterFooter("11.2");
    EXPECT_TRUE(SamePicture(PictureOf(screen), limited.canvas));
}

TEST(SkyScreen, OtherCodesLeaveTheScreenBlank)
{
    for (const char* code : {"0", "1", "2", "3", "7", "8", "9", "10", "11", "-4"}) {
        const RecordRow row = SkyRow(code);
        CSkyScreen screen;
        screen.Load(&row);
        EXPECT_TRUE(IsBlank(PictureOf(screen))) << code;
    }
}

} // namespace
