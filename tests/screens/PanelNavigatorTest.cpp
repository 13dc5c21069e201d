#include "screens/PanelNavigator.h"

#include "data/CardTree.h"
#include "screens/Canvas.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

namespace {

using Outcome = PanelNavigator::Outcome;

// LEVEL records 1 and 2 of folder A, then the BER kind root (its folder is
// empty of kinds, so the root has no children).
class PanelNavigatorTest : public testing::Test {
protected:
    PanelNavigatorTest() : m_tree(m_messages), m_navigator(m_tree, m_display)
    {
        m_card.Write("A/LEVEL/A.cnt", "2\n1.00\n");
        m_card.Write("A/LEVEL/A.CSV", "h\nd,first,UHF\nd,second,UHF\n");
        m_tree.ScanDataRoot(m_card.Root());
        m_levelRoot = m_tree.KindRoots()[0];
        m_folder = m_tree.Children(m_levelRoot)[0];
        m_first = m_tree.Children(m_folder)[0];
        m_second = m_tree.Children(m_folder)[1];
    }

    TempCard m_card;
    RecordedMessages m_messages;
    CardTree m_tree;
    RecordDisplay m_display;
    PanelNavigator m_navigator;
    Canvas m_canvas;
    int m_levelRoot = 0, m_folder = 0, m_first = 0, m_second = 0;
};

TEST_F(PanelNavigatorTest, DownAndUpStepThroughTheTreeShowingEachItem)
{
    m_navigator.Select(m_levelRoot);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Down, false, m_canvas), Outcome::Moved);
    EXPECT_EQ(m_navigator.Selected(), m_folder);
    EXPECT_EQ(m_display.ScreenId(), 0);
    m_navigator.Press(InstrumentKey::Down, false, m_canvas);
    EXPECT_EQ(m_navigator.Selected(), m_first);
    EXPECT_EQ(m_display.ScreenId(), 1);
    EXPECT_EQ(m_display.LabelText(RecordDisplay::kCaption), "first");
    m_navigator.Press(InstrumentKey::Down, false, m_canvas);
    EXPECT_EQ(m_display.LabelText(RecordDisplay::kCaption), "second");
    EXPECT_EQ(m_display.LabelText(RecordDisplay::kNumber), "2");
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Up, false, m_canvas), Outcome::Moved);
    EXPECT_EQ(m_navigator.Selected(), m_first);
}

TEST_F(PanelNavigatorTest, TheLastItemStaysAndShiftedArrowsNeverMoveTheTree)
{
    const int last = m_tree.KindRoots().back();
    m_navigator.Select(last);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Down, false, m_canvas), Outcome::Screen);
    EXPECT_EQ(m_navigator.Selected(), last);
    m_navigator.Select(m_first);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Down, true, m_canvas), Outcome::Screen);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Up, true, m_canvas), Outcome::Screen);
    EXPECT_EQ(m_navigator.Selected(), m_first);
}

TEST_F(PanelNavigatorTest, LeftAndRightBelongToTheTreeOnlyWhileNothingIsShown)
{
    m_navigator.Select(m_folder);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Left, false, m_canvas), Outcome::TreeKey);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Right, false, m_canvas), Outcome::TreeKey);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Right, true, m_canvas), Outcome::Screen);
    m_navigator.Select(m_first);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Left, false, m_canvas), Outcome::Screen);
    EXPECT_EQ(m_navigator.Selected(), m_first);
}

TEST_F(PanelNavigatorTest, AnUnknownIdShowsNothingAndDownStartsAtTheTop)
{
    m_navigator.Select(9999);
    EXPECT_EQ(m_navigator.Selected(), 0);
    EXPECT_EQ(m_display.ScreenId(), 0);
    EXPECT_EQ(m_navigator.Press(InstrumentKey::Down, false, m_canvas), Outcome::Moved);
    EXPECT_EQ(m_navigator.Selected(), m_levelRoot);
}

} // namespace
