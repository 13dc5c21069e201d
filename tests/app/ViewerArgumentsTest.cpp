#include "ViewerArguments.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct ArgumentsCase {
    std::vector<std::string> arguments;
    ViewerArguments::Action action;
    std::string folder;
};

TEST(ViewerArguments, TakesOneFolderMadeAbsoluteAndRefusesTheRest)
{
    const std::string here = std::filesystem::current_path().string();
    using A = ViewerArguments::Action;
    const ArgumentsCase cases[] = {
        {{}, A::Run, ""},
        {{"/media/card/KR80A"}, A::Run, "/media/card/KR80A"},
        {{"card/./KR80A"}, A::Run, here + "/card/KR80A"},
        {{"--", "-odd"}, A::Run, here + "/-odd"},
        {{"--help"}, A::Help, ""},
        {{"-h"}, A::Help, ""},
        {{"--version"}, A::Version, ""},
        {{"-platform", "xcb"}, A::Wrong, ""},
        {{"/a", "/b"}, A::Wrong, ""},
        {{""}, A::Wrong, ""},
    };
    for (const ArgumentsCase& c : cases) {
        const ViewerArguments parsed = ParseViewerArguments(c.arguments);
        const std::string name = c.arguments.empty() ? "<none>" : c.arguments.front();
        EXPECT_EQ(parsed.action, c.action) << name;
        EXPECT_EQ(parsed.folder, c.folder) << name;
        EXPECT_EQ(parsed.problem.empty(), c.action != A::Wrong) << name;
    }
}

} // namespace
