#include "screens/Canvas.h"

#include "screens/Font.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr int kDotRun = 3; // pixels on, then as many off

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

} // namespace

Canvas::Canvas(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), kWhite)
{
}

Rgb Canvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kWhite;
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

void Canvas::SetPixel(int x, int y, Rgb colour)
{
    Plot(x, y, colour);
}

void Canvas::Plot(int x, int y, Rgb colour)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = colour & 0xFFFFFF;
}

void Canvas::SetPen(Rgb colour, PenStyle style)
{
    m_pen = colour;
    m_penStyle = style;
}

void Canvas::MoveTo(int x, int y)
{
    m_x = x;
    m_y = y;
}

bool Canvas::PenPaints(long long step) const
{
    return m_penStyle == PenStyle::Solid || step % (2 * kDotRun) < kDotRun;
}

// Bresenham along the major axis; the end point itself is left out. Only the
// steps whose major coordinate lies inside the buffer are visited, so lines
// from far outside cost no more than lines inside.
void Canvas::LineTo(int x, int y)
{
    const bool xMajor = std::llabs(static_cast<long long>(x) - m_x) >= std::llabs(static_cast<long long>(y) - m_y);
    if (xMajor)
        DrawLine({m_x, m_y, x, y, m_width}, true);
    else
        DrawLine({m_y, m_x, y, x, m_height}, false);
    MoveTo(x, y);
}

// Step k of a line with major run da and minor run db has made
// ceil((2k*db - da) / (2*da)) minor steps: the classic error term stays in
// (-da, da] after every step.
void Canvas::DrawLine(const MajorLine& line, bool xMajor)
{
    const long long da = std::llabs(line.a1 - line.a0);
    const long long db = std::llabs(line.b1 - line.b0);
    const int sa = line.a1 < line.a0 ? -1 : 1;
    const int sb = line.b1 < line.b0 ? -1 : 1;
    long long first = 0;
    long long last = da; // exclusive: the end point is not set
    if (sa > 0) {
        first = std::max(first, -line.a0);
        last = std::min(last, line.limit - line.a0);
    } else {
        first = std::max(first, line.a0 - (line.limit - 1));
        last = std::min(last, line.a0 + 1);
    }
    for (long long k = first; k < last; ++k) {
        if (!PenPaints(k))
            continue;
        const __int128 numerator = static_cast<__int128>(2 * k) * db - da;
        const __int128 denominator = 2 * static_cast<__int128>(da);
        const __int128 minorSteps = numerator <= 0 ? 0 : (numerator + denominator - 1) / denominator;
        const long long a = line.a0 + sa * k;
        const long long b = line.b0 + sb * static_cast<long long>(minorSteps);
        if (b < INT_MIN || b > INT_MAX)
            continue;
        if (xMajor)
            Plot(static_cast<int>(a), static_cast<int>(b), m_pen);
        else
            Plot(static_cast<int>(b), static_cast<int>(a), m_pen);
    }
}

void Canvas::FillRect(const Rect& rect, Rgb colour)
{
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, m_width);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, m_height);
    if (left >= right)
        return;
    for (int y = top; y < bottom; ++y) {
        auto row = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
        std::fill(row + left, row + right, colour & 0xFFFFFF);
    }
}

void Canvas::FrameRect(const Rect& rect, Rgb colour)
{
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    FillRect({rect.left, rect.top, rect.right, rect.top + 1}, colour);
    FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void Canvas::InvertRect(const Rect& rect)
{
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, m_width);
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, m_height); ++y)
        for (int x = left; x < right; ++x) {
            Rgb& p = m_pixels[static_cast<std::size_t>(y) * m_width + x];
            p = ~p & 0xFFFFFF;
        }
}

void Canvas::TextOut(int x, int y, std::string_view bytes)
{
    if (!m_font)
        return;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        unsigned code = static_cast<unsigned char>(bytes[i]);
        if (IsLeadByte(static_cast<unsigned char>(code)) && i + 1 < bytes.size())
            code = code << 8 | static_cast<unsigned char>(bytes[++i]);
        if (x >= m_width)
            return; // the rest of a long text lies beyond the right edge
        DrawGlyph(x, y, code);
        x += (code > 0xFF ? 2 : 1) * m_font->CellWidth();
    }
}

void Canvas::DrawGlyph(int x, int y, unsigned code)
{
    const GlyphMask& glyph = m_font->Glyph(code);
    const int cellsWidth = (code > 0xFF ? 2 : 1) * m_font->CellWidth();
    const int height = m_font->CellHeight();
    if (m_backgroundMode == BackgroundMode::Opaque)
        FillRect({x, y, x + cellsWidth, y + height}, m_background);
    const int width = std::min(glyph.width, cellsWidth);
    for (int row = 0; row < std::min(glyph.height, height); ++row) {
        const std::uint8_t* ink = glyph.ink.data() + static_cast<std::size_t>(row) * glyph.width;
        for (int col = 0; col < width; ++col)
            if (ink[col])
                Plot(x + col, y + row, m_textColour);
    }
}

void DrawChain(Canvas& dc, std::initializer_list<Point> points)
{
    bool first = true;
    for (const Point& point : points) {
        if (first)
            dc.MoveTo(point.x, point.y);
        else
            dc.LineTo(point.x, point.y);
        first = false;
    }
}
