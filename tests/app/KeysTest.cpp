#include "ViewerFixture.h"
#include "support/CaseName.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <QTest>


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
    using Time = KeyRepeat::Time;

    // Puts the tree on the case's item: the LEVEL folder (collapsed, under
    // its open kind root), the first LEVEL record or the MULTI record. The
    // repeat of held buttons reads the test's clock, m_now.
    int StartAt(Place start)
    {
        StartOnCard();
        m_window->UseRepeatClock([this] { return m_now; });
        Tree()->expand(TreeItem({0}));
        if (start != Place::Folder)
            Tree()->expandAll();
        const int id = start == Place::Folder  ? FirstRecordOf(kindLevel) - 1
                       : start == Place::Level ? FirstRecordOf(kindLevel)
                                               : FirstRecordOf(kindMulti);
        EXPECT_TRUE(SelectId(id));
        return id;
    }
    // The item `steps` rows below the current one (above it when negative)
    // as the tree view lays its rows out.
    int RowsFromCurrent(int steps) const
    {
        QModelIndex index = Tree()->currentIndex();
        for (; steps > 0; --steps)
            index = Tree()->indexBelow(index);
        for (; steps < 0; ++steps)
            index = Tree()->indexAbove(index);
        return index.data(CardTreeModel::kItemIdRole).toInt();
    }
    QTimer* RepeatTimer() const { return Child<QTimer>("m_repeatTimer"); }
    // Turns the clock to `ms` and runs out the window's repeat timer;
    // false when the timer was not running.
    bool RunRepeatTimerAt(int ms)
    {
        m_now = Time(ms);
        QTimer* timer = RepeatTimer();
        if (!timer->isActive())
            return false;
        QTimerEvent runOut(timer->timerId());
        QCoreApplication::sendEvent(timer, &runOut);
        return true;
    }

    Time m_now{0};
};

InstrumentKey KeyOfButton(const std::string& button)
{
    return button == "m_upButton"     ? InstrumentKey::Up
           : button == "m_downButton" ? InstrumentKey::Down
           : button == "m_leftButton" ? InstrumentKey::Left
           : button == "m_rightButton" ? InstrumentKey::Right
                                       : InstrumentKey::Enter;
}

class KeyTest : public KeysFixture, public testing::WithParamInterface<KeyCase> {};

// The screen shows what the core draws after the same keys, and the tree
// moves as the tree view lays its rows out.
TEST_P(KeyTest, OnScreenKeyActsByScreenAndShift)
{
    const KeyCase& c = GetParam();
    const int id = StartAt(c.start);
    if (c.shift)
        QTest::mouseClick(Button("m_shiftButton"), Qt::LeftButton);
    EXPECT_EQ(Button("m_shiftButton")->isChecked(), c.shift);
    // The multi-channel graph starts at its coarsest range and highest scale:
    // one step finer first, so that every shifted key has room to act.
    std::vector<std::pair<InstrumentKey, bool>> keys;
    if (c.start == Place::Multi && c.shift && c.effect == Effect::MultiState
        && std::string(c.button) != "m_rightButton") {
        QTest::mouseClick(Button("m_rightButton"), Qt::LeftButton);
        keys.emplace_back(InstrumentKey::Right, true);
    }
    const QImage before = ShownPicture();
    const int expectedId = c.effect == Effect::TreeNext       ? RowsFromCurrent(1)
                           : c.effect == Effect::TreePrevious ? RowsFromCurrent(-1)
                           : c.effect == Effect::TreeParent   ? 1
                                                              : id;
    m_window->setFocus();
    QTest::mouseClick(Button(c.button), Qt::LeftButton);

    EXPECT_EQ(CurrentId(), expectedId);
    if (c.start == Place::Folder && expectedId == id) {
        EXPECT_EQ(Tree()->isExpanded(Tree()->currentIndex()), c.effect == Effect::Expand);
    }
    const bool screenKey = c.effect == Effect::Cursor || c.effect == Effect::Reference
                           || c.effect == Effect::MultiState;
    if (screenKey) {
        keys.emplace_back(KeyOfButton(c.button), c.shift);
        EXPECT_NE(ShownPicture(), before);
    }
    EXPECT_EQ(ShownPicture(), CorePicture(expectedId, keys));
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

// How the tree is laid out when ↑ and ↓ walk it.
enum class Layout { Folded, LevelOpen, AllOpen, Filtered, FilteredLevelFolded };

struct WalkCase {
    const char* name;
    Layout layout;
};

std::ostream& operator<<(std::ostream& out, const WalkCase& c)
{
    return out << c.name;
}

class ArrowWalkTest : public KeysFixture, public testing::WithParamInterface<WalkCase> {
protected:
    // The ids reached by clicking `button` from the current item until the
    // tree stops moving.
    std::vector<int> Walk(const char* button)
    {
        std::vector<int> reached{CurrentId()};
        for (int guard = 0; guard < 100; ++guard) {
            QTest::mouseClick(Button(button), Qt::LeftButton);
            if (CurrentId() == reached.back())
                break;
            reached.push_back(CurrentId());
        }
        return reached;
    }
    // Every row the tree view lays out, from the top.
    std::vector<int> Rows() const
    {
        std::vector<int> rows;
        for (QModelIndex row = TreeItem({0}); row.isValid(); row = Tree()->indexBelow(row))
            rows.push_back(row.data(CardTreeModel::kItemIdRole).toInt());
        return rows;
    }
};

// ↓ from the top and ↑ from the bottom reach every row the tree shows, in
// its order, and nothing else: folded folders' records and what the filter
// leaves out are passed over.
TEST_P(ArrowWalkTest, ArrowButtonsReachTheRowsAsTheTreeLaysThemOut)
{
    StartAt(Place::Folder);
    Tree()->collapseAll();
    const Layout layout = GetParam().layout;
    if (layout == Layout::LevelOpen) {
        Tree()->expand(TreeItem({0}));
        Tree()->expand(TreeItem({0, 0}));
    } else if (layout == Layout::AllOpen) {
        Tree()->expandAll();
    } else if (layout == Layout::Filtered || layout == Layout::FilteredLevelFolded) {
        Child<QLineEdit>("m_filterEdit")->setText("1");
        if (layout == Layout::FilteredLevelFolded)
            Tree()->collapse(TreeItem({0}));
    }
    const std::vector<int> rows = Rows();
    ASSERT_TRUE(SelectId(rows.front()));
    EXPECT_EQ(Walk("m_downButton"), rows);
    std::vector<int> upwards = Walk("m_upButton");
    std::reverse(upwards.begin(), upwards.end());
    EXPECT_EQ(upwards, rows);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ArrowWalkTest,
                         testing::Values(WalkCase{"Folded", Layout::Folded}, WalkCase{"LevelOpen", Layout::LevelOpen},
                                         WalkCase{"AllOpen", Layout::AllOpen}, WalkCase{"Filtered", Layout::Filtered},
                                         WalkCase{"FilteredLevelFolded", Layout::FilteredLevelFolded}),
                         CaseName());

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
    EXPECT_TRUE(Button("m_shiftButton")->isChecked());
    QTest::keyClick(Tree(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(CurrentId(), id);
    QTest::keyRelease(Tree(), Qt::Key_Shift);
    EXPECT_FALSE(Button("m_shiftButton")->isChecked());
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
    const int id = StartAt(Place::Multi);
    std::vector<std::pair<InstrumentKey, bool>> keys;
    // Each key changes the picture to what the core draws after the same keys.
    const auto expectKey = [&](InstrumentKey key, bool shift, const QImage& before) {
        keys.emplace_back(key, shift);
        EXPECT_NE(ShownPicture(), before) << keys.size();
        EXPECT_EQ(ShownPicture(), CorePicture(id, keys)) << keys.size();
    };
    QImage before = ShownPicture();
    QTest::keyClick(Tree(), Qt::Key_Right);
    expectKey(InstrumentKey::Right, false, before);
    before = ShownPicture();
    QTest::keyClick(Tree(), Qt::Key_Left);
    expectKey(InstrumentKey::Left, false, before);
    // Shifted: → makes the range finer, ↑ raises the scale.
    QTest::keyPress(Tree(), Qt::Key_Shift);
    before = ShownPicture();
    QTest::keyClick(Tree(), Qt::Key_Right, Qt::ShiftModifier);
    expectKey(InstrumentKey::Right, true, before);
    before = ShownPicture();
    QTest::keyClick(Tree(), Qt::Key_Up, Qt::ShiftModifier);
    expectKey(InstrumentKey::Up, true, before);
    QTest::keyRelease(Tree(), Qt::Key_Shift);
    EXPECT_EQ(CurrentId(), id);

    before = ShownPicture();
    QTest::keyPress(Tree(), Qt::Key_Return);
    EXPECT_TRUE(Button("m_enterButton")->isDown());
    expectKey(InstrumentKey::Enter, false, before);
    QTest::keyRelease(Tree(), Qt::Key_Return);
    EXPECT_FALSE(Button("m_enterButton")->isDown());
    before = ShownPicture();
    QTest::keyClick(Tree(), Qt::Key_Return);
    expectKey(InstrumentKey::Enter, false, before);
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

TEST_F(KeyTest, HeldArrowButtonRepeatsAfterTheHoldDelayThenEveryPeriod)
{
    StartAt(Place::Level);
    const int rows[] = {RowsFromCurrent(0), RowsFromCurrent(1), RowsFromCurrent(2), RowsFromCurrent(3),
                        RowsFromCurrent(4)};
    QPushButton* down = Button("m_downButton");
    EXPECT_FALSE(RepeatTimer()->isActive()); // nothing held: idle

    QTest::mousePress(down, Qt::LeftButton);
    EXPECT_TRUE(RunRepeatTimerAt(499)); // early: no step yet
    EXPECT_EQ(CurrentId(), rows[0]);
    EXPECT_TRUE(RunRepeatTimerAt(500));
    EXPECT_EQ(CurrentId(), rows[1]);
    EXPECT_TRUE(RunRepeatTimerAt(600));
    EXPECT_EQ(CurrentId(), rows[2]);

    // Off the button the repeat pauses; back on it, it waits the hold delay again.
    m_now = Time(650);
    QTest::mouseMove(down, QPoint(-10, -10));
    EXPECT_FALSE(RunRepeatTimerAt(700));
    QTest::mouseMove(down, down->rect().center());
    EXPECT_TRUE(RunRepeatTimerAt(1199));
    EXPECT_EQ(CurrentId(), rows[2]);
    EXPECT_TRUE(RunRepeatTimerAt(1200));
    EXPECT_EQ(CurrentId(), rows[3]);

    // Releasing on the button adds the click's own step and ends the repeat.
    QTest::mouseRelease(down, Qt::LeftButton, {}, down->rect().center());
    EXPECT_EQ(CurrentId(), rows[4]);
    EXPECT_FALSE(RepeatTimer()->isActive());
}

TEST_F(KeyTest, ReleaseOffTheButtonGivesNoClick)
{
    const int id = StartAt(Place::Level);
    QPushButton* up = Button("m_upButton");
    QTest::mousePress(up, Qt::LeftButton);
    QTest::mouseMove(up, QPoint(-10, -10));
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-10, -10));
    EXPECT_FALSE(RunRepeatTimerAt(1000));
    EXPECT_EQ(CurrentId(), id);
}

// Ways a held arrow button loses the mouse without seeing its release.
enum class MouseLoss { ModalBox, Deactivation, ReleaseInAnotherWindow };

class LostMouseTest : public KeysFixture, public testing::WithParamInterface<MouseLoss> {};

TEST_P(LostMouseTest, HeldArrowButtonStopsRepeating)
{
    StartAt(Place::Level);
    const int next = RowsFromCurrent(1);
    QPushButton* down = Button("m_downButton");
    QTest::mousePress(down, Qt::LeftButton);
    RunRepeatTimerAt(500);
    ASSERT_EQ(CurrentId(), next);

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
    for (int ms : {600, 700, 1500})
        RunRepeatTimerAt(ms);
    EXPECT_FALSE(RepeatTimer()->isActive());
    EXPECT_FALSE(down->isDown());
    EXPECT_EQ(CurrentId(), next);

    // Back in the window, a late release on the button is no click.
    box.hide();
    if (GetParam() != MouseLoss::ReleaseInAnotherWindow)
        QTest::mouseRelease(down, Qt::LeftButton);
    EXPECT_FALSE(RunRepeatTimerAt(3000));
    EXPECT_EQ(CurrentId(), next);
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
