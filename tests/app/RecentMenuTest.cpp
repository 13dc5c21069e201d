#include "ViewerFixture.h"

#include <QMenu>

#include <filesystem>

namespace {

class RecentMenuTest : public ViewerTest {
protected:
    QStringList Entries() const
    {
        QMenu* menu = Child<QMenu>("m_recentMenu");
        emit menu->aboutToShow();
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        return texts;
    }
    QAction* Entry(int index) const { return Child<QMenu>("m_recentMenu")->actions().value(index); }
};

// Folders opened by the chooser come newest first; one that vanished is
// left out of the menu; an entry opens its folder without questions.
TEST_F(RecentMenuTest, ListsTheFoldersOpenedNewestFirstAndOpensThem)
{
    Start("[KR80A_Viewer]\n");
    EXPECT_EQ(Entries(), QStringList{"(なし)"});
    EXPECT_FALSE(Entry(0)->isEnabled());
    for (const char* name : {"X/KR80A", "Y&Z/KR80A", "GONE/KR80A", "W/KR80A"}) {
        m_card.Write(std::string(name) + "/B/LEVEL/B.cnt", "1\n1.00\n");
        m_card.Write(std::string(name) + "/B/LEVEL/B.CSV", "h\n" + MeasurementLine(name, "0"));
        m_chooser.m_answer = m_card.Path(name);
        m_window->SelectDataFolder();
    }
    std::filesystem::remove_all(m_card.Path("GONE"));
    const QString root = QString::fromStdString(m_card.Root());
    EXPECT_EQ(Entries(), (QStringList{"&1 " + root + "/W/KR80A", "&2 " + root + "/Y&&Z/KR80A", "&3 " + root + "/X/KR80A"}));
    m_messages.m_shown.clear();
    Entry(2)->trigger();
    EXPECT_EQ(ShownFolder(), m_card.Path("X/KR80A"));
    EXPECT_EQ(TreeItem({0, 0}).data().toString(), "B");
    EXPECT_TRUE(m_messages.m_shown.empty());
    EXPECT_EQ(Entries().value(0), "&1 " + root + "/X/KR80A");
}

} // namespace
