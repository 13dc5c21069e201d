// Names from the card and message texts are shown as written: a '<' in a
// folder or record name never turns the rest into markup.
#include "BoxMessages.h"
#include "ViewerFixture.h"
#include "support/CaseName.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

// The text a label puts on the screen (markup, when read as such, is gone).
QString ShownText(QLabel* label)
{
    return QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
}

// Answers the next modal message box, by a click on `answer` or with Enter
// when it is NoButton, and keeps what the box showed.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] { Answer(answer); });
        m_timer.start(10);
    }

    QString m_caption;
    QString m_shown;
    QStringList m_buttons;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;

private:
    void Answer(QMessageBox::StandardButton answer)
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_timer.stop();
        m_caption = box->windowTitle();
        m_icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            m_buttons << button->text();
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() == box->text())
                m_shown = ShownText(label);
        }
        if (answer == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Return);
        else
            box->button(answer)->click();
    }

    QTimer m_timer;
};

TEST(BoxMessagesTest, MessageShowsItsTextAsWritten)
{
    BoxMessages messages("KR80A_Viewer");
    BoxAnswerer answerer(QMessageBox::Ok);
    messages.ShowMessage("<b>x</b> /home/u/<i>card");
    EXPECT_EQ(answerer.m_shown, "<b>x</b> /home/u/<i>card");
    EXPECT_EQ(answerer.m_caption, "KR80A_Viewer");
    EXPECT_EQ(answerer.m_icon, QMessageBox::Warning);
    EXPECT_EQ(answerer.m_buttons, QStringList{"OK"});
}

// Within a batch (a card scan), checking "以降のメッセージを表示しない" on a box
// leaves out the batch's later boxes, and only those.
TEST(BoxMessagesTest, ACheckedBoxSilencesTheRestOfItsBatchOnly)
{
    BoxMessages messages("KR80A_Viewer");
    QStringList shown;
    QList<bool> offered;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown << box->text();
        offered << (box->checkBox() != nullptr);
        if (box->checkBox()) {
            EXPECT_EQ(box->checkBox()->text(), "以降のメッセージを表示しない");
            box->checkBox()->setChecked(shown.size() == 2);
        }
        box->button(QMessageBox::Ok)->click();
    });
    timer.start(10);
    messages.BeginBatch();
    for (const char* text : {"first", "second", "third", "fourth"})
        messages.ShowMessage(text);
    messages.EndBatch();
    messages.ShowMessage("after");
    EXPECT_EQ(shown, (QStringList{"first", "second", "after"}));
    EXPECT_EQ(offered, (QList<bool>{true, true, false}));
}

struct AnswerCase {
    const char* name;
    QMessageBox::StandardButton answer;
    bool yes;
};

class AskYesNoTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(AskYesNoTest, AnswersByTheButtonAndDefaultsToYes)
{
    BoxMessages messages("KR80A_Viewer");
    BoxAnswerer answerer(GetParam().answer);
    EXPECT_EQ(messages.AskYesNo("<b>終了</b>?"), GetParam().yes);
    EXPECT_EQ(answerer.m_shown, "<b>終了</b>?");
    EXPECT_EQ(answerer.m_icon, QMessageBox::Warning);
    // The toolkit's buttons speak the viewer's language.
    QStringList buttons = answerer.m_buttons;
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"いいえ(&N)", "はい(&Y)"}));
}

INSTANTIATE_TEST_SUITE_P(EveryAnswer, AskYesNoTest,
                         testing::Values(AnswerCase{"Yes", QMessageBox::Yes, true},
                                         AnswerCase{"No", QMessageBox::No, false},
                                         AnswerCase{"BoxClosed", QMessageBox::NoButton, true}),
                         CaseName());

TEST_F(ViewerTest, FolderAndRecordNamesInLabelsAreShownAsWritten)
{
    const std::string folder = m_card.Path("<i>card");
    m_card.Write("<i>card/A/LEVEL/A.cnt", "1\n1.00\n");
    m_card.Write("<i>card/A/LEVEL/A.CSV", "h\n" + MeasurementLine("<b>x</b>", "0"));
    Start(StartWithFolder(folder));
    ASSERT_TRUE(SelectId(FirstRecordOf(kindLevel)));
    EXPECT_EQ(ShownText(Child<QLabel>("m_captionLabel")), "<b>x</b>");
    EXPECT_EQ(ShownText(Child<QLabel>("m_dataRootLabel")), QString::fromStdString(folder));
    for (const char* label : {"m_systemLabel", "m_numberLabel", "m_countLabel"})
        EXPECT_EQ(ShownText(Child<QLabel>(label)), Text(label)) << label;
}

} // namespace
