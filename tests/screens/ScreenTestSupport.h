#pragma once

// What the screen tests share: records to load, pictures to compare, and
// pixel queries.

#include "data/RecordRow.h"
#include "screens/CScreen.h"
#include "screens/Canvas.h"
#include "screens/TextCodec.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Records written column by column in UTF-8, stored as the card's bytes.
inline RecordRow CardRow(std::initializer_list<std::pair<int, const char*>> columns)
{
    RecordRow row;
    for (const auto& [k, text] : columns)
        row.SetColumn(k, EncodeCardText(text));
    return row;
}

inline std::string Sjis(const char* utf8)
{
    return EncodeCardText(utf8);
}

// A screen's picture on a canvas that starts black, so that anything the
// screen leaves undrawn shows.
template <class Screen>
Canvas PictureOf(Screen& screen)
{
    Canvas canvas;
    canvas.FillRect({0, 0, 320, 240}, kBlack);
    screen.Draw(canvas);
    return canvas;
}

// The picture a layout must give, built from the cell operations it names.
class ExpectedPicture {
public:
    ExpectedPicture()
    {
        canvas.FillRect({0, 0, 320, 240}, kBlack);
        ClearScreen(canvas);
    }
    void ModulationFooter(const std::string& modulation)
    {
        footer.m_strModulation = modulation;
        footer.DrawModulationFooter(canvas);
    }
    void ConverterFooter(const std::string& converter)
    {
        footer.m_strConverter = converter;
        footer.DrawConverterFooter(canvas);
    }

    Canvas canvas;
    CCellPainter painter;
    CScreen footer;
};

inline bool SamePicture(const Canvas& a, const Canvas& b)
{
    return a.Pixels() == b.Pixels();
}

// Only the frame left black: the layout drew nothing.
inline bool IsBlank(const Canvas& canvas)
{
    Canvas blank;
    blank.FillRect({0, 0, 320, 240}, kBlack);
    ClearScreen(blank);
    return SamePicture(canvas, blank);
}

// Nothing is drawn above the measurement rows.
inline bool TopIsWhite(const Canvas& canvas)
{
    for (int y = 1; y < 112; ++y)
        for (int x = 1; x < 319; ++x)
            if (canvas.Pixel(x, y) != kWhite)
                return false;
    return true;
}

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
            if (dc.Pixel(x, y) != kWhite)
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
    expected.TextOut(x, y, EncodeCardText(utf8));
    for (int py = area.top; py < area.bottom; ++py)
        for (int px = area.left; px < area.right; ++px)
            if (dc.Pixel(px, py) != expected.Pixel(px, py))
                return false;
    return true;
}

// Pixel queries for picture tests: which pixels have a colour, and where.
using PixelSet = std::set<std::pair<int, int>>;

inline PixelSet PixelsIn(const Canvas& canvas, Rgb colour, const Rect& region)
{
    PixelSet found;
    for (int y = std::max(region.top, 0); y < std::min(region.bottom, canvas.Height()); ++y)
        for (int x = std::max(region.left, 0); x < std::min(region.right, canvas.Width()); ++x)
            if (canvas.Pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

inline PixelSet PixelsOf(const Canvas& canvas, Rgb colour)
{
    return PixelsIn(canvas, colour, {0, 0, canvas.Width(), canvas.Height()});
}

// The bounding box of the colour's pixels within the region.
inline Rect BoundsIn(const Canvas& canvas, Rgb colour, const Rect& region)
{
    Rect box{region.right, region.bottom, region.left, region.top};
    for (const auto& [x, y] : PixelsIn(canvas, colour, region)) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
    }
    return box;
}

inline Rect BoundsOf(const Canvas& canvas, Rgb colour)
{
    return BoundsIn(canvas, colour, {0, 0, canvas.Width(), canvas.Height()});
}

inline bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

// Every pixel of the rectangle has the colour.
inline bool AllOf(const Canvas& canvas, Rgb colour, const Rect& region)
{
    return PixelsIn(canvas, colour, region).size()
           == static_cast<std::size_t>((region.right - region.left) * (region.bottom - region.top));
}

// A horizontal or vertical run of pixels, end included.
inline void AddRun(PixelSet& set, int x0, int y0, int x1, int y1)
{
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
            set.insert({x, y});
}
