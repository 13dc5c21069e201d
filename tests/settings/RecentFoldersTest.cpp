#include "app/settings/RecentFolders.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string Bytes(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RecentFolders, NewestFirstWithoutRepeatsAndAtMostEight)
{
    TempCard folder;
    const ProfileFile file(folder.Path("KR80A_Viewer.ini"));
    const RecentFolders recent(file, "KR80A_Viewer");
    struct Step {
        const char* add;
        std::vector<std::string> expected;
    } steps[] = {
        {"/a", {"/a"}},
        {"/b", {"/b", "/a"}},
        {"/a", {"/a", "/b"}},
        {"/c", {"/c", "/a", "/b"}},
    };
    for (const Step& step : steps) {
        ASSERT_EQ(file.WriteTexts("KR80A_Viewer", recent.Adding(step.add)), 0);
        EXPECT_EQ(recent.Read(), step.expected) << step.add;
    }
    for (int i = 1; i <= 10; ++i)
        file.WriteTexts("KR80A_Viewer", recent.Adding("/f" + std::to_string(i)));
    EXPECT_EQ(recent.Read(), (std::vector<std::string>{"/f10", "/f9", "/f8", "/f7", "/f6", "/f5", "/f4", "/f3"}));
}

// The keys are the viewer's own: every line an older reader knows stays as it
// was, other sections included, and the keys go to the viewer's section.
TEST(RecentFolders, KeepsEveryOtherLineOfTheFile)
{
    TempCard folder;
    const std::string before = "[KR80A_Viewer]\nUSE_LastFolder=1\nFolder=/old\n[Other]\nRecentFolder1=/theirs\n";
    const ProfileFile file(folder.Write("KR80A_Viewer.ini", before));
    ASSERT_EQ(file.WriteTexts("KR80A_Viewer", RecentFolders(file, "KR80A_Viewer").Adding("/new")), 0);
    const std::string after = Bytes(folder.Path("KR80A_Viewer.ini"));
    EXPECT_EQ(after.substr(0, std::string("[KR80A_Viewer]\nUSE_LastFolder=1\nFolder=/old\nRecentFolder1=/new\n").size()),
              "[KR80A_Viewer]\nUSE_LastFolder=1\nFolder=/old\nRecentFolder1=/new\n");
    EXPECT_NE(after.find("[Other]\nRecentFolder1=/theirs\n"), std::string::npos);
    EXPECT_EQ(file.ReadText("KR80A_Viewer", "Folder", ""), "/old");
    EXPECT_EQ(RecentFolders(file, "Other").Read(), std::vector<std::string>{"/theirs"});
}

TEST(RecentFolders, VanishedFoldersArePassedOverButKept)
{
    TempCard folder;
    folder.MakeFolder("here");
    const std::vector<std::string> stored = {folder.Path("gone"), folder.Path("here"), folder.Write("file", "x")};
    EXPECT_EQ(ExistingFolders(stored), std::vector<std::string>{folder.Path("here")});
}

} // namespace
