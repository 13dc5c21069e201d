#include "ViewerFixture.h"

#include <QAbstractItemModelTester>
#include <QLabel>

namespace {

TEST_F(ViewerTest, FirstStartCreatesTheFolderButNoFileAndShowsNothing)
{
    Start("");
    EXPECT_TRUE(QDir(SettingsFolder()).exists());
    EXPECT_FALSE(QFile::exists(SettingsFile()));
    EXPECT_EQ(Text("m_dataRootLabel"), "");
    ASSERT_EQ(Tree()->model()->rowCount(), 5);
    EXPECT_EQ(TreeItem({0}).data().toString(), "レベル測定データ");
    EXPECT_EQ(TreeItem({4}).data().toString(), "多チャンネルデータ");
    // The tree has the focus and its first item, so nothing is shown.
    EXPECT_EQ(m_window->focusWidget(), Tree());
    EXPECT_EQ(CurrentId(), 1);
    EXPECT_FALSE(ExportEnabled());
    EXPECT_EQ(Text("m_systemLabel"), " ");
    EXPECT_EQ(Text("m_numberLabel"), "  ");
    EXPECT_EQ(Text("m_countLabel"), "  ");
    EXPECT_EQ(Text("m_captionLabel"), " ");
    EXPECT_TRUE(Child<QLabel>("m_blankPanel")->isVisible());
    EXPECT_TRUE(m_messages.m_shown.empty());
    // No folder was read, so none is counted as left out under the tree.
    EXPECT_FALSE(Button("m_loadResultsLine")->isVisible());
    // The folder warning is on, and a folder taken is written to that file.
    m_chooser.m_answer = m_card.Root();
    m_window->SelectDataFolder();
    EXPECT_EQ(m_messages.m_shown, std::vector<std::string>{"KR80かKR80A以外のフォルダを選択した場合\n正常にデータが"
                                                          "読み込めない可能性があります。\nよろしいですか？"});
    EXPECT_NE(SettingsBytes().find("\nFolder=" + m_card.Root() + "\n"), std::string::npos);
}

// The tree's items are made as the view asks for them: the model stays
// consistent for every item, every kind root starts collapsed, and each item's
// tool tip is its whole label.
TEST_F(ViewerTest, TreeItemsAreConsistentAndCarryTheirWholeLabel)
{
    StartOnCard();
    QAbstractItemModelTester tester(Tree()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int row = 0; row < 5; ++row)
        EXPECT_FALSE(Tree()->isExpanded(TreeItem({row}))) << row;
    const QModelIndex record = TreeItem({0, 0, 2});
    EXPECT_EQ(record.data(Qt::ToolTipRole).toString(), "  3:東京");
    EXPECT_EQ(TreeItem({4, 0}).data(Qt::ToolTipRole).toString(), "A");
    EXPECT_EQ(record.parent(), TreeItem({0, 0}));
    EXPECT_EQ(Tree()->model()->rowCount(record), 0);
    EXPECT_FALSE(TreeItem({0, 0, 3}).isValid());
}

TEST_F(ViewerTest, StartUpFolderIsShownAsStoredAndScannedTrimmed)
{
    WriteEveryKind(m_card);
    Start(StartWithFolder("  " + m_card.Root() + " "));
    EXPECT_EQ(Text("m_dataRootLabel"), QString::fromStdString("  " + m_card.Root() + " "));
    EXPECT_EQ(TreeItem({0, 0}).data().toString(), "A");
    EXPECT_EQ(TreeItem({0, 0, 2}).data().toString(), "  3:東京");
    EXPECT_EQ(CurrentId(), 1);
    EXPECT_FALSE(ExportEnabled());
    EXPECT_EQ(ChooserStartsAt(), m_card.Root());
}

TEST_F(ViewerTest, ScanMessagesAreShownAtStartUp)
{
    m_card.Write("B/LEVEL/B.cnt", "2\n1.00\n");
    m_card.Write("B/LEVEL/B.CSV", "h\n" + MeasurementLine("only one", "0"));
    Start(StartWithFolder(m_card.Root()));
    ASSERT_EQ(m_messages.m_shown.size(), 1u);
    EXPECT_NE(m_messages.m_shown[0].find("のデータ数が記録情報と異なります"), std::string::npos);
}

TEST_F(ViewerTest, WindowHasItsFixedLayoutWithA320By240Screen)
{
    Start("");
    EXPECT_EQ(m_window->windowTitle(), "KR80A/80 CSV ビューア");
    EXPECT_EQ(Child<ScreenView>("m_screen")->size(), QSize(320, 240));
    EXPECT_EQ(m_window->minimumSize(), m_window->maximumSize());
    const QRect blank = Child<QLabel>("m_blankPanel")->geometry();
    EXPECT_EQ(blank, Child<ScreenView>("m_screen")->geometry().adjusted(1, 1, -1, -1));
    EXPECT_EQ(Tree()->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    for (QPushButton* button : m_window->findChildren<QPushButton*>())
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->objectName().toStdString();
}

TEST_F(ViewerTest, MenuItemsCarryTheirTextsAndAccelerators)
{
    Start("");
    const std::pair<const char*, const char*> items[] = {
        {"actionSelectFolder", "フォルダ選択(&O)\tCTRL+O"}, {"actionSaveScreen", "画面を保存(&S) \tCTRL+S"},
        {"actionExit", "終了(&X)\tALT+F4"},             {"actionCopyScreen", "画面をコピー(&C)\tCTRL+C"},
        {"actionOptions", "設定(&O)"},                   {"actionAbout", "このソフトについて(&H)"}};
    for (const auto& [name, text] : items)
        EXPECT_EQ(Child<QAction>(name)->text(), QString::fromUtf8(text)) << name;
    EXPECT_EQ(Child<QAction>("actionCopyScreen")->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(Child<QAction>("actionExit")->shortcut(), QKeySequence("Alt+F4"));
}

TEST_F(ViewerTest, ButtonsCarryTheirFixedToolTips)
{
    Start("");
    const std::pair<const char*, const char*> tips[] = {
        {"m_saveButton", "表示画面をビットマップに保存します"},
        {"m_copyButton", "表示画面をクリップボードにコピーします"},
        {"m_folderButton", "フォルダを選択します"},
        {"m_exitButton", "ソフトウェアを終了します"},
        {"m_shiftButton", "キーの機能を変更します"},
        {"m_enterButton", "決定"},
        {"m_upButton", "衛星・バンド↑"},
        {"m_rightButton", "ch →"},
        {"m_leftButton", "ch ←"},
        {"m_downButton", "衛星・バンド↓"}};
    for (bool shift : {false, true}) {
        Button("m_shiftButton")->setChecked(shift);
        for (const auto& [name, tip] : tips)
            EXPECT_EQ(Button(name)->toolTip(), QString::fromUtf8(tip)) << name;
    }
}

TEST_F(ViewerTest, ClosingAsksAndNoKeepsTheWindow)
{
    Start("");
    m_messages.m_answer = false;
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    m_messages.m_answer = true;
    EXPECT_TRUE(m_window->close());
    EXPECT_EQ(m_messages.m_shown.back(), "KR80A/80 CSV ビューアを終了します\nよろしいですか？");
}

} // namespace
