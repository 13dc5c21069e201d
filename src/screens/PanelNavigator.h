#pragma once

#include "data/TreeSteps.h"
#include "screens/RecordDisplay.h"

class Canvas;
class CardTree;

// The meter's panel keys over the card: the shown screen takes the keys it
// has a use for, and ↑ ↓ without shift step through the tree's items as the
// viewer's tree does, showing each item they reach. The viewer and
// `kr80a show --keys` both go through here, so they move alike.
//
// The shell selects with Select (a click in its tree) and presses keys with
// Press; after a Moved it shows Selected() as its own selection.
class PanelNavigator {
public:
    enum class Outcome {
        Screen,  // the shown screen took the key (or had no use for it)
        Moved,   // the selection moved to Selected(), which is shown
        TreeKey, // ← or → while nothing is shown: the tree's own key (collapse, expand)
    };

    PanelNavigator(const CardTree& tree, RecordDisplay& display) : m_tree(tree), m_steps(tree), m_display(display) {}

    // Which items ↑ ↓ pass over; see TreeSteps.
    TreeSteps& Steps() { return m_steps; }

    // Shows item `id` (0, or an id the tree does not know: nothing).
    void Select(int id);
    int Selected() const { return m_selected; }

    // A panel key on the shown screen, drawn on `canvas` (the screen window's).
    Outcome Press(InstrumentKey key, bool shift, Canvas& canvas);

private:
    const CardTree& m_tree;
    TreeSteps m_steps;
    RecordDisplay& m_display;
    int m_selected = 0;
};
