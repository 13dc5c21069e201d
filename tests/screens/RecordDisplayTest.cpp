#include "screens/RecordDisplay.h"

#include "data/CDataItem.h"
#include "screens/ScreenTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Labels(const RecordDisplay& display)
{
    std::vector<std::string> labels;
    for (int i = 0; i < 4; ++i)
        labels.push_back(display.LabelText(RecordDisplay::Label(i)));
    return labels;
}

RecordRow TitledRow(const std::string& caption, int system)
{
    RecordRow row;
    row.SetColumn(0, "C01");
    row.SetColumn(1, caption);
    row.SetColumn(2, "UHF");
    row.SetColumn(18, std::to_string(system));
    return row;
}

CDataItem MultiItem(const MultiCard& card, const std::vector<std::string>& levels)
{
    CDataItem item(kindMulti, 2, "7", "/card/F/MULTI/02.CSV");
    item.m_channels = card.Rows(levels);
    return item;
}

const std::vector<std::string> kNothingShown = {" ", "  ", "  ", " "};

TEST(RecordDisplay, StartsWithTheInitialLabelsAndNoScreen)
{
    RecordDisplay display;
    EXPECT_EQ(display.ScreenId(), 0);
    EXPECT_EQ(Labels(display), (std::vector<std::string>{"", "0", "0", ""}));
}

TEST(RecordDisplay, SelectionChoosesTheScreenAndFillsTheLabels)
{
    struct Case {
        DataKind kind;
        int screenId;
        int system;
        const char* systemLabel;
    };
    for (const Case& c : {Case{kindLevel, 1, 0, "地上デジタル"}, Case{kindBer, 2, 2, "ＢＳデジタル"},
                          Case{kindSky, 3, 4, "スカイパーフェクトＴＶ！"}, Case{kindConstel, 4, 7, "ＶＵ・ＣＡＴＶ"}}) {
        SCOPED_TRACE(c.screenId);
        const RecordRow row = TitledRow("TITLE" + std::to_string(c.screenId), c.system);
        const CDataItem item(c.kind, 3, "12", "/card/F/K/F.CSV", &row);
        RecordDisplay display;
        display.Select(&item);
        EXPECT_EQ(display.ScreenId(), c.screenId);
        ASSERT_NE(display.ShownScreen(), nullptr);
        EXPECT_EQ(display.m_record, row);
        EXPECT_EQ(Labels(display), (std::vector<std::string>{EncodeCardText(c.systemLabel), "3", "12",
                                                             "TITLE" + std::to_string(c.screenId)}));
    }
}

TEST(RecordDisplay, ConstelScreenGetsThePictureTheScanFound)
{
    const RecordRow row = TitledRow("C", 0);
    CDataItem item(kindConstel, 1, "1", "/card/F/CONSTEL/F.CSV", &row);
    item.m_strPicturePath = SharedText("/card/F/CONSTEL/f.c01");
    RecordDisplay display;
    display.Select(&item);
    EXPECT_EQ(display.m_constelScreen.m_strPicturePath, "/card/F/CONSTEL/f.c01");
}

TEST(RecordDisplay, MultiSelectionKeepsTheRecordBufferAndFolderShowsNothing)
{
    const RecordRow row = TitledRow("LEVEL-1", 0);
    const CDataItem level(kindLevel, 1, "4", "/card/F/LEVEL/F.CSV", &row);
    const CDataItem multi = MultiItem(MultiCard{.group = "VU/CATV"}, {"60.0", "61.0"});
    const CDataItem folder(kindFolder, 0, "", "");
    RecordDisplay display;
    display.Select(&level);
    display.Select(&multi);
    EXPECT_EQ(display.ScreenId(), 5);
    EXPECT_EQ(display.m_record, row);
    EXPECT_EQ(Labels(display), (std::vector<std::string>{"VU/CATV", "2", "7", "MULTI-1"}));

    display.Select(&folder);
    EXPECT_EQ(display.ScreenId(), 0);
    EXPECT_EQ(Labels(display), kNothingShown);
    display.Select(&multi);
    display.Select(nullptr);
    EXPECT_EQ(display.ScreenId(), 0);
    EXPECT_EQ(Labels(display), kNothingShown);
}

TEST(RecordDisplay, PaintShowsAWhiteFramedFaceWhenNothingIsShown)
{
    RecordDisplay display;
    display.Select(nullptr);
    Canvas dc;
    dc.FillRect(Rect{0, 0, 320, 240}, 0x123456);
    display.Paint(dc);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const bool border = x == 0 || y == 0 || x == 319 || y == 239;
            ASSERT_EQ(dc.Pixel(x, y), border ? kBlack : kWhite) << x << "," << y;
        }
}

TEST(RecordDisplay, KeysActByScreenAndShift)
{
    enum Effect { None, Tree, CursorLeft, CursorRight, Coarser, Finer, Raise, Lower, Reference };
    struct Case {
        int screenId;
        InstrumentKey key;
        bool shift;
        Effect effect;
    };
    using K = InstrumentKey;
    const Case cases[] = {
        {0, K::Up, false, Tree},        {0, K::Down, false, Tree},       {0, K::Left, false, Tree},
        {0, K::Right, false, Tree},     {0, K::Up, true, None},          {0, K::Left, true, None},
        {0, K::Enter, false, None},     {1, K::Up, false, Tree},         {1, K::Down, false, Tree},
        {1, K::Left, false, None},      {1, K::Right, false, None},      {1, K::Down, true, None},
        {1, K::Enter, true, None},      {5, K::Up, false, Tree},         {5, K::Down, false, Tree},
        {5, K::Left, false, CursorLeft}, {5, K::Right, false, CursorRight}, {5, K::Left, true, Coarser},
        {5, K::Right, true, Finer},     {5, K::Up, true, Raise},         {5, K::Down, true, Lower},
        {5, K::Enter, false, Reference}, {5, K::Enter, true, Reference},
    };
    const RecordRow row = TitledRow("L", 0);
    const CDataItem level(kindLevel, 1, "1", "/card/F/LEVEL/F.CSV", &row);
    // VU/CATV at 4 dB a division, top 84: every scale key has room to move.
    const CDataItem multi = MultiItem(MultiCard{.group = "VU/CATV", .range = 1, .offset = 3, .cursor = 2},
                                      {"60.0", "61.0", "62.0"});
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.screenId << " key " << int(c.key) << " shift " << c.shift);
        RecordDisplay display;
        display.Select(c.screenId == 1 ? &level : c.screenId == 5 ? &multi : nullptr);
        Canvas dc;
        display.Paint(dc);
        const Canvas before = dc;
        const CMultiScreen& m = display.m_multiScreen;
        const int top = m.m_nTop;
        const int range = m.m_nRange;
        EXPECT_EQ(display.PressKey(c.key, c.shift, dc), c.effect == Tree);
        if (c.screenId != 5) {
            EXPECT_EQ(dc.Pixels(), before.Pixels()); // nothing drawn
            continue;
        }
        EXPECT_EQ(m.m_nCursor, c.effect == CursorLeft ? 1 : c.effect == CursorRight ? 3 : 2);
        EXPECT_EQ(m.m_nReference, c.effect == Reference ? 2 : -1);
        EXPECT_EQ(m.m_nRange, c.effect == Coarser ? range - 1 : c.effect == Finer ? range + 1 : range);
        if (c.effect == Raise) {
            EXPECT_GT(m.m_nTop, top);
        } else if (c.effect == Lower) {
            EXPECT_LT(m.m_nTop, top);
        } else if (c.effect == None || c.effect == Tree) {
            EXPECT_EQ(m.m_nTop, top);
        }
        EXPECT_EQ(dc.Pixels() != before.Pixels(), c.effect != None && c.effect != Tree);
    }
}

} // namespace
