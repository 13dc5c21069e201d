#include "WholeText.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

void ShowWholeText(QLabel* label, const QString& text)
{
    QFont font = label->font();
    font.setStretch(QFont::AnyStretch);
    const int room = label->contentsRect().width() - 2 * label->margin() - std::max(0, label->indent());
    const int needed = QFontMetrics(font).horizontalAdvance(text);
    if (needed > room && room > 0) {
        // Glyph widths are rounded to pixels, so the first guess may be a
        // little too wide still.
        int stretch = std::max(1, 100 * room / needed);
        for (font.setStretch(stretch); stretch > 1 && QFontMetrics(font).horizontalAdvance(text) > room;)
            font.setStretch(--stretch);
    }
    label->setFont(font);
    label->setText(text);
}
