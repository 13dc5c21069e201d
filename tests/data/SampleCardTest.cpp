#include "data/CardTree.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

namespace {

// The bundled card is what a new user opens first: it must load whole and quietly.
TEST(SampleCard, LoadsEveryKindWithoutAMessage)
{
    RecordedMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(SAMPLE_CARD_DIR);
    EXPECT_EQ(messages.m_shown, std::vector<std::string>{});
    for (int root : tree.KindRoots())
        EXPECT_FALSE(tree.Children(root).empty()) << "kind root " << root;
}

} // namespace
