#pragma once

#include "data/CardTree.h"
#include "screens/Canvas.h"
#include "support/RecordedMessages.h"

#include <string>
#include <vector>

// One stored picture: a record of the sample card as the viewer shows it
// when selected, or a multi-channel record after a list of panel keys.
struct GoldenCase {
    std::string name; // the PNG's file name under tests/golden
    int id = 0;       // the record's item id in the scanned card
    std::string keys; // comma separated, as `kr80a show --keys` takes them
};

// The card the stored pictures are made from, scanned once.
class GoldenCard {
public:
    explicit GoldenCard(const std::string& dataRoot);

    // Every record of the card, and every multi-channel record again after
    // each of a few key lists that work its graph.
    const std::vector<GoldenCase>& Cases() const { return m_cases; }

    // The screen as the viewer shows it: the record selected and drawn, then
    // each key pressed on the same canvas (a key redraws only what it changes).
    Canvas Draw(const GoldenCase& golden) const;

private:
    RecordedMessages m_messages;
    CardTree m_tree;
    std::vector<GoldenCase> m_cases;
};
