// What a scan left out, told by the window: the line under the tree, the
// 読み込み結果 window and the boxes' check box.
#include "BoxMessages.h"
#include "LoadResultsWindow.h"
#include "ViewerFixture.h"
#include "support/CaseName.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

const char* const kMismatch = " のデータ数が記録情報と異なります。";

// A folder "Lost<n>" whose LEVEL count file is of another version: left out.
void WriteLostFolders(const TempCard& card, int count)
{
    for (int n = 1; n <= count; ++n) {
        const std::string name = "Lost" + std::to_string(n);
        card.Write(name + "/LEVEL/" + name + ".cnt", "1\n1.01\n");
        card.Write(name + "/LEVEL/" + name + ".CSV", "h\n" + MeasurementLine("x", "0"));
    }
}

class LoadResultsTest : public ViewerTest {
protected:
    QPushButton* Line() const { return Button("m_loadResultsLine"); }
    LoadResultsWindow* Results() const { return m_window->findChild<LoadResultsWindow*>("m_loadResults"); }
    QString List(const char* name) const { return Results()->findChild<QPlainTextEdit*>(name)->toPlainText(); }
};

struct LineCase {
    const char* name;
    int lostFolders;
    const char* line; // empty: no line
};

class LoadResultsLineTest : public LoadResultsTest, public testing::WithParamInterface<LineCase> {};

// The line shows only for a card with something left out, and the tree
// gives it room rather than lying under it.
TEST_P(LoadResultsLineTest, LineUnderTheTreeCountsWhatWasLeftOut)
{
    WriteEveryKind(m_card);
    WriteLostFolders(m_card, GetParam().lostFolders);
    Start(StartWithFolder(m_card.Root()));
    const bool expected = *GetParam().line != '\0';
    EXPECT_EQ(Line()->isVisible(), expected);
    EXPECT_EQ(Line()->text(), QString::fromUtf8(GetParam().line));
    // In the window's coordinates: the two may have different parents.
    const QRect tree(Tree()->mapTo(m_window.get(), QPoint(0, 0)), Tree()->size());
    const QRect line(Line()->mapTo(m_window.get(), QPoint(0, 0)), Line()->size());
    if (expected) {
        EXPECT_FALSE(tree.intersects(line));
        EXPECT_EQ(tree.bottom() + 1, line.top());
    } else {
        EXPECT_EQ(tree.bottom(), line.bottom());
    }
    // The card's records are all there either way.
    EXPECT_NE(FirstRecordOf(kindMulti), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, LoadResultsLineTest,
    testing::Values(LineCase{"WholeCard", 0, ""},
                    LineCase{"OneLeftOut", 1, "1 件のフォルダを読み込めませんでした"},
                    LineCase{"ThreeLeftOut", 3, "3 件のフォルダを読み込めませんでした"}),
    CaseName());

TEST_F(LoadResultsTest, LineOpensAWindowBesideTheMainWindowWithBothLists)
{
    WriteEveryKind(m_card);
    WriteLostFolders(m_card, 2);
    m_card.Write("Short/BER/Short.cnt", "2\n1.00\n");
    m_card.Write("Short/BER/Short.CSV", "h\n" + MeasurementLine("b", "0"));
    Start(StartWithFolder(m_card.Root()));
    ASSERT_EQ(Results(), nullptr);
    QTest::mouseClick(Line(), Qt::LeftButton);
    ASSERT_NE(Results(), nullptr);
    EXPECT_TRUE(Results()->isVisible());
    EXPECT_TRUE(Results()->isWindow());
    EXPECT_FALSE(Results()->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QString reason = QStringLiteral("記録情報ファイル %1.cnt の版が 1.00 ではありません");
    EXPECT_EQ(List("m_leftOutList"),
              QString::fromStdString(m_card.Path("Lost1/LEVEL")) + '\t' + reason.arg("Lost1") + '\n'
                  + QString::fromStdString(m_card.Path("Lost2/LEVEL")) + '\t' + reason.arg("Lost2"));
    const QString mismatch = QString::fromStdString(m_card.Path("Short/BER/Short.CSV") + kMismatch);
    EXPECT_EQ(List("m_messagesList"), QString::fromStdString(m_messages.m_shown.at(0)));
    EXPECT_TRUE(List("m_messagesList").startsWith(mismatch)) << List("m_messagesList").toStdString();

    // The main window goes on taking the keys while the window is open.
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    QTest::keyClick(Tree(), Qt::Key_Down);
    EXPECT_EQ(CurrentId(), FirstRecordOf(kindLevel) + 1);

    // Everything in the window goes to the clipboard in one piece.
    QApplication::clipboard()->clear();
    Results()->findChild<QPushButton*>("m_copyResults")->click();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied, Results()->Text());
    for (const QString& part : {QStringLiteral("読み込めなかったフォルダ（2 件）"), reason.arg("Lost2"),
                                QStringLiteral("表示したメッセージ（1 件）"), mismatch})
        EXPECT_TRUE(copied.contains(part)) << part.toStdString();
}

// The 表示 menu reaches the same window at any time, and the window follows
// the folder opened later.
TEST_F(LoadResultsTest, ViewMenuOpensTheOneWindowWhichFollowsTheNextScan)
{
    WriteLostFolders(m_card, 1);
    Start(StartWithFolder(m_card.Root()));
    auto* menu = m_window->findChild<QMenuBar*>("m_menuBar");
    QStringList titles;
    for (QAction* action : menu->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "オプション(&O)", "ヘルプ(&H)"}));
    Child<QAction>("actionLoadResults")->trigger();
    LoadResultsWindow* first = Results();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    first->close();
    Child<QAction>("actionLoadResults")->trigger();
    EXPECT_EQ(Results(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(m_window->findChildren<LoadResultsWindow*>().size(), 1);

    TempCard whole;
    WriteEveryKind(whole);
    m_window->OpenDataFolder(whole.Root());
    EXPECT_FALSE(Line()->isVisible());
    EXPECT_EQ(List("m_leftOutList"), "");
    EXPECT_TRUE(Results()->Text().startsWith("読み込めなかったフォルダ（0 件）\n\n表示したメッセージ（0 件）"))
        << Results()->Text().toStdString();
}

// Checking "以降のメッセージを表示しない" on the scan's first box leaves out the
// other boxes of that scan only; the window still lists every message.
TEST_F(LoadResultsTest, SilencedBoxesOfAScanStayInTheWindow)
{
    for (const char* name : {"A", "B", "C"}) {
        m_card.Write(std::string(name) + "/BER/" + name + ".cnt", "2\n1.00\n");
        m_card.Write(std::string(name) + "/BER/" + name + ".CSV", "h\n" + MeasurementLine("b", "0"));
    }
    WriteSettings(StartWithFolder(m_card.Root()));
    BoxMessages boxes("KR80A_Viewer");
    QStringList shown;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown << box->text();
        ASSERT_NE(box->checkBox(), nullptr);
        box->checkBox()->setChecked(shown.size() == 1);
        box->button(QMessageBox::Ok)->click();
    });
    answerer.start(10);
    CViewerDlg window(boxes, m_chooser);
    ASSERT_TRUE(window.OnCreate());
    window.OnInitDialog();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QString::fromStdString(m_card.Path("A/BER/A.CSV") + kMismatch)));
    window.findChild<QAction*>("actionLoadResults")->trigger();
    auto* results = window.findChild<LoadResultsWindow*>("m_loadResults");
    ASSERT_NE(results, nullptr);
    const QString listed = results->findChild<QPlainTextEdit*>("m_messagesList")->toPlainText();
    for (const char* name : {"A", "B", "C"})
        EXPECT_TRUE(listed.contains(QString::fromStdString(m_card.Path(std::string(name) + "/BER/" + name + ".CSV"))))
            << name;
    EXPECT_TRUE(results->Text().contains("表示したメッセージ（3 件）"));

    // The next scan asks again.
    shown.clear();
    window.OpenDataFolder(m_card.Root());
    EXPECT_EQ(shown.size(), 1);
}

} // namespace
