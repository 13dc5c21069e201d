#include "ViewerFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>

#include <tuple>

namespace {

enum class Place { Folder, Level, Multi };
enum class Effect { None, TreeNext, TreePrevious, TreeParent, Expand, Cursor, MultiState, Reference };

struct KeyCase {
    Place start;
    const char* button;
    bool shift;
    Effect effect;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c)
{
    return out << static_cast<int>(c.start) << " " << c.button << (c.shift ? " shift" : "");
}

// "Multi_Left_Shift": where the tree stands, the button, and the shift.
std::string KeyCaseName(const testing::TestParamInfo<KeyCase>& info)
{
    const KeyCase& c = info.param;
    const char* const places[] = {"Folder", "Level", "Multi"};
    std::string button = std::string(c.button).substr(2); // "m_leftButton" -> "leftButton"
    button = std::string(1, static_cast<char>(button[0] - 'a' + 'A'))
             + button.substr(1, button.size() - 1 - std::string("Button").size());
    return std::string(places[static_cast<int>(c.start)]) + "_" + button + (c.shift ? "_Shift" : "");
}

class KeysFixture : public ViewerTest {
protected:
    // Puts the tree on the case's item: the LEVEL folder (collapsed, under
    // its open kind root), the first LEVEL record or the MULTI record.
    int StartAt(Place start)
    {
        StartOnCard();
        Tree()->expand(TreeItem({0}));
        if (start != Place::Folder)
            Tree()->expandAll();
        const int id = start == Place::Folder  ? FirstRecordOf(kindLevel) - 1
                       : start == Place::Level ? FirstRecordOf(kindLevel)
                                               : FirstRecordOf(kindMulti);
        EXPECT_TRUE(SelectId(id));
        return id;
    }
    auto MultiState() const
    {
        const CMultiScreen& multi = m_window->m_display.m_multiScreen;
        return std::tuple(multi.m_nCursor, multi.m_nReference, multi.m_nTop, multi.m_nBottom,
                          multi.m_nRange, multi.m_nSpan);
    }
};

class KeyTest : public KeysFixture, public testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTest, OnScreenKeyActsByScreenAndShift)
{
    const KeyCase& c = GetParam();
    const int id = StartAt(c.start);
    if (c.shift)
        QTest::mouseClick(Button("m_shiftButton"), Qt::LeftButton);
    EXPECT_EQ(m_window->ShiftOn(), c.shift);
    // The multi-channel graph starts at its coarsest range and highest scale:
    // one step finer first, so that every shifted key has room to act.
    if (c.start == Place::Multi && c.shift && c.effect == Effect::MultiState
        && std::string(c.button) != "m_rightButton")
        QTest::mouseClick(Button("m_rightButton"), Qt::LeftButton);
    const auto multiBefore = MultiState();
    m_window->setFocus();
    QTest::mouseClick(Button(c.button), Qt::LeftButton);

    const int expectedId = c.effect == Effect::TreeNext       ? (c.start == Place::Folder ? 2 : id + 1)
                           : c.effect == Effect::TreePrevious ? id - 1
                           : c.effect == Effect::TreeParent   ? 1
                                                              : id;
    EXPECT_EQ(CurrentId(), expectedId);
    if (c.start == Place::Folder && expectedId == id) {
        EXPECT_EQ(Tree()->isExpanded(Tree()->currentIndex()), c.effect == Effect::Expand);
    }
    const auto multiAfter = MultiState();
    switch (c.effect) {
    case Effect::Cursor:
        EXPECT_NE(std::get<0>(multiAfter), std::get<0>(multiBefore));
        break;
    case Effect::Reference:
        EXPECT_NE(std::get<1>(multiAfter), std::get<1>(multiBefore));
        break;
    case Effect::MultiState:
        EXPECT_NE(multiAfter, multiBefore);
        break;
    default:
        EXPECT_EQ(multiAfter, multiBefore);
        break;
    }
    // Every on-screen key gives the focus back to the tree.
    EXPECT_EQ(m_window->focusWidget(), Tree());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTest,
    testing::Values(
        KeyCase{Place::Folder, "m_downButton", false, Effect::TreeNext},
        KeyCase{Place::Folder, "m_upButton", false, Effect::TreeParent},
        KeyCase{Place::Folder, "m_leftButton", false, Effect::TreeParent},
        KeyCase{Place::Folder, "m_rightButton", false, Effect::Expand},
        KeyCase{Place::Folder, "m_enterButton", false, Effect::None},
        KeyCase{Place::Folder, "m_downButton", true, Effect::None},
        KeyCase{Place::Folder, "m_leftButton", true, Effect::None},
        KeyCase{Place::Folder, "m_rightButton", true, Effect::None},
        KeyCase{Place::Level, "m_downButton", false, Effect::TreeNext},
        KeyCase{Place::Level, "m_upButton", false, Effect::TreePrevious},
        KeyCase{Place::Level, "m_leftButton", false, Effect::None},
        KeyCase{Place::Level, "m_rightButton", false, Effect::None},
        KeyCase{Place::Level, "m_enterButton", false, Effect::None},
        KeyCase{Place::Level, "m_downButton", true, Effect::None},
        KeyCase{Place::Level, "m_upButton", true, Effect::None},
        KeyCase{Place::Level, "m_leftButton", true, Effect::None},
        KeyCase{Place::Multi, "m_upButton", false, Effect::TreePrevious},
        KeyCase{Place::Multi, "m_downButton", false, Effect::None}, // the last item of the tree
        KeyCase{Place::Multi, "m_leftButton", false, Effect::Cursor},
        KeyCase{Place::Multi, "m_rightButton", false, Effect::Cursor},
        KeyCase{Place::Multi, "m_enterButton", false, Effect::Reference},
        KeyCase{Place::Multi, "m_enterButton", true, Effect::Reference},
        KeyCase{Place::Multi, "m_upButton", true, Effect::MultiState},
        KeyCase{Place::Multi, "m_downButton", true, Effect::MultiState},
        KeyCase{Place::Multi, "m_leftButton", true, Effect::MultiState},
        KeyCase{Place::Multi, "m_rightButton", true, Effect::MultiState}),
    KeyCaseName);

TEST_F(KeyTest, ShiftToggleSwapsTheArrowIcons)
{
    StartAt(Place::Level);
    const QImage plain = Button("m_upButton")->icon().pixmap(32).toImage();
    QTest::mouseClick(Button("m_shiftButton"), Qt::LeftButton);
    EXPECT_NE(Button("m_upButton")->icon().pixmap(32).toImage(), plain);
    QTest::mouseClick(Button("m_shiftButton"), Qt::LeftButton);
    EXPECT_EQ(Button("m_upButton")->icon().pixmap(32).toImage(), plain);
    EXPECT_EQ(m_window->focusWidget(), Tree());
}

TEST_F(KeyTest, KeyboardArrowsOnARecordScreen)
{
    const int id = StartAt(Place::Level);
    // ← and → mean nothing on a LEVEL screen: the tree must not see them.
    QTest::keyClick(Tree(), Qt::Key_Left);
    QTest::keyClick(Tree(), Qt::Key_Right);
    EXPECT_EQ(CurrentId(), id);
    QTest::keyClick(Tree(), Qt::Key_Down);
    EXPECT_EQ(CurrentId(), id + 1);
    QTest::keyClick(Tree(), Qt::Key_Up);
    EXPECT_EQ(CurrentId(), id);
}

TEST_F(KeyTest, KeyboardShiftIsMomentary)
{
    const int id = StartAt(Place::Level);
    QTest::mouseClick(Button("m_shiftButton"), Qt::LeftButton);
    QTest::keyPress(Tree(), Qt::Key_Shift);
    EXPECT_TRUE(m_window->ShiftOn());
    QTest::keyClick(Tree(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(CurrentId(), id);
    QTest::keyRelease(Tree(), Qt::Key_Shift);
    EXPECT_FALSE(m_window->ShiftOn());
    QTest::keyClick(Tree(), Qt::Key_Down);
    EXPECT_EQ(CurrentId(), id + 1);
}

TEST_F(KeyTest, KeyboardOnNoScreenReachesTheTreeEvenWithShift)
{
    StartAt(Place::Folder);
    QTest::mouseClick(Button("m_shiftButton"), Qt::LeftButton);
    QTest::keyClick(Tree(), Qt::Key_Right);
    EXPECT_TRUE(Tree()->isExpanded(Tree()->currentIndex()));
    QTest::keyClick(Tree(), Qt::Key_Left);
    EXPECT_FALSE(Tree()->isExpanded(Tree()->currentIndex()));
}

TEST_F(KeyTest, KeyboardOnTheMultiChannelScreen)
{
    StartAt(Place::Multi);
    const CMultiScreen& multi = m_window->m_display.m_multiScreen;
    QTest::keyClick(Tree(), Qt::Key_Right);
    EXPECT_EQ(multi.m_nCursor, 2);
    QTest::keyClick(Tree(), Qt::Key_Left);
    EXPECT_EQ(multi.m_nCursor, 1);
    // Shifted: → makes the range finer, ↑ raises the scale.
    const auto coarse = MultiState();
    QTest::keyPress(Tree(), Qt::Key_Shift);
    QTest::keyClick(Tree(), Qt::Key_Right, Qt::ShiftModifier);
    const auto finer = MultiState();
    EXPECT_NE(finer, coarse);
    QTest::keyClick(Tree(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_NE(MultiState(), finer);
    QTest::keyRelease(Tree(), Qt::Key_Shift);
    EXPECT_EQ(multi.m_nCursor, 1);

    QTest::keyPress(Tree(), Qt::Key_Return);
    EXPECT_TRUE(Button("m_enterButton")->isDown());
    EXPECT_NE(multi.m_nReference, -1);
    QTest::keyRelease(Tree(), Qt::Key_Return);
    EXPECT_FALSE(Button("m_enterButton")->isDown());
    QTest::keyClick(Tree(), Qt::Key_Return);
    EXPECT_EQ(multi.m_nReference, -1);
}

TEST_F(KeyTest, GreyedAcceleratorsDoNothing)
{
    StartAt(Place::Folder);
    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(Tree(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

TEST_F(KeyTest, EscapeAndEnterNeverCloseTheWindow)
{
    StartAt(Place::Level);
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(Tree(), key);
        QTest::keyClick(m_window.get(), key);
    }
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(m_window->result(), 0);
    EXPECT_TRUE(m_messages.m_shown.empty());
}

TEST_F(KeyTest, HeldArrowButtonRepeatsOnTheTimerTicks)
{
    const int id = StartAt(Place::Level);
    QPushButton* down = Button("m_downButton");
    m_window->OnRepeatTimer(CViewerDlg::IDT_POLL); // nothing held: stays idle
    EXPECT_FALSE(m_window->m_bRepeating);

    QTest::mousePress(down, Qt::LeftButton);
    m_window->OnRepeatTimer(CViewerDlg::IDT_POLL);
    EXPECT_TRUE(m_window->m_bRepeating);
    EXPECT_EQ(m_window->m_nRepeatKey, CViewerDlg::VK_DOWN);
    EXPECT_EQ(CurrentId(), id); // the poll tick only starts the repeat
    m_window->OnRepeatTimer(CViewerDlg::IDT_REPEAT);
    EXPECT_EQ(CurrentId(), id + 1);

    // Off the button the repeat stops; back on it, the next poll resumes it.
    QTest::mouseMove(down, QPoint(-10, -10));
    m_window->OnRepeatTimer(CViewerDlg::IDT_REPEAT);
    EXPECT_FALSE(m_window->m_bRepeating);
    EXPECT_EQ(CurrentId(), id + 1);
    QTest::mouseMove(down, down->rect().center());
    m_window->OnRepeatTimer(CViewerDlg::IDT_POLL);
    EXPECT_TRUE(m_window->m_bRepeating);

    // Releasing on the button adds the click's own step and ends the repeat.
    QTest::mouseRelease(down, Qt::LeftButton, {}, down->rect().center());
    EXPECT_EQ(CurrentId(), id + 2);
    m_window->OnRepeatTimer(CViewerDlg::IDT_REPEAT);
    EXPECT_FALSE(m_window->m_bRepeating);
}

TEST_F(KeyTest, ReleaseOffTheButtonGivesNoClick)
{
    const int id = StartAt(Place::Level);
    QPushButton* up = Button("m_upButton");
    QTest::mousePress(up, Qt::LeftButton);
    QTest::mouseMove(up, QPoint(-10, -10));
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-10, -10));
    m_window->OnRepeatTimer(CViewerDlg::IDT_POLL);
    EXPECT_FALSE(m_window->m_bRepeating);
    EXPECT_EQ(CurrentId(), id);
}

// Ways a held arrow button loses the mouse without seeing its release.
enum class MouseLoss { ModalBox, Deactivation, ReleaseInAnotherWindow };

class LostMouseTest : public KeysFixture, public testing::WithParamInterface<MouseLoss> {};

TEST_P(LostMouseTest, HeldArrowButtonStopsRepeating)
{
    const int id = StartAt(Place::Level);
    QPushButton* down = Button("m_downButton");
    QTest::mousePress(down, Qt::LeftButton);
    m_window->OnRepeatTimer(CViewerDlg::IDT_POLL);
    m_window->OnRepeatTimer(CViewerDlg::IDT_REPEAT);
    ASSERT_EQ(CurrentId(), id + 1);

    QMessageBox box(QMessageBox::Warning, "KR80A_Viewer", "box", QMessageBox::Ok, m_window.get());
    QWidget other(nullptr, Qt::ToolTip); // takes no activation
    switch (GetParam()) {
    case MouseLoss::ModalBox:
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        break;
    case MouseLoss::Deactivation: {
        QEvent deactivation(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(m_window.get(), &deactivation);
        break;
    }
    case MouseLoss::ReleaseInAnotherWindow:
        other.show();
        QTest::mouseRelease(other.windowHandle(), Qt::LeftButton);
        break;
    }
    // While the mouse is still held (or let go elsewhere) no tick moves the tree.
    for (int tick : {CViewerDlg::IDT_REPEAT, CViewerDlg::IDT_POLL, CViewerDlg::IDT_REPEAT})
        m_window->OnRepeatTimer(tick);
    EXPECT_FALSE(m_window->m_bRepeating);
    EXPECT_FALSE(down->isDown());
    EXPECT_EQ(CurrentId(), id + 1);

    // Back in the window, a late release on the button is no click.
    box.hide();
    if (GetParam() != MouseLoss::ReleaseInAnotherWindow)
        QTest::mouseRelease(down, Qt::LeftButton);
    m_window->OnRepeatTimer(CViewerDlg::IDT_POLL);
    EXPECT_FALSE(m_window->m_bRepeating);
    EXPECT_EQ(CurrentId(), id + 1);
}

INSTANTIATE_TEST_SUITE_P(EveryWay, LostMouseTest,
                         testing::Values(MouseLoss::ModalBox, MouseLoss::Deactivation,
                                         MouseLoss::ReleaseInAnotherWindow),
                         [](const testing::TestParamInfo<MouseLoss>& loss) -> std::string {
                             switch (loss.param) {
                             case MouseLoss::ModalBox: return "ModalBox";
                             case MouseLoss::Deactivation: return "Deactivation";
                             case MouseLoss::ReleaseInAnotherWindow: return "ReleaseInAnotherWindow";
                             }
                             return "";
                         });

} // namespace
