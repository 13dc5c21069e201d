#pragma once

#include <functional>

class CardTree;

// The order in which ↑ and ↓ step through the navigation tree: every item
// that can be seen, in tree order (a kind root, its folders, each folder's
// records, then the next kind root), as the viewer's tree lists them.
//
// By default the tree is fully expanded and every item is seen, as in
// `kr80a show --keys`. The viewer tells which items are collapsed (their
// children are passed over) and which are hidden (by a filter; the item and
// everything under it are passed over).
class TreeSteps {
public:
    using ItemTest = std::function<bool(int id)>;

    explicit TreeSteps(const CardTree& tree) : m_tree(tree) {}

    void SetCollapsed(ItemTest collapsed) { m_collapsed = std::move(collapsed); }
    void SetHidden(ItemTest hidden) { m_hidden = std::move(hidden); }

    // The first item seen, or 0 when the tree is empty.
    int First() const;
    // The item seen after `id` (the first one for 0), or `id` itself when it is the last.
    int Next(int id) const;
    // The item seen before `id`, or `id` itself when it is the first.
    int Previous(int id) const;

private:
    bool Hidden(int id) const { return m_hidden && m_hidden(id); }
    bool ShowsChildren(int id) const { return !(m_collapsed && m_collapsed(id)); }
    // The sibling `step` rows away (+1 or -1) that is not hidden, or 0.
    int SeenSibling(int id, int step) const;
    // The first (+1) or last (-1) child of `id` that is not hidden, or 0.
    int SeenChild(int id, int step) const;
    // `id` or, while it shows children, its last seen descendant.
    int LastSeenBelow(int id) const;

    const CardTree& m_tree;
    ItemTest m_collapsed;
    ItemTest m_hidden;
};
