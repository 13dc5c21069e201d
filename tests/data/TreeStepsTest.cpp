#include "data/CardTree.h"
#include "data/TreeSteps.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Two measurement folders A and B, each with two LEVEL records, A with one
// BER record: the tree
//   LEVEL (1) > A (6) > 7, 8; B (...) > ...; BER > A > ...; SKY; CONSTEL; MULTI
class TreeStepsTest : public testing::Test {
protected:
    TreeStepsTest() : m_tree(m_messages)
    {
        for (const std::string folder : {"A", "B"}) {
            m_card.Write(folder + "/LEVEL/" + folder + ".cnt", "2\n1.00\n");
            m_card.Write(folder + "/LEVEL/" + folder + ".CSV", "h\nd," + folder + "1,UHF\nd," + folder + "2,UHF\n");
        }
        m_card.Write("A/BER/A.cnt", "1\n1.00\n");
        m_card.Write("A/BER/A.CSV", "h\nd,ber,UHF\n");
        m_tree.ScanDataRoot(m_card.Root());
    }

    // Every item in tree order, each folder unfolded: what ↓ must walk.
    std::vector<int> TreeOrder() const
    {
        std::vector<int> order;
        const auto walk = [&](const auto& self, int id) -> void {
            order.push_back(id);
            for (int child : m_tree.Children(id))
                self(self, child);
        };
        for (int root : m_tree.KindRoots())
            walk(walk, root);
        return order;
    }

    // The items ↓ reaches from the first one, and ↑ from the last one.
    std::vector<int> WalkDown(const TreeSteps& steps) const
    {
        std::vector<int> seen{steps.First()};
        for (int next; (next = steps.Next(seen.back())) != seen.back();)
            seen.push_back(next);
        return seen;
    }
    std::vector<int> WalkUp(const TreeSteps& steps, int from) const
    {
        std::vector<int> seen{from};
        // Earlier items go to the front, so the one to step from is the front.
        for (int previous; (previous = steps.Previous(seen.front())) != seen.front();)
            seen.insert(seen.begin(), previous);
        return seen;
    }

    TempCard m_card;
    RecordedMessages m_messages;
    CardTree m_tree;
};

TEST_F(TreeStepsTest, FullyExpandedWalksEveryItemInTreeOrderBothWays)
{
    const TreeSteps steps(m_tree);
    const std::vector<int> order = TreeOrder();
    ASSERT_EQ(order.size(), 5u + 2u + 4u + 1u + 1u); // roots, folders, records
    EXPECT_EQ(WalkDown(steps), order);
    EXPECT_EQ(WalkUp(steps, order.back()), order);
    EXPECT_EQ(steps.Next(0), order.front()); // nothing selected: the first item
}

TEST_F(TreeStepsTest, CollapsedItemsKeepTheirChildrenOutOfTheWalk)
{
    TreeSteps steps(m_tree);
    const int levelRoot = m_tree.KindRoots()[0];
    const int folderA = m_tree.Children(levelRoot)[0];
    steps.SetCollapsed([&](int id) { return id == folderA; });
    std::vector<int> expected;
    for (int id : TreeOrder())
        if (m_tree.Node(id)->m_nParent != folderA)
            expected.push_back(id);
    EXPECT_EQ(WalkDown(steps), expected);
    EXPECT_EQ(WalkUp(steps, expected.back()), expected);
    // ↑ from folder B lands on folder A itself, not on A's last record.
    EXPECT_EQ(steps.Previous(m_tree.Children(levelRoot)[1]), folderA);
}

TEST_F(TreeStepsTest, HiddenItemsAndEverythingUnderThemAreLeftOut)
{
    TreeSteps steps(m_tree);
    const std::vector<int> roots = m_tree.KindRoots();
    const int folderA = m_tree.Children(roots[0])[0];
    // A filter that shows folder A's second record with its parents and the
    // BER root with everything under it, and hides the rest.
    const int kept = m_tree.Children(folderA)[1];
    const std::set<int> shown{roots[0], folderA, kept, roots[1]};
    const auto underBer = [&](int id) {
        for (int up = id; up != 0; up = m_tree.Node(up)->m_nParent)
            if (up == roots[1])
                return true;
        return false;
    };
    steps.SetHidden([&](int id) { return !shown.count(id) && !underBer(id); });
    const int berFolder = m_tree.Children(roots[1])[0];
    const std::vector<int> expected{roots[0], folderA, kept, roots[1], berFolder, m_tree.Children(berFolder)[0]};
    EXPECT_EQ(WalkDown(steps), expected);
    EXPECT_EQ(WalkUp(steps, expected.back()), expected);
}

TEST_F(TreeStepsTest, AnEmptyTreeHasNowhereToGo)
{
    RecordedMessages messages;
    CardTree empty(messages);
    const TreeSteps steps(empty);
    EXPECT_EQ(steps.First(), 0);
    EXPECT_EQ(steps.Next(0), 0);
    EXPECT_EQ(steps.Previous(0), 0);
}

} // namespace
