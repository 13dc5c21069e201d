#include "support/RunKr80a.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// A card with a LEVEL record whose caption is Shift-JIS, an undecodable byte
// and a CR, and a MULTI record of two channels whose count line keeps its CR.
class TreeCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_card.Write("A/LEVEL/A.cnt", "2\n1.00\n");
        m_card.Write("A/LEVEL/A.CSV", "h\r\n0,\x83\x65\x83\x58\x83\x67,\"q\\\r\n0,\xff\r\n");
        m_card.Write("A/MULTI/COUNT.CNT", "1\r\n1.00\n");
        m_card.Write("A/MULTI/01.CSV", "h\n1,m,,,,,,,,,,,,,,,,3\n2,m\n");
    }
    TempCard m_card;
};

TEST_F(TreeCommand, PrintsTheTreeIndentedWithIdsAndMessagesOnStandardError)
{
    const RunResult r = RunKr80a("tree " + m_card.Root());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[1] レベル測定データ\n"
                     "  [6] A\n"
                     "    [7]   1:テスト\n"
                     "    [8]   2:\xEF\xBF\xBD\\r\n"
                     "[2] BER測定データ\n[3] スカパー測定データ\n[4] コンスタレーションデータ\n"
                     "[5] 多チャンネルデータ\n"
                     "  [9] A\n"
                     "    [10]   1:m\n");
    EXPECT_EQ(r.err, m_card.Path("A/MULTI/01.CSV") +
                         " のデータ数が記録情報と異なります。\\nデータが正常に表示できない可能性が"
                         "あります。\\nCSVファイルを確認してください。\n");
}

TEST_F(TreeCommand, JsonListsEveryItemInTreeOrder)
{
    const RunResult r = RunKr80a("tree " + m_card.Root() + " --json");
    EXPECT_EQ(r.status, 0);
    const std::string& j = r.out;
    EXPECT_EQ(j.find("{\"dataRoot\": \"" + m_card.Root() + "\""), 0u);
    EXPECT_NE(j.find("{\"id\": 1, \"parent\": 0, \"kind\": 0, \"label\": \"レベル測定データ\"}"),
              std::string::npos);
    EXPECT_NE(j.find("{\"id\": 7, \"parent\": 6, \"kind\": 2, \"label\": \"  1:テスト\", "
                     "\"number\": \"1\", \"count\": \"2\", \"csvPath\": \"" +
                     m_card.Path("A/LEVEL/A.CSV") + "\", \"row\": [\"0\", \"テスト\", \"\\\"q\\\\\\r\", \"\""),
              std::string::npos);
    EXPECT_NE(j.find("{\"id\": 10, \"parent\": 9, \"kind\": 6, \"label\": \"  1:m\", \"number\": \"1\", "
                     "\"count\": \"1\\r\", "),
              std::string::npos);
    EXPECT_NE(j.find("\"channels\": [[\"1\", \"m\", "), std::string::npos);
    EXPECT_NE(j.find("], [\"2\", \"m\", \"\", "), std::string::npos);
    // Tree order: the LEVEL folder's record 8 comes before kind root 2.
    EXPECT_LT(j.find("{\"id\": 8,"), j.find("{\"id\": 2,"));
    EXPECT_LT(j.find("{\"id\": 5,"), j.find("{\"id\": 9,"));
    EXPECT_NE(j.find("\"messages\": [\"" + m_card.Path("A/MULTI/01.CSV") +
                     " のデータ数が記録情報と異なります。\\n"),
              std::string::npos);
}

TEST(TreeCommandUsage, WrongArgumentsExitWithTwo)
{
    for (const std::string arguments : {"tree", "tree a b", "tree a --jsn", "tree --json", "nothing"}) {
        const RunResult r = RunKr80a(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_TRUE(r.out.empty()) << arguments;
        EXPECT_NE(r.err.find("usage: kr80a"), std::string::npos) << arguments;
    }
}

// The bundled card's whole document, byte for byte as checked in: however the
// document is written, not one byte of it may change.
TEST(TreeCommandOutput, SampleCardDocumentIsTheCheckedInOne)
{
    const RunResult r = RunKr80a("tree samples/KR80A --json", PROJECT_DIR);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    std::ifstream file(std::string(PROJECT_DIR) + "/tests/cli/sample_card_tree.json", std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(r.out == expected) << "the document differs from tests/cli/sample_card_tree.json";
}

// A data root that is no readable folder, or an id that names no item, is an
// error: a message on standard error, nothing on standard output, status 1.
TEST(Kr80aFailures, AreNoSuccess)
{
    TempCard card;
    card.Write("F/LEVEL/F.cnt", "1\n1.00\n");
    card.Write("F/LEVEL/F.CSV", "h\n0,t\n");
    const std::string file = card.Write("file", "not a folder\n");
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"tree /nonexistent", "kr80a: cannot read the data root /nonexistent: No such file or directory\n"},
        {"tree /nonexistent --json", "kr80a: cannot read the data root /nonexistent: No such file or directory\n"},
        {"tree " + file, "kr80a: cannot read the data root " + file + ": Not a directory\n"},
        {"show /nonexistent 1", "kr80a: cannot read the data root /nonexistent: No such file or directory\n"},
        {"show " + card.Root() + " 99999", "kr80a: no item 99999 in " + card.Root() + "\n"},
        {"show " + card.Root() + " 0 --json", "kr80a: no item 0 in " + card.Root() + "\n"},
    };
    for (const auto& c : cases) {
        const RunResult r = RunKr80a(c.arguments);
        EXPECT_EQ(r.status, 1) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_EQ(r.err, c.message) << c.arguments;
    }
    EXPECT_EQ(RunKr80a("show " + card.Root() + " 7").status, 0);
}

// Output is written as it is made: a write that fails at the start, or in the
// middle of a long output, still ends the command with a failure.
TEST(TreeCommandOutput, AFailedWriteIsNoSuccess)
{
    TempCard empty;
    TempCard large;
    std::string csv = "header\n";
    for (int i = 0; i < 5000; ++i)
        csv += "0,a title that makes the output long,UHF\n";
    large.Write("F/LEVEL/F.cnt", "5000\n1.00\n");
    large.Write("F/LEVEL/F.CSV", csv);
    for (const TempCard* card : {&empty, &large}) {
        for (const std::string option : {"", " --json"}) {
            const RunResult r = RunKr80a("tree " + card->Root() + option + " >/dev/full");
            EXPECT_EQ(r.status, 1) << card->Root() << option;
            EXPECT_EQ(r.err, "kr80a: cannot write the output\n") << card->Root() << option;
        }
    }
}

} // namespace
