#include "screens/CBerScreen.h"

#include "screens/ScreenTestSupport.h"

#include <gtest/gtest.h>

namespace {

RecordRow BerRow(const char* system)
{
    return CardRow({{1, "caption"}, {2, "UHF"}, {3, "27"}, {4, "OFDM"}, {5, "770.9"}, {7, "22.0"},
                    {8, "64QAM"}, {9, "10.678"}, {11, "10"}, {18, system}, {19, "2.1E-4"}, {20, "25.0"}});
}

TEST(BerScreen, LimitsAndMarksBySystemCode)
{
    struct Case {
        const char* system;
        const char* bandName;
        const char* cn;
        const char* mer;
        const char* shownCn;
        int cnMark;
        const char* shownMer;
        int merMark;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"0", "UHF", "3.0", "40", "  5.0", 1, " 40.0", 0},
             {"0", "UHF", "~~~.~", "4", " ~~.~", 0, "  4.0", 0},
             {"0", "UHF", "31.7", "", " 30.0", 2, "  0.0", 0},
             {"1", "UHF", "40", "31.0", " 40.0", 0, " 30.0", 2},
             {"7", "UHF", "4.2", "19.5", "  5.0", 1, " 20.0", 1},
             {"7", "UHF", "29.9", "38.2", " 29.9", 0, " 35.0", 2},
             {"2", "BSAT", "26", "", " 25.0", 2, "  0.0", 0},
             {"9", " JCSAT-4A ", "27.5", "", " 25.0", 2, "  0.0", 0},
             {"9", "JCSAT-5A", "27.5", "", " 27.5", 0, "  0.0", 0},
             {"8", "UHF", "1.0", "1.0", "  1.0", 0, "  1.0", 0},
         }) {
        RecordRow row = BerRow(c.system);
        row.SetColumn(2, c.bandName);
        row.SetColumn(7, c.cn);
        row.SetColumn(20, c.mer);
        CBerScreen screen;
        screen.Load(&row);
        EXPECT_EQ(screen.m_strCn, c.shownCn) << c.system << " " << c.cn;
        EXPECT_EQ(screen.m_nCnLimit, c.cnMark) << c.system << " " << c.cn;
        EXPECT_EQ(screen.m_strMer, c.shownMer) << c.system << " " << c.mer;
        EXPECT_EQ(screen.m_nMerLimit, c.merMark) << c.system << " " << c.mer;
    }
}

TEST(BerScreen, PrepareFieldsAndLabels)
{
    CBerScreen screen;
    RecordRow row = BerRow("1");
    row.SetColumn(19, "~.~~~~~");
    screen.Load(&row);
    EXPECT_EQ(screen.m_strBer, "~.~~~~~");
    EXPECT_EQ(screen.m_strFrequency, " 770");
    EXPECT_EQ(screen.m_strModulation, "OFDM");
    EXPECT_EQ(screen.m_strCaption, "caption");
    row.SetColumn(12, "2");
    screen.Load(&row);
    EXPECT_EQ(screen.m_strFrequency, "770.90");
    EXPECT_EQ(screen.m_strModulation, "64QAM");

    struct Case {
        const char* code;
        const char* label;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"0", "地上デジタル"}, {"1", "ワンセグ"}, {"2", "ＢＳデジタル"}, {"3", "ｅ２ｂｙスカパー！"},
             {"4", " "}, {"7", "ＶＵ・ＣＡＴＶ"}, {"8", " "}, {"9", "その他衛星"}, {"10", " "}, {"-2", " "}}) {
        const RecordRow coded = CardRow({{18, c.code}});
        screen.Load(&coded);
        EXPECT_EQ(screen.m_strSystemLabel, Sjis(c.label)) << c.code;
    }
}

ExpectedPicture Terrestrial(const CBerScreen& screen)
{
    ExpectedPicture expected;
    expected.painter.DrawBandNameCell(expected.canvas, screen.m_strBandName);
    expected.painter.DrawChannelCell(expected.canvas, "27", CellRow::A);
    expected.painter.DrawFrequencyCell(expected.canvas, screen.m_strFrequency);
    expected.painter.DrawBerCell(expected.canvas, "2.1E-4", CellRow::A);
    return expected;
}

TEST(BerScreen, TerrestrialLayoutChoosesCnOrMer)
{
    struct Case {
        const char* system;
        const char* classColumn;
        bool mer;
    };
    // Code 7 decides on the shown modulation: column 4 (class 1) holds OFDM,
    // column 8 (class 2) holds 64QAM.
    for (const Case& c : {Case{"0", "0", false}, Case{"1", "0", true}, Case{"7", "1", false}, Case{"7", "2", true}}) {
        RecordRow row = BerRow(c.system);
        row.SetColumn(12, c.classColumn);
        CBerScreen screen;
        screen.Load(&row);
        ExpectedPicture expected = Terrestrial(screen);
        if (c.mer)
            expected.painter.DrawMerCell(expected.canvas, screen.m_strMer, screen.m_nMerLimit);
        else
            expected.painter.DrawCnCell(expected.canvas, screen.m_strCn, screen.m_nCnLimit, CellRow::B);
        expected.ModulationFooter(screen.m_strModulation);
        const Canvas picture = PictureOf(screen);
        EXPECT_TRUE(SamePicture(picture, expected.canvas)) << c.system << " class " << c.classColumn;
        EXPECT_TRUE(TopIsWhite(picture));
    }
}

TEST(BerScreen, SatelliteLayout)
{
    for (const char* code : {"2", "3", "9"}) {
        RecordRow row = BerRow(code);
        row.SetColumn(2, "JCSAT-3A");
        row.SetColumn(7, "27.5");
        row.SetColumn(19, "_._____");
        CBerScreen screen;
        screen.Load(&row);
        ExpectedPicture expected;
        expected.painter.DrawSatelliteNameCell(expected.canvas, "JCSAT-3A", CellRow::A);
        expected.painter.DrawChannelCell(expected.canvas, "27", CellRow::A);
        expected.painter.DrawChannelTag(expected.canvas, "OFDM", CellRow::A);
        expected.painter.DrawFrequencyCell(expected.canvas, " 770");
        expected.painter.DrawBerCell(expected.canvas, "_._____", CellRow::A);
        expected.painter.DrawCnCell(expected.canvas, " 25.0", 2, CellRow::B);
        expected.ConverterFooter("10.678");
        EXPECT_TRUE(SamePicture(PictureOf(screen), expected.canvas)) << code;
    }
}

TEST(BerScreen, OtherCodesLeaveTheScreenBlank)
{
    for (const char* code : {"4", "5", "6", "8", "10", "11", "-1"}) {
        const RecordRow row = BerRow(code);
        CBerScreen screen;
        screen.Load(&row);
        EXPECT_TRUE(IsBlank(PictureOf(screen))) << code;
    }
}

} // namespace
