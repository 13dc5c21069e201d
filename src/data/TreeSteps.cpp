#include "data/TreeSteps.h"

#include "data/CardTree.h"

#include <vector>

int TreeSteps::SeenSibling(int id, int step) const
{
    const std::optional<TreeNode> node = m_tree.Node(id);
    if (!node)
        return 0;
    const std::vector<int> roots = node->m_nParent == 0 ? m_tree.KindRoots() : std::vector<int>();
    const int count = node->m_nParent == 0 ? static_cast<int>(roots.size())
                                           : m_tree.Node(node->m_nParent)->m_nChildCount;
    for (int row = node->m_nRow + step; row >= 0 && row < count; row += step) {
        const int sibling = node->m_nParent == 0 ? roots[static_cast<std::size_t>(row)]
                                                 : m_tree.Child(node->m_nParent, row);
        if (!Hidden(sibling))
            return sibling;
    }
    return 0;
}

int TreeSteps::SeenChild(int id, int step) const
{
    const std::optional<TreeNode> node = m_tree.Node(id);
    if (!node || node->m_nChildCount == 0 || !ShowsChildren(id))
        return 0;
    const int first = step > 0 ? 0 : node->m_nChildCount - 1;
    for (int row = first; row >= 0 && row < node->m_nChildCount; row += step)
        if (const int child = m_tree.Child(id, row); !Hidden(child))
            return child;
    return 0;
}

int TreeSteps::LastSeenBelow(int id) const
{
    for (int child; (child = SeenChild(id, -1)) != 0;)
        id = child;
    return id;
}

int TreeSteps::First() const
{
    for (int root : m_tree.KindRoots())
        if (!Hidden(root))
            return root;
    return 0;
}

int TreeSteps::Next(int id) const
{
    if (!m_tree.Node(id))
        return First() ? First() : id;
    if (const int child = SeenChild(id, +1))
        return child;
    for (int up = id; up != 0; up = m_tree.Node(up)->m_nParent)
        if (const int sibling = SeenSibling(up, +1))
            return sibling;
    return id;
}

int TreeSteps::Previous(int id) const
{
    const std::optional<TreeNode> node = m_tree.Node(id);
    if (!node)
        return First() ? First() : id;
    if (const int sibling = SeenSibling(id, -1))
        return LastSeenBelow(sibling);
    return node->m_nParent != 0 ? node->m_nParent : id;
}
