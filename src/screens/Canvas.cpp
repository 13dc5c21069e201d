#include "screens/Canvas.h"

#include "screens/Font.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace {

constexpr int kDotRun = 3; // pixels on, then as many off

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101;

// Calls paint(row) for `rows` rows, `stride` pixels apart.
template <typename Paint>
void ForEachRow(std::uint8_t* first, std::size_t stride, int rows, Paint paint)
{
    for (int row = 0; row < rows; ++row)
        paint(first + static_cast<std::size_t>(row) * stride);
}

// Sets n pixels in each of `rows` rows, `stride` pixels apart. The screens
// fill many short runs (bars a few pixels wide, frame sides one pixel wide),
// where a call to memset costs more than the stores: short runs are written
// eight, four, two or one at a time, the last store overlapping the one
// before. The way to write a run is chosen once for all rows.
void FillRuns(std::uint8_t* first, std::size_t stride, int rows, std::size_t n, std::uint8_t colour)
{
    const std::uint64_t eight = colour * kEveryByte;
    const auto four = static_cast<std::uint32_t>(eight);
    const auto two = static_cast<std::uint16_t>(eight);
    if (n >= 64) {
        ForEachRow(first, stride, rows, [&](std::uint8_t* pixels) { std::memset(pixels, colour, n); });
    } else if (n >= 8) {
        ForEachRow(first, stride, rows, [&](std::uint8_t* pixels) {
            for (std::size_t i = 0; i + 8 < n; i += 8)
                std::memcpy(pixels + i, &eight, 8);
            std::memcpy(pixels + n - 8, &eight, 8);
        });
    } else if (n >= 4) {
        ForEachRow(first, stride, rows, [&](std::uint8_t* pixels) {
            std::memcpy(pixels, &four, 4);
            std::memcpy(pixels + n - 4, &four, 4);
        });
    } else if (n >= 2) {
        ForEachRow(first, stride, rows, [&](std::uint8_t* pixels) {
            std::memcpy(pixels, &two, 2);
            std::memcpy(pixels + n - 2, &two, 2);
        });
    } else if (n == 1) {
        ForEachRow(first, stride, rows, [&](std::uint8_t* pixels) { *pixels = colour; });
    }
}

// Eight bits of a one-bit picture as eight bytes of 0x00 or 0xFF in pixel
// order, the top bit first.
const std::array<std::array<std::uint8_t, 8>, 256> kBitBytes = [] {
    std::array<std::array<std::uint8_t, 8>, 256> table{};
    for (std::size_t bits = 0; bits < 256; ++bits)
        for (std::size_t i = 0; i < 8; ++i)
            table[bits][i] = bits & (0x80u >> i) ? 0xFF : 0x00;
    return table;
}();

// The first n of eight bytes set (n from 0 to 8), as the eight lie in memory.
const std::array<std::uint64_t, 9> kLeadingBytes = [] {
    std::array<std::uint64_t, 9> lanes{};
    for (std::size_t n = 0; n <= 8; ++n)
        std::memcpy(&lanes[n], kBitBytes[(0xFF00u >> n) & 0xFF].data(), 8);
    return lanes;
}();

// Eight pixels of a row `width` pixels long, from px on; only those inside
// the row are written: where `painted` has a byte set, the byte of `colours`
// at the same place.
void PaintBytesClipped(std::uint8_t* row, int width, int px, std::uint64_t painted, std::uint64_t colours)
{
    std::uint8_t paint[8];
    std::uint8_t colour[8];
    std::memcpy(paint, &painted, 8);
    std::memcpy(colour, &colours, 8);
    for (int i = 0; i < 8; ++i)
        if (paint[i] && px + i >= 0 && px + i < width)
            row[px + i] = colour[i];
}

} // namespace

Canvas::Canvas(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), 0),
      m_colours{kWhite}
{
}

Rgb Canvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kWhite;
    return m_colours[m_pixels[At(x, y)]];
}

void Canvas::SetPixelBits(int x, int y, std::span<const std::uint8_t> rows, Rgb colour)
{
    const ColourIndex index = IndexOf(colour);
    // The rows, and the strip's pixels (0 to 7 from the left), inside the buffer.
    const long long first = std::max(0LL, -static_cast<long long>(y));
    const long long last = std::min(static_cast<long long>(rows.size()), static_cast<long long>(m_height) - y);
    const auto from = static_cast<int>(std::clamp(-static_cast<long long>(x), 0LL, 8LL));
    const auto to = static_cast<int>(std::clamp(static_cast<long long>(m_width) - x, 0LL, 8LL));
    if (from >= to || first >= last)
        return;
    if (from > 0 || to < 8) {
        const auto inside = static_cast<std::uint8_t>((0xFF >> from) & (0xFF << (8 - to)));
        for (long long r = first; r < last; ++r) {
            const std::uint8_t bits = rows[static_cast<std::size_t>(r)] & inside;
            for (int i = from; bits && i < to; ++i)
                if (bits & (0x80 >> i))
                    m_pixels[static_cast<std::size_t>(y + r) * m_width + static_cast<std::size_t>(x + i)] = index;
        }
        return;
    }
    const std::uint64_t inks = index * kEveryByte;
    for (long long r = first; r < last; ++r) {
        ColourIndex* pixels = m_pixels.data() + static_cast<std::size_t>(y + r) * m_width + x;
        std::uint64_t set;
        std::memcpy(&set, kBitBytes[rows[static_cast<std::size_t>(r)]].data(), 8);
        std::uint64_t eight;
        std::memcpy(&eight, pixels, 8);
        eight = (eight & ~set) | (inks & set);
        std::memcpy(pixels, &eight, 8);
    }
}

std::vector<Rgb> Canvas::Pixels() const
{
    std::vector<Rgb> rgb(m_pixels.size());
    std::transform(m_pixels.begin(), m_pixels.end(), rgb.begin(),
                   [this](ColourIndex index) { return m_colours[index]; });
    return rgb;
}

Canvas::ColourIndex Canvas::LookUpColour(Rgb colour)
{
    auto found = std::find(m_colours.begin(), m_colours.end(), colour);
    if (found == m_colours.end()) {
        if (m_colours.size() == kMaxColours)
            DropUnusedColours();
        if (m_colours.size() == kMaxColours)
            return static_cast<ColourIndex>(kMaxColours - 1);
        m_colours.push_back(colour);
        found = m_colours.end() - 1;
    }
    m_lastColour = colour;
    m_lastIndex = static_cast<ColourIndex>(found - m_colours.begin());
    return m_lastIndex;
}

void Canvas::DropUnusedColours()
{
    std::array<bool, kMaxColours> used{};
    for (ColourIndex index : m_pixels)
        used[index] = true;
    std::array<ColourIndex, kMaxColours> moved{};
    std::vector<Rgb> kept;
    for (std::size_t i = 0; i < m_colours.size(); ++i) {
        if (!used[i])
            continue;
        moved[i] = static_cast<ColourIndex>(kept.size());
        kept.push_back(m_colours[i]);
    }
    for (ColourIndex& index : m_pixels)
        index = moved[index];
    m_colours = std::move(kept);
    m_lastIndex = static_cast<ColourIndex>(kMaxColours - 1);
    m_lastColour = ~Rgb{0}; // no colour: the next look-up searches
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
    const ColourIndex pen = IndexOf(m_pen);
    long long first = 0;
    long long last = da; // exclusive: the end point is not set
    if (sa > 0) {
        first = std::max(first, -line.a0);
        last = std::min(last, line.limit - line.a0);
    } else {
        first = std::max(first, line.a0 - (line.limit - 1));
        last = std::min(last, line.a0 + 1);
    }
    if (line.b1 == line.b0) {
        DrawStraightLine(line, xMajor, first, last, pen);
        return;
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
            Plot(static_cast<int>(a), static_cast<int>(b), pen);
        else
            Plot(static_cast<int>(b), static_cast<int>(a), pen);
    }
}

// A line along one axis: every step stays on the same row or column, so a
// solid pen fills the run in one go.
void Canvas::DrawStraightLine(const MajorLine& line, bool xMajor, long long first, long long last,
                              ColourIndex pen)
{
    const long long minorLimit = xMajor ? m_height : m_width;
    if (first >= last || line.b0 < 0 || line.b0 >= minorLimit)
        return;
    const int sa = line.a1 < line.a0 ? -1 : 1;
    if (m_penStyle == PenStyle::Solid) {
        const long long from = line.a0 + sa * first;
        const long long to = line.a0 + sa * (last - 1);
        const int low = static_cast<int>(std::min(from, to));
        const int high = static_cast<int>(std::max(from, to)) + 1;
        const int b = static_cast<int>(line.b0);
        FillIndex(xMajor ? Rect{low, b, high, b + 1} : Rect{b, low, b + 1, high}, pen);
        return;
    }
    // A dotted pen paints runs of kDotRun steps; each run is filled at once.
    const int b = static_cast<int>(line.b0);
    for (long long k = first; k < last;) {
        const long long phase = k % (2 * kDotRun);
        if (phase >= kDotRun) {
            k += 2 * kDotRun - phase;
            continue;
        }
        const long long end = std::min(last, k + kDotRun - phase);
        const int from = static_cast<int>(line.a0 + sa * k);
        const int to = static_cast<int>(line.a0 + sa * (end - 1));
        const int low = std::min(from, to);
        const int high = std::max(from, to) + 1;
        // Inside the buffer: the steps are clipped to it and b lies in it.
        if (xMajor)
            FillRuns(m_pixels.data() + static_cast<std::size_t>(b) * m_width + low, 0, 1,
                     static_cast<std::size_t>(high - low), pen);
        else
            FillRuns(m_pixels.data() + static_cast<std::size_t>(low) * m_width + b,
                     static_cast<std::size_t>(m_width), high - low, 1, pen);
        k = end;
    }
}

void Canvas::FillRect(const Rect& rect, Rgb colour)
{
    FillIndex(rect, IndexOf(colour));
}

void Canvas::FillIndex(const Rect& rect, ColourIndex colour)
{
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, m_width);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, m_height);
    if (left >= right)
        return;
    if (top < bottom)
        FillRuns(m_pixels.data() + static_cast<std::size_t>(top) * m_width + left,
                 static_cast<std::size_t>(m_width), bottom - top, static_cast<std::size_t>(right - left),
                 colour);
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
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, m_height);
    if (left >= right || top >= bottom)
        return;
    // Each colour of the table maps to the index of its inverse. Looking an
    // inverse up may drop unused colours and so move indexes: then start over.
    std::array<ColourIndex, kMaxColours> inverse{};
    for (bool settled = false; !settled;) {
        settled = true;
        const std::vector<Rgb> colours = m_colours;
        for (std::size_t i = 0; i < colours.size() && settled; ++i) {
            inverse[i] = IndexOf(~colours[i] & 0xFFFFFF);
            settled = m_colours.size() >= colours.size() &&
                      std::equal(colours.begin(), colours.end(), m_colours.begin());
        }
    }
    for (int y = top; y < bottom; ++y) {
        ColourIndex* row = m_pixels.data() + static_cast<std::size_t>(y) * m_width;
        for (int x = left; x < right; ++x)
            row[x] = inverse[row[x]];
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

// An opaque cell is written in one pass, each pixel ink or background, as
// filling the cell and then setting the ink would leave it. The cell goes
// eight pixels at a time, each group masked to the pixels it paints; where a
// group would reach outside the buffer's row it goes pixel by pixel.
void Canvas::DrawGlyph(int x, int y, unsigned code)
{
    const GlyphMask& glyph = m_font->Glyph(code);
    const int cellsWidth = (code > 0xFF ? 2 : 1) * m_font->CellWidth();
    const int paintWidth = m_backgroundMode == BackgroundMode::Opaque ? cellsWidth : std::min(glyph.width, cellsWidth);
    const int groups = (paintWidth + 7) / 8;
    for (int first = 0; first < groups; first += kGlyphBatch)
        DrawGlyphGroups(x, y, glyph, cellsWidth, first, std::min(groups - first, kGlyphBatch));
}

// Groups first to first + count - 1 of the glyph's cell, every row.
void Canvas::DrawGlyphGroups(int x, int y, const GlyphMask& glyph, int cellsWidth, int first, int count)
{
    const bool opaque = m_backgroundMode == BackgroundMode::Opaque;
    const ColourIndex background = opaque ? IndexOf(m_background) : 0;
    const ColourIndex ink = IndexOf(m_textColour);
    const std::uint64_t backgrounds = background * kEveryByte;
    const std::uint64_t flips = (ink ^ background) * kEveryByte;
    const int inkWidth = std::min(glyph.width, cellsWidth);
    const int inkHeight = std::min(glyph.height, m_font->CellHeight());
    const int paintWidth = opaque ? cellsWidth : inkWidth;
    // Per group: the pixels of the cell, and those of them the glyph's ink may set.
    std::array<std::uint64_t, kGlyphBatch> cell{};
    std::array<std::uint64_t, kGlyphBatch> inkable{};
    const int inkGroups = std::clamp(glyph.chunks - first, 0, count);
    for (int g = 0; g < count; ++g) {
        const int from = 8 * (first + g);
        cell[g] = kLeadingBytes[static_cast<std::size_t>(std::clamp(paintWidth - from, 0, 8))];
        inkable[g] = kLeadingBytes[static_cast<std::size_t>(std::clamp(inkWidth - from, 0, 8))];
    }
    const int left = x + 8 * first;
    const bool inside = left >= 0 && left <= m_width - 8 * count;
    const int top = std::max(y, 0);
    const int bottom = std::min(y + (opaque ? m_font->CellHeight() : inkHeight), m_height);
    if (inside && inkGroups == count && bottom - y <= inkHeight) {
        // The usual case: the whole cell inside the row, ink in every group
        // and row. The screen fonts take one to three groups; a count known
        // at compile time keeps the loop in registers.
        const auto paintRows = [&](auto groups) {
            for (int py = top; py < bottom; ++py) {
                ColourIndex* pixels = m_pixels.data() + static_cast<std::size_t>(py) * m_width + left;
                const std::uint64_t* inkRow =
                    glyph.inkChunks.data() + static_cast<std::size_t>(py - y) * glyph.chunks + first;
                for (int g = 0; g < groups; ++g) {
                    const std::uint64_t inked = inkRow[g] & inkable[g];
                    const std::uint64_t painted = opaque ? cell[g] : inked;
                    std::uint64_t eight;
                    std::memcpy(&eight, pixels + 8 * g, 8);
                    eight = (eight & ~painted) | ((backgrounds ^ (inked & flips)) & painted);
                    std::memcpy(pixels + 8 * g, &eight, 8);
                }
            }
        };
        switch (count) {
        case 1: paintRows(std::integral_constant<int, 1>{}); break;
        case 2: paintRows(std::integral_constant<int, 2>{}); break;
        case 3: paintRows(std::integral_constant<int, 3>{}); break;
        default: paintRows(count); break;
        }
        return;
    }
    for (int py = top; py < bottom; ++py) {
        const int row = py - y;
        ColourIndex* pixels = m_pixels.data() + static_cast<std::size_t>(py) * m_width;
        for (int g = 0; g < count; ++g) {
            const std::uint64_t inked = row < inkHeight && g < inkGroups
                ? glyph.inkChunks[static_cast<std::size_t>(row) * glyph.chunks + first + g] & inkable[g]
                : 0;
            const std::uint64_t painted = opaque ? cell[g] : inked;
            PaintBytesClipped(pixels, m_width, left + 8 * g, painted, backgrounds ^ (inked & flips));
        }
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
