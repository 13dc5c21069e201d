#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

class Font;
struct GlyphMask;

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;

// (left, top)-(right, bottom); right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Point {
    int x = 0;
    int y = 0;
};

// Solid, or dotted: three pixels on, three off, counted along each line from
// its start (the constellation grid's pen).
enum class PenStyle { Solid, Dot };

// Opaque text paints each character cell in the background colour first;
// transparent text paints only the glyph.
enum class BackgroundMode { Opaque, Transparent };

// The screen window's picture: a pixel buffer, row-major, top row first,
// with the drawing rules the screens are laid out for. The screens use a
// handful of colours, so each pixel is kept as one byte, an index into the
// canvas's own table of the colours drawn so far (at most 256 at once; beyond
// that a new colour is drawn as the last one in the table). RGB pixels are
// made only when the picture is shown or saved (Pixels()). Everything
// outside the buffer is clipped. The drawing state (pen, text colour,
// background, font, current position) stays as set until it is set again.
class Canvas {
public:
    explicit Canvas(int width = 320, int height = 240);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Outside the buffer: white.
    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb colour) { Plot(x, y, IndexOf(colour)); }
    // A strip eight pixels wide of a one-bit picture, a byte a row from (x, y)
    // down: (x + i, y + r) is set where bit 7 - i of rows[r] is, the other
    // pixels are left as they are.
    void SetPixelBits(int x, int y, std::span<const std::uint8_t> rows, Rgb colour);
    // Width() * Height() RGB pixels, row-major, top row first.
    std::vector<Rgb> Pixels() const;
    // The same pixels as they are kept: each an index into Colours(), which
    // may also hold colours that no pixel uses any more. An encoder that
    // wants a colour table takes these as they are, without a pass over
    // RGB pixels.
    std::span<const std::uint8_t> Indices() const { return m_pixels; }
    std::span<const Rgb> Colours() const { return m_colours; }

    void SetPen(Rgb colour, PenStyle style = PenStyle::Solid);
    void MoveTo(int x, int y);
    // Sets the pixels from the current position up to, not including, (x, y),
    // then makes (x, y) the current position.
    void LineTo(int x, int y);

    void FillRect(const Rect& rect, Rgb colour);
    // The one-pixel border just inside the rectangle.
    void FrameRect(const Rect& rect, Rgb colour);
    // Every pixel's colour bits flipped: black becomes white and white black.
    void InvertRect(const Rect& rect);

    void SetBackgroundMode(BackgroundMode mode) { m_backgroundMode = mode; }
    void SetBackgroundColour(Rgb colour) { m_background = colour; }
    void SetTextColour(Rgb colour) { m_textColour = colour; }
    // The font stays owned by the caller and must outlive its use here.
    void SelectFont(const Font* font) { m_font = font; }
    // Card bytes (Shift-JIS) with the top-left of the first cell at (x, y):
    // one cell per single-byte character, two per double-byte character.
    // Without a selected font nothing is drawn.
    void TextOut(int x, int y, std::string_view bytes);

private:
    using ColourIndex = std::uint8_t;
    static constexpr std::size_t kMaxColours = 256;

    // The index of `colour`, entered in the table when new.
    ColourIndex IndexOf(Rgb colour)
    {
        colour &= 0xFFFFFF;
        return colour == m_lastColour ? m_lastIndex : LookUpColour(colour);
    }
    ColourIndex LookUpColour(Rgb colour);
    // Drops the table's colours that no pixel uses any more.
    void DropUnusedColours();
    // The buffer index of (x, y), which lies inside the buffer.
    std::size_t At(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }
    void Plot(int x, int y, ColourIndex colour)
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_pixels[At(x, y)] = colour;
    }
    void FillIndex(const Rect& rect, ColourIndex colour);
    bool PenPaints(long long step) const;
    // A line in (major, minor) coordinates; limit is the buffer's size along
    // the major axis.
    struct MajorLine {
        long long a0, b0, a1, b1, limit;
    };
    void DrawLine(const MajorLine& line, bool xMajor);
    void DrawStraightLine(const MajorLine& line, bool xMajor, long long first, long long last,
                          ColourIndex pen);
    void DrawGlyph(int x, int y, unsigned code);
    // A glyph's cell is drawn in groups of eight pixels, this many at a time
    // (the widest screen font's double-byte cell takes five).
    static constexpr int kGlyphBatch = 8;
    void DrawGlyphGroups(int x, int y, const GlyphMask& glyph, int cellsWidth, int first, int count);

    int m_width;
    int m_height;
    std::vector<ColourIndex> m_pixels;
    std::vector<Rgb> m_colours; // the table the pixels index
    Rgb m_lastColour = kWhite;  // the colour last looked up, and its index
    ColourIndex m_lastIndex = 0;
    Rgb m_pen = kBlack;
    PenStyle m_penStyle = PenStyle::Solid;
    int m_x = 0;
    int m_y = 0;
    Rgb m_textColour = kBlack;
    Rgb m_background = kWhite;
    BackgroundMode m_backgroundMode = BackgroundMode::Opaque;
    const Font* m_font = nullptr;
};

// A chain (x0,y0)->(x1,y1)->...: MoveTo the first point, LineTo each further one.
void DrawChain(Canvas& dc, std::initializer_list<Point> points);
