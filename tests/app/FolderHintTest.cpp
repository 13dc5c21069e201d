#include "ViewerFixture.h"

#include <QLabel>

namespace {

// While nothing is loaded the screen area tells what to do; a card loaded
// takes the hint away, and a folder without records brings it back.
TEST_F(ViewerTest, ScreenAreaSaysHowToChooseAFolderWhileNothingIsLoaded)
{
    Start("");
    QLabel* panel = Child<QLabel>("m_blankPanel");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->text().startsWith("カードのフォルダを選択してください"));
    EXPECT_TRUE(panel->text().contains("Ctrl+O"));

    WriteEveryKind(m_card);
    m_chooser.m_answer = m_card.Root();
    m_window->SelectDataFolder();
    EXPECT_EQ(panel->text(), "");

    m_chooser.m_answer = m_card.MakeFolder("EMPTY");
    m_window->SelectDataFolder();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->text().startsWith("カードのフォルダを選択してください"));
}

} // namespace
