#include "MountWatcher.h"
#include "ViewerFixture.h"
#include "support/CaseName.h"
#include "support/PrivateMounts.h"

#include <QDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/mount.h>

namespace {

const char* const kRootLine = "1 0 8:1 / / rw,relatime - ext4 /dev/sda1 rw\n";

std::string InsertedQuestion(const std::string& folder)
{
    return "カードが挿入されました。\n" + folder + " を開きますか？";
}

std::string MountLine(const std::string& id, const std::string& point, const std::string& type,
                      const std::string& source)
{
    return id + " 1 8:33 / " + point + " rw,nosuid shared:9 - " + type + " " + source + " rw\n";
}

// The window with its mount watcher reading a table the test writes, as the
// kernel would after each mount and unmount.
class CardMountTest : public ViewerTest {
protected:
    void StartWatching()
    {
        Start("[KR80A_Viewer]\n");
        m_table = m_tableFolder.filePath("mountinfo").toStdString();
        SetTable(kRootLine);
        ASSERT_TRUE(Watcher()->Watch(m_table));
    }
    MountWatcher* Watcher() const { return Child<MountWatcher>("m_mountWatcher"); }
    void SetTable(const std::string& lines) const { std::ofstream(m_table, std::ios::binary | std::ios::trunc) << lines; }
    // The table becomes `lines` and the watcher hears of it.
    void Change(const std::string& lines) const
    {
        SetTable(lines);
        Watcher()->CheckTable();
    }
    // A card with every kind in "CARD/KR80A"; returns the medium "CARD".
    std::string WriteCardOnMedium() const
    {
        WriteEveryKind(m_card);
        std::filesystem::create_directories(m_card.Path("CARD/KR80A"));
        std::filesystem::rename(m_card.Path("A"), m_card.Path("CARD/KR80A/A"));
        return m_card.Path("CARD");
    }
    QLabel* StatusLine() const { return Child<QLabel>("m_statusLine"); }
    bool StatusSays(const char* words) const
    {
        return StatusLine()->isVisibleTo(m_window.get()) && StatusLine()->text().contains(QString::fromUtf8(words));
    }

    QTemporaryDir m_tableFolder;
    std::string m_table;
};

struct InsertCase {
    const char* name;
    // Folders made at the top of the new medium (a card's values inside).
    std::vector<std::string> top;
    std::string type;
    std::string source;
    // The meter's folder asked about, as listed; empty: no question.
    std::string offered;
};

class CardInsertTest : public CardMountTest, public testing::WithParamInterface<InsertCase> {};

// Only a medium that holds the meter's folder at its top is offered, and
// only a local one is looked into at all.
TEST_P(CardInsertTest, OffersAMediumWithTheMetersFolderAtItsTop)
{
    const InsertCase& c = GetParam();
    StartWatching();
    const std::string medium = m_card.MakeFolder("MEDIUM");
    for (const std::string& folder : c.top)
        m_card.Write("MEDIUM/" + folder + "/A/LEVEL/A.CSV", "h\n" + MeasurementLine("level1", "0"));
    m_messages.m_answer = true;
    Change(std::string(kRootLine) + MountLine("60", medium, c.type, c.source));

    if (c.offered.empty()) {
        EXPECT_TRUE(m_messages.m_shown.empty());
        EXPECT_EQ(Text("m_dataRootLabel"), "");
        return;
    }
    const std::string folder = medium + "/" + c.offered;
    EXPECT_EQ(m_messages.m_shown, std::vector<std::string>{InsertedQuestion(folder)});
    // Opened as a folder choice is: shown, remembered, no warning after the question.
    EXPECT_EQ(Text("m_dataRootLabel").toStdString(), folder);
    EXPECT_NE(SettingsBytes().find("\nFolder=" + folder + "\n"), std::string::npos) << SettingsBytes();
    EXPECT_TRUE(TreeItem({0, 0, 0}).isValid());
}

INSTANTIATE_TEST_SUITE_P(
    Media, CardInsertTest,
    testing::Values(InsertCase{"MetersFolder", {"KR80A"}, "tmpfs", "none", "KR80A"},
                    InsertCase{"OlderMeterInLowerCase", {"kr80"}, "vfat", "/dev/sdz1", "kr80"},
                    InsertCase{"BothOffersKr80a", {"KR80", "KR80A"}, "exfat", "/dev/sdz1", "KR80A"},
                    InsertCase{"DeeperIsNoCard", {"DATA/KR80A"}, "vfat", "/dev/sdz1", ""},
                    InsertCase{"NothingOfTheMeter", {"DCIM"}, "vfat", "/dev/sdz1", ""},
                    InsertCase{"NetworkNotLookedInto", {"KR80A"}, "nfs4", "server:/export", ""}),
    CaseName());

TEST_F(CardMountTest, NoLeavesEverythingAndTheSameMediumIsNotAskedAgain)
{
    StartWatching();
    const std::string medium = WriteCardOnMedium();
    const std::string bytes = SettingsBytes();
    m_messages.m_answer = false;
    const std::string table = std::string(kRootLine) + MountLine("60", medium, "vfat", "/dev/sdz1");
    Change(table);
    EXPECT_EQ(m_messages.m_shown, std::vector<std::string>{InsertedQuestion(medium + "/KR80A")});
    EXPECT_EQ(Text("m_dataRootLabel"), "");
    EXPECT_EQ(SettingsBytes(), bytes);
    EXPECT_FALSE(TreeItem({0, 0}).isValid());

    // Another mount elsewhere, or the table read again, asks nothing more.
    Change(table + MountLine("61", "/media/other", "tmpfs", "none"));
    Watcher()->CheckTable();
    EXPECT_EQ(m_messages.m_shown.size(), 1u);
    // Taken out and put back: the same place under a new id is a new card.
    Change(std::string(kRootLine) + MountLine("62", medium, "vfat", "/dev/sdz1"));
    EXPECT_EQ(m_messages.m_shown.size(), 2u);
}

// The records read stay on display and can still be paged through; the line
// at the foot says why the card's files are gone.
TEST_F(CardMountTest, RemovingTheShownCardKeepsTheTreeAndSaysSo)
{
    StartWatching();
    const std::string medium = WriteCardOnMedium();
    const std::string mounted = std::string(kRootLine) + MountLine("60", medium, "vfat", "/dev/sdz1");
    Change(mounted);
    ASSERT_EQ(Text("m_dataRootLabel").toStdString(), medium + "/KR80A");
    EXPECT_FALSE(StatusLine()->isVisibleTo(m_window.get()));
    const int constel = FirstRecordOf(kindConstel);
    ASSERT_TRUE(SelectId(constel));

    // Some other medium going changes nothing.
    Change(mounted + MountLine("61", "/media/other", "tmpfs", "none"));
    Change(mounted);
    EXPECT_FALSE(StatusLine()->isVisibleTo(m_window.get()));

    Change(kRootLine);
    std::filesystem::remove_all(medium);
    EXPECT_TRUE(StatusSays("カードが取り外されました"));
    EXPECT_TRUE(StatusLine()->text().contains(QString::fromStdString(medium + "/KR80A")));
    EXPECT_EQ(CurrentId(), constel);
    EXPECT_EQ(Text("m_captionLabel"), "constel1");
    // Every record still shows from memory, whatever files it would read.
    for (DataKind kind : {kindLevel, kindBer, kindSky, kindConstel, kindMulti}) {
        ASSERT_TRUE(SelectId(FirstRecordOf(kind)));
        EXPECT_TRUE(ExportEnabled()) << kind;
        EXPECT_FALSE(Text("m_captionLabel").isEmpty()) << kind;
    }
    EXPECT_TRUE(StatusSays("カードが取り外されました"));

    // The card put back and opened again: the line has said its piece.
    m_messages.m_answer = true;
    WriteCardOnMedium();
    Change(std::string(kRootLine) + MountLine("62", medium, "vfat", "/dev/sdz1"));
    EXPECT_FALSE(StatusLine()->isVisibleTo(m_window.get()));
}

// A question on top of a dialog would open a card under it: the line at the
// foot tells of the card instead.
TEST_F(CardMountTest, ACardInsertedWhileADialogIsOpenIsOnlyMentioned)
{
    StartWatching();
    const std::string medium = WriteCardOnMedium();
    QDialog dialog(m_window.get());
    QTimer::singleShot(0, &dialog, [&] {
        Change(std::string(kRootLine) + MountLine("60", medium, "vfat", "/dev/sdz1"));
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(m_messages.m_shown.empty());
    EXPECT_EQ(Text("m_dataRootLabel"), "");
    EXPECT_TRUE(StatusSays("カードが挿入されました"));
    EXPECT_TRUE(StatusLine()->text().contains(QString::fromStdString(medium + "/KR80A")));
}

// Unmounts what the test mounted, should the test end early.
class Mounted {
public:
    explicit Mounted(std::string point) : m_point(std::move(point)) {}
    ~Mounted() { ::umount2(m_point.c_str(), MNT_DETACH); }
    Mounted(const Mounted&) = delete;
    Mounted& operator=(const Mounted&) = delete;

private:
    std::string m_point;
};

// The kernel's own signal, with a real file system mounted and unmounted
// while the window runs.
TEST_F(CardMountTest, ARealMountIsOfferedAndItsUnmountSaid)
{
    if (const char* why = NoPrivateMounts())
        GTEST_SKIP() << why;
    Start("[KR80A_Viewer]\n");
    const std::string medium = m_card.MakeFolder("MEDIUM");
    ASSERT_EQ(::mount("kr80a-test", medium.c_str(), "tmpfs", 0, "size=4m"), 0) << std::strerror(errno);
    Mounted unmount(medium);
    // Written before the window's loop runs again, as a card comes with its files.
    m_card.Write("MEDIUM/KR80A/A/LEVEL/A.cnt", "1\n1.00\n");
    m_card.Write("MEDIUM/KR80A/A/LEVEL/A.CSV", "h\n" + MeasurementLine("level1", "0"));
    m_messages.m_answer = true;
    QTRY_COMPARE(m_messages.m_shown.size(), 1u);
    EXPECT_EQ(m_messages.m_shown.front(), InsertedQuestion(medium + "/KR80A"));
    EXPECT_EQ(Text("m_dataRootLabel").toStdString(), medium + "/KR80A");
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));

    ASSERT_EQ(::umount2(medium.c_str(), MNT_DETACH), 0) << std::strerror(errno);
    QTRY_VERIFY(StatusSays("カードが取り外されました"));
    EXPECT_EQ(Text("m_captionLabel"), "level1");
}

} // namespace
