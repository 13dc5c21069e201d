#include "MountTable.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct LineCase {
    const char* name;
    std::string line;
    // The entry read from it, or none when the line is skipped.
    std::optional<MountEntry> entry;
};

class MountTableLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(MountTableLineTest, ReadsTheFieldsAroundTheOptionalOnes)
{
    const LineCase& c = GetParam();
    const std::vector<MountEntry> table = ParseMountTable(c.line);
    if (c.entry) {
        ASSERT_EQ(table.size(), 1u);
        EXPECT_EQ(table.front(), *c.entry);
    } else {
        EXPECT_TRUE(table.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MountTableLineTest,
    testing::Values(
        LineCase{"NoOptionalField", "25 1 8:17 / /media/card rw,nosuid - vfat /dev/sdb1 rw,fmask=0022",
                 MountEntry{"25", "/media/card", "vfat", "/dev/sdb1"}},
        LineCase{"TwoOptionalFields", "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 shared:7 - ext3 /dev/root rw",
                 MountEntry{"36", "/mnt2", "ext3", "/dev/root"}},
        LineCase{"EscapedBlankTabAndBackslash",
                 "40 1 0:50 / /media/my\\040card\\011x\\134y rw - tmpfs my\\040ram rw",
                 MountEntry{"40", "/media/my card\tx\\y", "tmpfs", "my ram"}},
        LineCase{"BackslashWithoutThreeOctalDigitsKept", "41 1 0:50 / /media/a\\09 rw - tmpfs none rw",
                 MountEntry{"41", "/media/a\\09", "tmpfs", "none"}},
        LineCase{"NoSeparator", "25 1 8:17 / /media/card rw vfat /dev/sdb1 rw", std::nullopt},
        LineCase{"NothingAfterSeparator", "25 1 8:17 / /media/card rw - vfat", std::nullopt},
        LineCase{"TooShort", "25 1 8:17 /", std::nullopt},
        LineCase{"PointNotAbsolute", "25 1 8:17 / media rw - vfat /dev/sdb1 rw", std::nullopt},
        LineCase{"Empty", "", std::nullopt}),
    CaseName());

MountEntry Mount(const char* id, const char* point, const char* type = "vfat", const char* source = "/dev/sdb1")
{
    return MountEntry{id, point, type, source};
}

TEST(MountTableTest, ReadsEveryLineInOrderSkippingBadOnes)
{
    const std::vector<MountEntry> table =
        ParseMountTable("1 0 8:1 / / rw - ext4 /dev/sda1 rw\nrubbish\n\n2 1 0:5 / /proc rw - proc proc rw\n"
                        "3 1 8:17 / /media/card rw - vfat /dev/sdb1 rw");
    EXPECT_EQ(table, (std::vector<MountEntry>{Mount("1", "/", "ext4", "/dev/sda1"), Mount("2", "/proc", "proc", "proc"),
                                              Mount("3", "/media/card")}));
}

// A card taken out and put back is mounted again at the same place under a
// new id: that is a new mount, not the old one kept.
TEST(MountTableTest, ChangesAreMountsByIdAndPlace)
{
    const std::vector<MountEntry> before = {Mount("1", "/"), Mount("3", "/media/card"), Mount("4", "/media/stick")};
    const std::vector<MountEntry> after = {Mount("1", "/"), Mount("5", "/media/card"), Mount("4", "/media/stick2")};
    EXPECT_EQ(MountsMissingFrom(after, before), (std::vector<MountEntry>{Mount("5", "/media/card"),
                                                                         Mount("4", "/media/stick2")}));
    EXPECT_EQ(MountsMissingFrom(before, after), (std::vector<MountEntry>{Mount("3", "/media/card"),
                                                                         Mount("4", "/media/stick")}));
    EXPECT_TRUE(MountsMissingFrom(before, before).empty());
}

TEST(MountTableTest, LooksOnlyIntoLocalMedia)
{
    struct Case {
        MountEntry entry;
        bool local;
    };
    const std::vector<Case> cases = {
        {Mount("1", "/media/card", "vfat", "/dev/sdb1"), true},
        {Mount("2", "/media/x", "fuseblk", "/dev/sdc1"), true},
        {Mount("3", "/media/image", "iso9660", "/dev/loop0"), true},
        {Mount("4", "/tmp/ram", "tmpfs", "none"), true},
        {Mount("5", "/tmp/ram2", "ramfs", "ramfs"), true},
        {Mount("6", "/net", "nfs4", "server:/export"), false},
        {Mount("7", "/mnt/share", "cifs", "//server/share"), false},
        {Mount("8", "/mnt/remote", "fuse.sshfs", "user@host:"), false},
        {Mount("9", "/misc", "autofs", "systemd-1"), false},
        {Mount("10", "/proc", "proc", "proc"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HoldsLocalMedium(c.entry), c.local) << c.entry.point;
}

TEST(MountTableTest, FindsTheMountAFolderLiesOn)
{
    const std::vector<MountEntry> table = {Mount("1", "/"), Mount("2", "/media"), Mount("3", "/media/card"),
                                           Mount("4", "/media/card"), Mount("5", "/media/card/KR80A/A")};
    struct Case {
        const char* path;
        const char* id;
    };
    const std::vector<Case> cases = {{"/media/card/KR80A", "4"},   // the later of two at one place
                                     {"/media/card", "4"},         // the mount point itself
                                     {"/media/cardx/KR80A", "2"},  // a longer name is no folder below
                                     {"/media/card/KR80A/A", "5"}, // a mount below the card
                                     {"/home/u", "1"}};
    for (const Case& c : cases) {
        const MountEntry* holding = MountHolding(table, c.path);
        ASSERT_NE(holding, nullptr) << c.path;
        EXPECT_EQ(holding->id, c.id) << c.path;
    }
    EXPECT_EQ(MountHolding({}, "/media/card"), nullptr);
}

TEST(MountTableTest, RemovableMediaAreThoseWhereDesktopsMountThem)
{
    const std::vector<MountEntry> table = {
        Mount("1", "/", "ext4", "/dev/no-such-disk1"),
        Mount("2", "/media", "tmpfs", "none"),
        Mount("3", "/media/card"),
        Mount("4", "/run/media/user/STICK", "exfat", "/dev/sdc1"),
        Mount("5", "/media/ram", "tmpfs", "none"),
        Mount("6", "/media/net", "nfs", "server:/export"),
        Mount("7", "/media/card"),
        Mount("8", "/mediax", "vfat", "/dev/no-such-disk2"),
        Mount("9", "/home", "ext4", "/dev/no-such-disk3"),
    };
    EXPECT_EQ(RemovableMediaFolders(table),
              (std::vector<std::string>{"/media/card", "/run/media/user/STICK", "/media/ram"}));
}

} // namespace
