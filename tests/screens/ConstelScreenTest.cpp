#include "screens/CConstelScreen.h"

#include "screens/ScreenTestSupport.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

namespace {

RecordRow ConstelRow(const std::string& mer, int system = 0, const std::string& column0 = "C01")
{
    RecordRow row;
    row.SetColumn(0, column0);
    row.SetColumn(1, "CONSTEL-1");
    row.SetColumn(2, "UHF");
    row.SetColumn(3, "27");
    row.SetColumn(8, "64QAM");
    row.SetColumn(18, std::to_string(system));
    row.SetColumn(20, mer);
    return row;
}

constexpr int kPictureSize = CConstelScreen::kPictureColumns * CConstelScreen::kPictureRows;

TEST(ConstelScreen, MerFormsAndLimits)
{
    struct Case {
        const char* stored;
        const char* shown;
        int limit;
    };
    const Case cases[] = {
        {"17.3", "17.3", 0}, {"5", " 5.0", 1},     {"5.0", " 5.0", 1},  {"4.2", " 5.0", 1},
        {"30", "30.0", 2},   {"45.1", "30.0", 2},  {"29.9", "29.9", 0}, {"abc", " 5.0", 1},
        {"---.-", "--.-", 0}, {"___._", "__._", 0}, {"~~~.~", "~~.~", 0},
    };
    for (const Case& c : cases) {
        CConstelScreen screen;
        screen.Load(ConstelRow(c.stored), "");
        EXPECT_EQ(screen.m_strMer, c.shown) << c.stored;
        EXPECT_EQ(screen.m_nMerLimit, c.limit) << c.stored;
    }
}

TEST(ConstelScreen, SystemCodeChoosesLabelAndLayout)
{
    struct Case {
        int system;
        const char* label;
    };
    for (const Case& c : {Case{0, "地上デジタル"}, Case{1, "ワンセグ"}, Case{7, "ＶＵ・ＣＡＴＶ"}, Case{3, " "}}) {
        CConstelScreen screen;
        screen.Load(ConstelRow("20.0", c.system), "");
        EXPECT_EQ(screen.m_strSystemLabel, EncodeCardText(c.label)) << c.system;
        EXPECT_EQ(screen.m_strCaption, "CONSTEL-1");
        Canvas dc;
        screen.Draw(dc);
        // Plot square and axes on the three layouts; a white face otherwise.
        const bool drawn = c.system != 3;
        EXPECT_EQ(dc.Pixel(220, 100) == kBlack, drawn) << c.system;
        EXPECT_EQ(dc.Pixel(124, 100) == kBlack, drawn) << c.system;
        EXPECT_EQ(HasInk(dc, Rect{1, 1, 319, 239}), drawn) << c.system;
        // The dotted grid (three on, three off from y 26) only for layer B.
        const bool grid = c.system == 0 || c.system == 7;
        EXPECT_EQ(dc.Pixel(148, 27) == kBlack, grid) << c.system;
        EXPECT_EQ(dc.Pixel(148, 30), kWhite) << c.system;
        EXPECT_EQ(dc.Pixel(125, 50) == kBlack, grid) << c.system;
    }
}

TEST(ConstelScreen, BoxOutlinesAndReversedLabels)
{
    CConstelScreen screen;
    screen.Load(ConstelRow("20.0"), "");
    Canvas dc;
    screen.Draw(dc);
    struct Pixel {
        int x;
        int y;
        Rgb colour;
    };
    const Pixel pixels[] = {
        // Band box: top rule to 106, bevel, right edge to 41; second bevel down to 73.
        {0, 26, kBlack}, {105, 26, kBlack}, {107, 27, kBlack}, {108, 41, kBlack}, {108, 42, kWhite},
        {110, 26, kBlack}, {111, 27, kBlack}, {112, 73, kBlack}, {112, 74, kWhite},
        // Channel and layer boxes.
        {51, 82, kBlack}, {54, 97, kBlack}, {58, 129, kBlack}, {58, 130, kWhite},
        {105, 82, kBlack}, {108, 97, kBlack}, {112, 129, kBlack},
        // MER box.
        {105, 138, kBlack}, {108, 153, kBlack}, {112, 185, kBlack}, {112, 186, kWhite},
        // Reversed label boxes, sampled beside their texts.
        {62, 27, kBlack}, {62, 41, kBlack}, {64, 27, kWhite},
        {2, 83, kBlack}, {24, 97, kBlack}, {25, 90, kWhite},
        {65, 83, kBlack}, {99, 97, kBlack}, {100, 90, kWhite},
        {2, 139, kBlack}, {43, 153, kBlack}, {44, 145, kWhite},
        // Plot square and axes.
        {124, 26, kBlack}, {316, 26, kBlack}, {316, 218, kBlack}, {124, 218, kBlack},
        {220, 217, kBlack}, {315, 122, kBlack}, {317, 122, kWhite}, {123, 122, kWhite},
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(dc.Pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(ConstelScreen, DotsComeFromTheGivenPicture)
{
    TempCard card;
    card.Write("F/CONSTEL/f.c01", std::string(kPictureSize, '\x80'));
    CConstelScreen screen;
    screen.Load(ConstelRow("20.0", 1), card.Path("F/CONSTEL/f.c01"));
    Canvas dc;
    screen.Draw(dc);
    // One black column every 8 pixels from x 120 on, over the rows 26 to 218.
    for (int x = 120; x < 320; ++x) {
        if (x == 124 || x == 220 || x == 316)
            continue; // the square's sides and the axis
        const Rgb expected = (x - 120) % 8 == 0 ? kBlack : kWhite;
        EXPECT_EQ(dc.Pixel(x, 60), expected) << x;
        EXPECT_EQ(dc.Pixel(x, 218), (x >= 124 && x < 316) ? kBlack : expected) << x;
    }
    EXPECT_EQ(dc.Pixel(128, 25), kWhite);
    EXPECT_EQ(dc.Pixel(128, 219), kWhite);
}

TEST(ConstelScreen, FullPictureBlackensTheWholeArea)
{
    TempCard card;
    card.Write("F/CONSTEL/F.C01", std::string(kPictureSize, '\xFF'));
    CConstelScreen screen;
    screen.Load(ConstelRow("20.0"), card.Path("F/CONSTEL/F.C01"));
    Canvas dc;
    screen.Draw(dc);
    for (int y = 26; y <= 218; ++y)
        for (int x = 120; x < 320; ++x)
            ASSERT_EQ(dc.Pixel(x, y), kBlack) << x << "," << y;
}

TEST(ConstelScreen, ShortOrMissingPictureDrawsWhatThereIs)
{
    TempCard card;
    card.Write("F/CONSTEL/F.C01", std::string(10, '\xFF'));
    CConstelScreen screen;
    screen.Load(ConstelRow("20.0", 1), card.Path("F/CONSTEL/F.C01"));
    Canvas dc;
    screen.Draw(dc);
    EXPECT_EQ(dc.Pixel(121, 26 + 9), kBlack);
    EXPECT_EQ(dc.Pixel(121, 26 + 10), kWhite);
    EXPECT_EQ(dc.Pixel(129, 30), kWhite); // the second byte column was never read

    CConstelScreen missing;
    missing.Load(ConstelRow("20.0", 1), card.Path("F/CONSTEL/G.C01"));
    Canvas empty;
    missing.Draw(empty);
    EXPECT_EQ(empty.Pixel(121, 30), kWhite);
    EXPECT_EQ(empty.Pixel(220, 30), kBlack);
}

TEST(ConstelScreen, MerBoxShowsTheLimitWordReversed)
{
    CConstelScreen screen;
    screen.Load(ConstelRow("31.0"), "");
    Canvas dc;
    screen.Draw(dc);
    EXPECT_EQ(dc.Pixel(79, 155), kBlack); // corner of the reversed limit box
    EXPECT_EQ(dc.Pixel(2, 139), kBlack);  // the reversed "MER" label box

    screen.Load(ConstelRow("17.3"), "");
    Canvas plain;
    screen.Draw(plain);
    EXPECT_EQ(plain.Pixel(79, 155), kWhite);
    EXPECT_TRUE(ShowsText(plain, Rect{3, 154, 75, 190}, 4, 3, 154, "17.3"));
}

TEST(ConstelScreen, PlaceholderMerDashesStandHighOrLow)
{
    struct Case {
        const char* stored;
        int dashesY;
    };
    for (const Case& c : {Case{"~~~.~", 145}, Case{"___._", 170}}) {
        CConstelScreen screen;
        screen.Load(ConstelRow(c.stored), "");
        Canvas dc;
        screen.Draw(dc);
        Canvas expected;
        CScreen fonts;
        fonts.SelectFont(4, expected);
        expected.TextOut(3, c.dashesY, "-- -");
        expected.TextOut(39, 154, ".");
        // Left of the "dB" and limit texts, below the reversed MER label.
        for (int y = 155; y < 206; ++y)
            for (int x = 3; x < 75; ++x)
                ASSERT_EQ(dc.Pixel(x, y), expected.Pixel(x, y)) << c.stored << " " << x << "," << y;
    }
}

TEST(ConstelScreen, BandNameFontByLength)
{
    struct Case {
        const char* name;
        int font;
    };
    for (const Case& c : {Case{"  UHF  ", 0}, Case{"ABCDEFGHI", 1}, Case{"BSパススルー", 2}}) {
        CConstelScreen screen;
        RecordRow row = ConstelRow("20.0");
        row.SetColumn(2, EncodeCardText(c.name));
        screen.Load(row, "");
        Canvas dc;
        screen.Draw(dc);
        std::string trimmed = c.name;
        trimmed.erase(0, trimmed.find_first_not_of(' '));
        trimmed.erase(trimmed.find_last_not_of(' ') + 1);
        EXPECT_TRUE(ShowsText(dc, Rect{3, 50, 106, 74}, c.font, 3, 50, trimmed)) << c.name;
    }
}

} // namespace
