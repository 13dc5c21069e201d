#pragma once

#include "screens/Canvas.h"

#include <algorithm>
#include <ostream>
#include <set>
#include <utility>

// Pixel queries for picture tests: which pixels have a colour, and where.
using PixelSet = std::set<std::pair<int, int>>;

inline PixelSet PixelsIn(const Canvas& canvas, Rgb colour, const Rect& region)
{
    PixelSet found;
    for (int y = std::max(region.top, 0); y < std::min(region.bottom, canvas.height()); ++y)
        for (int x = std::max(region.left, 0); x < std::min(region.right, canvas.width()); ++x)
            if (canvas.pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

inline PixelSet PixelsOf(const Canvas& canvas, Rgb colour)
{
    return PixelsIn(canvas, colour, {0, 0, canvas.width(), canvas.height()});
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
    return BoundsIn(canvas, colour, {0, 0, canvas.width(), canvas.height()});
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
