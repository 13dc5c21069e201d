#include "support/RunKr80a.h"
#include "cli/SmallCard.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <fstream>

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

// The values as the screen lists them after the keys: the cursor moved to
// channel 2, the reference set there (Δ read-out 0.0), the range one step
// finer (scale 68 down to 36); the channel not measured keeps its notation.
TEST_F(ShowCommand, JsonHoldsScreenIdLabelsAndShownValuesAfterTheKeys)
{
    const RunResult r = RunShow(m_card.Root() + " 7 --json --keys right,enter,shift+right");
    EXPECT_EQ(r.status, 0);
    const auto value = [](const char* label, const char* text, const char* unit, int state) {
        return std::string("{\"label\": \"") + label + "\", \"text\": \"" + text + "\", \"unit\": \"" + unit +
               "\", \"mark\": \"\", \"state\": " + std::to_string(state) + "}";
    };
    EXPECT_EQ(r.out, "{\"screenId\": 5,\n"
                     "  \"labels\": {\"1025\": \"VU/CATV\", \"1026\": \"1\", \"1027\": \"1\", \"1028\": \"MULTI-A\"},\n"
                     "  \"fields\": {\"values\": [" +
                         value("バンド名", "VHF", "", 0) + ", " + value("ch", "C2", "", 0) + ", " +
                         value("Δﾚﾍﾞﾙ", "0.0", "dBμ", 0) + ", " + value("変調方式", "64QAM", "", 0) +
                         "],\n"
                         "    \"channels\": [" +
                         value("ch C1", "60.0", "dBμ", 0) + ", " + value("ch C2", "64.5", "dBμ", 0) + ", " +
                         value("ch C3", "--.-", "dBμ", 1) +
                         "],\n"
                         "    \"graph\": {\"top\": \"68\", \"bottom\": \"36\", \"cursor\": 2, \"reference\": 2}}}\n");
    // Nothing shown: no values, and no graph.
    const std::string folder = RunShow(m_card.Root() + " 6 --json").out;
    EXPECT_TRUE(folder.ends_with("  \"fields\": {\"values\": [],\n    \"channels\": []}}\n")) << folder;
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
