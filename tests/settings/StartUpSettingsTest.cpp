#include "app/settings/StartUpSettings.h"
#include "support/CaseName.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

namespace {

struct StartFolderCase {
    const char* name;
    const char* settings;
    const char* startFolder;
};

class StartFolderTest : public testing::TestWithParam<StartFolderCase> {};

TEST_P(StartFolderTest, ResolvesTheStartUpFolder)
{
    TempCard folder;
    const ProfileFile file(folder.Write("KR80A_Viewer.ini", GetParam().settings));
    EXPECT_EQ(ReadStartUpSettings(file, "KR80A_Viewer").m_strStartFolder, GetParam().startFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StartFolderTest,
    testing::Values(
        StartFolderCase{"DefaultFolder", "[KR80A_Viewer]\nUSE_DefaultFolder=1\nDefaultFolder=/d\nFolder=/f\n", "/d"},
        StartFolderCase{"LastFolderWins",
                        "[KR80A_Viewer]\nUSE_DefaultFolder=1\nUSE_LastFolder=1\nDefaultFolder=/d\nFolder=/f\n", "/f"},
        StartFolderCase{"LastFolderMissing", "[KR80A_Viewer]\nUSE_LastFolder=1\nDefaultFolder=/d\n", ""},
        StartFolderCase{"FlagTwoIsOff", "[KR80A_Viewer]\nUSE_DefaultFolder=2\nDefaultFolder=/d\n", ""},
        StartFolderCase{"FlagWordIsOff", "[KR80A_Viewer]\nUSE_DefaultFolder=yes\nDefaultFolder=/d\n", ""},
        StartFolderCase{"NamesIgnoreCase",
                        "[KR80A_Viewer]\r\nuse_defaultfolder = 1abc\r\nDEFAULTFOLDER=/d\r\n", "/d"},
        StartFolderCase{"OtherSection", "[Other]\nUSE_DefaultFolder=1\nDefaultFolder=/d\n", ""},
        StartFolderCase{"LongFolderReadWhole",
                        "[KR80A_Viewer]\nUSE_LastFolder=1\nFolder=/media/user/"
                        "KR80A-0123456789012345678901234567890123456789012345678901234567890123456789"
                        "0123456789012345678901234567890123456789012345678901234567890123456789012345"
                        "6789012345678901234567890123456789012345678901234567890123456789012345678901"
                        "23456789012345678901234567890123456789012/site-012345/KR80A\n",
                        "/media/user/"
                        "KR80A-0123456789012345678901234567890123456789012345678901234567890123456789"
                        "0123456789012345678901234567890123456789012345678901234567890123456789012345"
                        "6789012345678901234567890123456789012345678901234567890123456789012345678901"
                        "23456789012345678901234567890123456789012/site-012345/KR80A"},
        StartFolderCase{"FirstKeyWins",
                        "[KR80A_Viewer]\nUSE_DefaultFolder=1\nDefaultFolder=/first\nDefaultFolder=/second\n",
                        "/first"}),
    CaseName());

TEST(StartUpSettings, FlagsAndAlertAsStoredDefaultsWhenMissing)
{
    TempCard folder;
    const StartUpSettings missing = ReadStartUpSettings(ProfileFile(folder.Path("none.ini")), "KR80A_Viewer");
    EXPECT_EQ(missing.m_nUseDefaultFolder, 0);
    EXPECT_EQ(missing.m_nUseLastFolder, 0);
    EXPECT_EQ(missing.m_nFolderAlert, 1);
    EXPECT_EQ(missing.m_strStartFolder, "");
    const ProfileFile file(folder.Write(
        "s.ini", "[KR80A_Viewer]\nUSE_DefaultFolder=1\nUSE_KR80A_FolderAlert=0\nDefaultFolder= /d \n"));
    const StartUpSettings stored = ReadStartUpSettings(file, "KR80A_Viewer");
    EXPECT_EQ(stored.m_nUseDefaultFolder, 1);
    EXPECT_EQ(stored.m_nFolderAlert, 0);
    EXPECT_EQ(stored.m_strDefaultFolder, " /d ");
    EXPECT_EQ(stored.m_strStartFolder, " /d ");
    EXPECT_EQ(ScanFolderOf(stored.m_strStartFolder), "/d");
    EXPECT_EQ(ScanFolderOf("\t /a b\r\n"), "/a b");
}

} // namespace
