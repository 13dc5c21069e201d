#include "app/settings/ProfileFile.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

namespace {

TEST(ProfileFile, MissingFileOrKeyGivesTheDefaults)
{
    TempCard folder;
    for (const std::string& path : {folder.Path("none.ini"), folder.Root()}) {
        const ProfileFile file(path);
        EXPECT_EQ(file.ReadInt("S", "K", 7), 7);
        EXPECT_EQ(file.ReadText("S", "K", "x"), "x");
    }
}

TEST(ProfileFile, TextKeepsItsBlanksAndIsCutTo259Bytes)
{
    TempCard folder;
    const std::string longText(300, 'a');
    const ProfileFile file(folder.Write("s.ini", "[S]\nBlank=  /x y  \nLong=" + longText + "\nEmpty=\n"));
    EXPECT_EQ(file.ReadText("S", "Blank", ""), "  /x y  ");
    EXPECT_EQ(file.ReadText("S", "Long", ""), longText.substr(0, 259));
    EXPECT_EQ(file.ReadText("S", "Empty", "d"), "");
}

TEST(ProfileFile, IntegersAreTheirLeadingDigits)
{
    TempCard folder;
    const ProfileFile file(folder.Write(
        "s.ini", "[S]\nA=1\nB=12x\nC=x1\nD=-1\nE= 1\nF=\nG=99999999999999999999\n"));
    const std::pair<const char*, int> cases[] = {{"A", 1}, {"B", 12}, {"C", 0},  {"D", 0},
                                                 {"E", 1}, {"F", 5},  {"G", INT_MAX}};
    for (const auto& [key, value] : cases)
        EXPECT_EQ(file.ReadInt("S", key, 5), value) << key;
}

} // namespace
