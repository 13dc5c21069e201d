// Every command reads its words the same way: the same refusals with the
// same status, and "--" before a data root that begins with a dash.
#include "cli/SmallCard.h"
#include "support/CaseName.h"
#include "support/RunKr80a.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct WrongCallCase {
    std::string name;
    std::string arguments; // ROOT stands for the small card's data root
    std::string why;       // what the message says
};

class WrongCall : public testing::TestWithParam<WrongCallCase> {};

TEST_P(WrongCall, ExitsWithTwoSayingWhyAndTheUsage)
{
    SmallCard card;
    std::string line = GetParam().arguments;
    for (std::size_t at; (at = line.find("ROOT")) != std::string::npos;)
        line.replace(at, 4, card.Root());
    const RunResult r = RunKr80a(line);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    const std::string command = line.substr(0, line.find(' '));
    EXPECT_TRUE(r.err.starts_with("kr80a: " + GetParam().why + "\nusage: kr80a " + command + " ")) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, WrongCall,
    testing::Values(
        WrongCallCase{"TreeDashWord", "tree -x", "unknown option -x"},
        WrongCallCase{"ShowDashWord", "show -x 7", "unknown option -x"},
        WrongCallCase{"ExportDashWord", "export -x /tmp/out", "unknown option -x"},
        WrongCallCase{"ReportDashWord", "report -x -o /tmp/r.pdf", "unknown option -x"},
        WrongCallCase{"SummaryDashWord", "summary -x", "unknown option -x"},
        WrongCallCase{"UnknownLong", "tree ROOT --jsn", "unknown option --jsn"},
        WrongCallCase{"TwiceFlag", "tree ROOT --json --json", "--json is given more than once"},
        WrongCallCase{"TwiceValue", "summary ROOT -o a.csv -o b.csv", "-o is given more than once"},
        WrongCallCase{"FlagWithValue", "tree ROOT --json=1", "--json takes no value"},
        WrongCallCase{"ValueMissing", "show ROOT 7 --keys", "--keys needs a value"},
        WrongCallCase{"EmptyValue", "summary ROOT -o ''", "-o needs a value that is not empty"},
        WrongCallCase{"RequiredOption", "report ROOT", "-o REPORT.pdf is missing"},
        WrongCallCase{"NoDataRoot", "summary", "DATA_ROOT is missing"},
        WrongCallCase{"NoId", "show ROOT", "ID is missing"},
        WrongCallCase{"Extra", "export ROOT /tmp/out more", "unexpected argument more"},
        WrongCallCase{"BadId", "show ROOT x7", "x7 is not an item id"},
        WrongCallCase{"BadKeys", "show ROOT 7 --keys left,,right", "left,,right is not a list of panel keys"},
        WrongCallCase{"BadFormat", "export ROOT /tmp/out --format gif", "gif is not a picture format: png or bmp"},
        WrongCallCase{"BadPicture", "show ROOT 7 -o a.gif", "a.gif does not end in .png or .bmp"}),
    CaseName());

// A card whose folder name begins with a dash, named after "--".
TEST(CommandLine, DoubleDashNamesADataRootThatBeginsWithADash)
{
    SmallCard card;
    const std::string parent = std::filesystem::path(card.Root()).parent_path().string();
    const std::string dashed = "-card";
    std::filesystem::rename(card.Root(), parent + "/" + dashed);
    const RunResult tree = RunKr80a("tree -- " + dashed, parent);
    std::filesystem::rename(parent + "/" + dashed, card.Root());
    EXPECT_EQ(tree.status, 0) << tree.err;
    EXPECT_NE(tree.out.find("SITE1"), std::string::npos) << tree.out;
    for (const char* command : {"tree", "summary"})
        EXPECT_EQ(RunKr80a(std::string(command) + " " + dashed, parent).status, 2) << command;
}

TEST(CommandLine, OptionsMayStandBeforeOrAfterTheArguments)
{
    SmallCard card;
    const RunResult after = RunKr80a("tree " + card.Root() + " --json");
    const RunResult before = RunKr80a("tree --json " + card.Root());
    EXPECT_EQ(after.status, 0);
    EXPECT_EQ(before.out, after.out);
    EXPECT_TRUE(after.out.starts_with("{")) << after.out;
}

TEST(CommandLine, WrongCallSpeaksJapaneseUnderAJapaneseLocale)
{
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    const RunResult r = RunKr80a("tree /tmp --jsn");
    unsetenv("LC_ALL");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with("kr80a: --jsn は不明なオプションです\n")) << r.err;
}

} // namespace
