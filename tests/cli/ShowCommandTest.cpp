#include "data/CardTree.h"
#include "export/BitmapFile.h"
#include "screens/RecordDisplay.h"
#include "support/RunKr80a.h"
#include "cli/SmallCard.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

RunResult RunShow(const std::string& arguments)
{
    return RunKr80a("show " + arguments);
}

// One measurement folder F with one multi-channel record of three channels:
// item ids 6 (folder) and 7 (record).
class ShowCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_card.Write("F/MULTI/COUNT.CNT", "1\n1.00\n");
        m_card.Write("F/MULTI/01.CSV", "header\r\n" + ChannelLine(1, "60.0") + ChannelLine(2, "64.5") +
                                           ChannelLine(3, "---.-"));
    }

    TempCard m_card;
};

TEST_F(ShowCommand, PrintsTheFourLabels)
{
    EXPECT_EQ(RunShow(m_card.Root() + " 7").out, "VU/CATV\n1\n1\nMULTI-A\n");
    const RunResult folder = RunShow(m_card.Root() + " 6");
    EXPECT_EQ(folder.status, 0);
    EXPECT_EQ(folder.out, " \n  \n  \n \n");
}

TEST_F(ShowCommand, LabelsKeepControlBytesOffTheTerminal)
{
    m_card.Write("G/LEVEL/G.cnt", "1\n1.00\n");
    m_card.Write("G/LEVEL/G.CSV", std::string("h\n0,\x1b]0;x\x07\x1b[2J\0\r\n", 17));
    const RunResult r = RunShow(m_card.Root() + " 9");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1),
              "\\x1b]0;x\\x07\\x1b[2J\\x00\\r\n");
}

TEST_F(ShowCommand, JsonHoldsScreenIdLabelsAndFieldsAfterTheKeys)
{
    const RunResult r = RunShow(m_card.Root() + " 7 --json --keys right,enter,shift+right");
    EXPECT_EQ(r.status, 0);
    for (const char* part : {"\"screenId\": 5", "\"1025\": \"VU/CATV\"", "\"1028\": \"MULTI-A\"",
                             "\"m_nCursor\": 2", "\"m_nReference\": 2", "\"m_nRange\": 1", "\"m_nTop\": 68",
                             "\"m_dLevel\": [60, 64.5, 0]", "\"m_nState\": [0, 0, 1]",
                             "\"m_strChannelName\": \"C2\""})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
}

// Plain up and down move through the tree, every folder unfolded, and show
// the item they reach: MULTI root 5 > folder 6 > record 7.
TEST_F(ShowCommand, UpAndDownMoveThroughTheTreeAsTheViewerDoes)
{
    const struct {
        int from;
        const char* keys;
        int shown;
    } cases[] = {
        {6, "down", 7},           // into the folder's record
        {5, "down,down,up", 6},   // down to the record, back to its folder
        {7, "down", 7},           // the last item stays
        {1, "up", 1},             // the first item stays
        {4, "down,down", 6},      // past the kind root into its folder
        {7, "up,up,up", 4},       // up past the folder and the kind root
    };
    for (const auto& c : cases) {
        const RunResult moved = RunShow(m_card.Root() + " " + std::to_string(c.from) + " --keys " + c.keys);
        const RunResult direct = RunShow(m_card.Root() + " " + std::to_string(c.shown));
        EXPECT_EQ(moved.status, 0) << c.from << " " << c.keys << "\n" << moved.err;
        EXPECT_EQ(moved.out, direct.out) << c.from << " " << c.keys;
    }
    // The moves differ from staying put, so the table above sees a refusal to move.
    EXPECT_NE(RunShow(m_card.Root() + " 6").out, RunShow(m_card.Root() + " 7").out);
}

TEST_F(ShowCommand, RefusesWrongCalls)
{
    for (const char* arguments : {"", "ROOT", "ROOT x", "ROOT 7 --keys sideways",
                                  "ROOT 7 --keys left,,right", "ROOT 7 --keys shift+jump", "ROOT 7 -o a.gif",
                                  "ROOT 7 --json --json", "ROOT 7 8", "ROOT 7 --verbose"}) {
        std::string line = arguments;
        if (line.starts_with("ROOT"))
            line.replace(0, 4, m_card.Root());
        EXPECT_EQ(RunShow(line).status, 2) << arguments;
    }
}

TEST_F(ShowCommand, BitmapFileEqualsTheDisplayAfterTheKeys)
{
    const std::string path = m_card.Path("out.bmp");
    ASSERT_EQ(RunShow(m_card.Root() + " 7 --keys left,shift+up,enter -o " + path).status, 0);
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> written{std::istreambuf_iterator<char>(in), {}};

    RecordedMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(m_card.Root());
    RecordDisplay display;
    display.Select(tree.FindItem(7));
    Canvas dc;
    display.Paint(dc);
    display.PressKey(InstrumentKey::Left, false, dc);
    display.PressKey(InstrumentKey::Up, true, dc);
    display.PressKey(InstrumentKey::Enter, false, dc);
    EXPECT_EQ(dc.Pixel(0, 0), kBlack); // the frame is part of the picture
    const std::optional<DibBlock> dib = BitmapToDib(RgbBitmap(320, 240, dc.Pixels()));
    ASSERT_TRUE(dib);
    ASSERT_EQ(written.size(), 14 + dib->size());
    EXPECT_TRUE(std::equal(dib->begin(), dib->end(), written.begin() + 14));
}

TEST_F(ShowCommand, WritesAPng)
{
    const std::string path = m_card.Path("out.PNG");
    ASSERT_EQ(RunShow(m_card.Root() + " 7 -o " + path).status, 0);
    std::ifstream in(path, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), 8);
    EXPECT_EQ(head, "\x89PNG\r\n\x1a\n");
}

} // namespace
