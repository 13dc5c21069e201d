#include "cli/SmallCard.h"
#include "support/RunKr80a.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(Help, DescribesEveryCommandAndOption)
{
    const RunResult all = RunKr80a("--help");
    EXPECT_EQ(all.status, 0);
    for (const char* part : {"kr80a tree", "kr80a show", "kr80a export", "kr80a report", "kr80a summary", "--json",
                             "--keys", "-o FILE", "--format", "--force", "--quiet", "--folder"})
        EXPECT_NE(all.out.find(part), std::string::npos) << part;
    for (const std::string command : {"tree", "show", "export", "report", "summary"}) {
        const RunResult one = RunKr80a(command + " --help");
        EXPECT_EQ(one.status, 0) << command;
        EXPECT_TRUE(one.out.starts_with("usage: kr80a " + command)) << one.out;
    }
    EXPECT_EQ(RunKr80a("").status, 2);
    EXPECT_EQ(RunKr80a("draw").status, 2);
}

// What a terminal shows when `kr80a ARGUMENTS` runs in it (script(1) gives
// the command a terminal of its own).
std::string OnATerminal(const std::string& arguments)
{
    return CommandOutput("script -qec '" + std::string(KR80A_BINARY) + " " + arguments + "' /dev/null");
}

TEST(Progress, OnATerminalUnlessQuiet)
{
    SmallCard card;
    TempCard outputs;
    EXPECT_NE(OnATerminal("export " + card.Root() + " " + outputs.Path("a")).find("5 / 5"), std::string::npos);
    EXPECT_NE(OnATerminal("report " + card.Root() + " -o " + outputs.Path("r.pdf")).find("5 / 5"),
              std::string::npos);
    EXPECT_EQ(OnATerminal("export " + card.Root() + " " + outputs.Path("b") + " --quiet"), "");
    const RunResult piped = RunKr80a("export " + card.Root() + " " + outputs.Path("c"));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "");
}

} // namespace
