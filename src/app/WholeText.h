#pragma once

#include <QString>

class QLabel;

// Shows `text` in `label` whole, never a part of it: when it is wider than the
// label, the label's font is narrowed (same height) just enough to fit;
// otherwise the label keeps its own font.
void ShowWholeText(QLabel* label, const QString& text);
