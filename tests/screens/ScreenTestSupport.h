#pragma once

#include "data/RecordRow.h"
#include "screens/CScreen.h"
#include "screens/Canvas.h"
#include "screens/TextCodec.h"

#include <optional>
#include <string>
#include <vector>

// Channel rows of a multi-channel measurement as the meter writes them; the
// header columns (13 to 17) are set in every row, as the meter does.
struct MultiCard {
    std::string group = "BS";
    int range = 0;
    int offset = 0;
    int cursor = 1;
    std::optional<int> count{}; // column 17; none: the number of levels

    std::vector<RecordRow> Rows(const std::vector<std::string>& levels,
                                const std::vector<std::string>& corrections = {}) const
    {
        std::vector<RecordRow> rows;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            RecordRow row;
            row.SetColumn(1, "MULTI-1");
            row.SetColumn(2, "BS");
            row.SetColumn(3, "C" + std::to_string(i + 1));
            row.SetColumn(6, levels[i]);
            row.SetColumn(8, "OFDM");
            row.SetColumn(9, "10.678");
            row.SetColumn(10, i < corrections.size() ? corrections[i] : "OFF");
            row.SetColumn(13, std::to_string(offset));
            row.SetColumn(14, std::to_string(range));
            row.SetColumn(15, group);
            row.SetColumn(16, std::to_string(cursor));
            row.SetColumn(17, std::to_string(count.value_or(static_cast<int>(levels.size()))));
            rows.push_back(std::move(row));
        }
        return rows;
    }
};

inline bool HasInk(const Canvas& dc, const Rect& r)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (dc.pixel(x, y) != kWhite)
                return true;
    return false;
}

// True when `dc` shows, inside `area`, exactly what the text `utf8` in font
// `font` at (x, y) paints on a white canvas: the cells, not the glyph shapes,
// are what the test fixes.
inline bool ShowsText(const Canvas& dc, const Rect& area, int font, int x, int y,
                      const std::string& utf8)
{
    Canvas expected;
    CScreen fonts;
    fonts.SelectFont(font, expected);
    expected.textOut(x, y, EncodeCardText(utf8));
    for (int py = area.top; py < area.bottom; ++py)
        for (int px = area.left; px < area.right; ++px)
            if (dc.pixel(px, py) != expected.pixel(px, py))
                return false;
    return true;
}
