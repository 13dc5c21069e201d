#include "screens/CScreen.h"
#include "screens/Canvas.h"
#include "screens/Font.h"
#include "screens/TextCodec.h"

#include "screens/ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

TEST(Canvas, StartsWhiteAndRectanglesExcludeRightAndBottom)
{
    Canvas canvas;
    EXPECT_EQ(canvas.Width(), 320);
    EXPECT_EQ(canvas.Height(), 240);
    EXPECT_EQ(canvas.Pixels().size(), 320u * 240u);
    EXPECT_TRUE(PixelsOf(canvas, kBlack).empty());
    canvas.FillRect({10, 20, 13, 22}, kBlack);
    EXPECT_EQ(PixelsOf(canvas, kBlack), (PixelSet{{10, 20}, {11, 20}, {12, 20}, {10, 21}, {11, 21}, {12, 21}}));
    EXPECT_EQ(canvas.Pixels()[20 * 320 + 10], kBlack);
}

TEST(Canvas, DrawingOutsideTheBufferIsClipped)
{
    Canvas canvas(8, 6);
    canvas.FillRect({-5, -5, 100, 100}, kBlack);
    EXPECT_EQ(PixelsOf(canvas, kBlack).size(), 48u);
    canvas.InvertRect({6, 4, 50, 50});
    EXPECT_EQ(PixelsOf(canvas, kWhite), (PixelSet{{6, 4}, {7, 4}, {6, 5}, {7, 5}}));
    canvas.MoveTo(-10, 2);
    canvas.LineTo(20, 2);
    canvas.SetPixel(-1, 0, kWhite);
    canvas.SetPixel(8, 0, kWhite);
    EXPECT_EQ(canvas.Pixel(100, 100), kWhite);
    Canvas empty(0, 0);
    empty.FillRect({0, 0, 5, 5}, kBlack);
    EXPECT_TRUE(empty.Pixels().empty());
}

TEST(Canvas, LineToLeavesOutItsEndPointAndMovesOn)
{
    Canvas canvas(20, 20);
    canvas.MoveTo(2, 3);
    canvas.LineTo(6, 3);  // right
    canvas.LineTo(6, 6);  // down
    canvas.LineTo(8, 8);  // 45 degrees
    EXPECT_EQ(PixelsOf(canvas, kBlack),
              (PixelSet{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {6, 4}, {6, 5}, {6, 6}, {7, 7}}));
    Canvas back(20, 20);
    back.MoveTo(5, 1);
    back.LineTo(1, 1);    // leftwards: (5,1) down to (2,1)
    back.LineTo(1, 1);    // zero length: nothing
    EXPECT_EQ(PixelsOf(back, kBlack), (PixelSet{{5, 1}, {4, 1}, {3, 1}, {2, 1}}));
}

TEST(Canvas, ShallowLinesStepOnePixelPerColumn)
{
    Canvas canvas(20, 20);
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 3);
    const PixelSet line = PixelsOf(canvas, kBlack);
    EXPECT_EQ(line.size(), 10u);
    int previousY = 0;
    for (const auto& [x, y] : line) {
        EXPECT_GE(y, previousY);
        EXPECT_LE(y - previousY, 1);
        EXPECT_LE(std::abs(y * 10 - x * 3), 5) << x << "," << y; // within half a pixel
        previousY = y;
    }
}

// The classic stepping form of the line, end point left out.
PixelSet SteppedLine(int x0, int y0, int x1, int y1)
{
    PixelSet set;
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1;
    const int sy = y1 < y0 ? -1 : 1;
    int x = x0;
    int y = y0;
    int error = 0;
    for (int step = 0; step < std::max(dx, dy); ++step) {
        if (x >= 0 && y >= 0 && x < 40 && y < 30)
            set.insert({x, y});
        if (dx >= dy) {
            x += sx;
            error += 2 * dy;
            if (error > dx) {
                y += sy;
                error -= 2 * dx;
            }
        } else {
            y += sy;
            error += 2 * dx;
            if (error > dy) {
                x += sx;
                error -= 2 * dy;
            }
        }
    }
    return set;
}

TEST(Canvas, LinesInEveryDirectionMatchTheSteppedForm)
{
    const int ends[][4] = {{0, 0, 39, 29}, {39, 0, 0, 29}, {5, 25, 30, 2}, {20, 15, 1, 14},
                           {20, 15, 21, 1}, {3, 3, 38, 7},  {-50, -7, 60, 33}, {35, 28, -9, -40},
                           {10, 10, 10, 10}, {7, 2, 9, 28}, {-100, 20, 100, 21}, {15, -60, 16, 60},
                           {3, 7, 35, 7},   {35, 7, 3, 7},   {12, 25, 12, 2}, {12, 2, 12, 25},
                           {-5, 29, 50, 29}, {39, -3, 39, 40}, {0, 30, 39, 30}};
    for (const auto& e : ends) {
        Canvas canvas(40, 30);
        canvas.MoveTo(e[0], e[1]);
        canvas.LineTo(e[2], e[3]);
        EXPECT_EQ(PixelsOf(canvas, kBlack), SteppedLine(e[0], e[1], e[2], e[3]))
            << e[0] << "," << e[1] << " -> " << e[2] << "," << e[3];
    }
}

TEST(Canvas, LinesFromFarOutsideOnlyVisitTheBuffer)
{
    Canvas canvas(40, 30);
    canvas.MoveTo(-2000000000, 5);
    canvas.LineTo(10, 5);
    canvas.MoveTo(20, 2147483647);
    canvas.LineTo(20, -2147483647 - 1);
    canvas.MoveTo(-2000000000, -2000000000);
    canvas.LineTo(2000000000, 2000000000);
    PixelSet expected;
    AddRun(expected, 0, 5, 9, 5);
    AddRun(expected, 20, 0, 20, 29);
    for (int i = 0; i < 30; ++i)
        expected.insert({i, i});
    EXPECT_EQ(PixelsOf(canvas, kBlack), expected);
}

TEST(Canvas, DottedPenPaintsThreeOnThreeOffFromEachLineStart)
{
    Canvas canvas(20, 4);
    canvas.SetPen(0x00FF00, PenStyle::Dot);
    canvas.MoveTo(0, 1);
    canvas.LineTo(14, 1);
    PixelSet expected;
    for (int x : {0, 1, 2, 6, 7, 8, 12, 13})
        expected.insert({x, 1});
    EXPECT_EQ(PixelsOf(canvas, 0x00FF00), expected);
    canvas.SetPen(kBlack);
    canvas.MoveTo(0, 2);
    canvas.LineTo(4, 2);
    EXPECT_EQ(PixelsOf(canvas, kBlack).size(), 4u);
}

// The dots count from each line's start, whichever way it runs.
TEST(Canvas, DottedStraightLinesInEveryDirection)
{
    const int ends[][4] = {{14, 1, 0, 1}, {3, 0, 3, 14}, {3, 14, 3, 0}, {-4, 2, 14, 2},
                           {25, 5, -3, 5}, {7, -5, 7, 26}, {8, 30, 8, -2}};
    for (const auto& e : ends) {
        Canvas canvas(20, 20);
        canvas.SetPen(kBlack, PenStyle::Dot);
        canvas.MoveTo(e[0], e[1]);
        canvas.LineTo(e[2], e[3]);
        const PixelSet line = SteppedLine(e[0], e[1], e[2], e[3]);
        PixelSet expected;
        for (const auto& pixel : line) {
            const int step = std::abs(e[0] != e[2] ? pixel.first - e[0] : pixel.second - e[1]);
            const bool inside = pixel.first >= 0 && pixel.first < 20 && pixel.second >= 0 && pixel.second < 20;
            if (step % 6 < 3 && inside)
                expected.insert(pixel);
        }
        EXPECT_EQ(PixelsOf(canvas, kBlack), expected) << e[0] << "," << e[1] << " -> " << e[2] << "," << e[3];
    }
}

// A strip of a one-bit picture sets exactly the pixels of its set bits, and
// only those inside the buffer, wherever the strip lies.
TEST(Canvas, PictureStripsSetTheirBitsOnly)
{
    const std::vector<std::uint8_t> rows = {0x80, 0x01, 0xFF, 0x00, 0xA5, 0x3C, 0x81};
    for (const Point at : {Point{0, 0}, Point{-7, 2}, Point{-3, -4}, Point{12, 5}, Point{13, 1}, Point{20, 9},
                           Point{-8, 0}, Point{5, -7}, Point{-100000, 3}, Point{2147483000, 2}, Point{3, 1000}}) {
        Canvas canvas(20, 10);
        canvas.SetPixelBits(at.x, at.y, rows, 0x00FF00);
        PixelSet expected;
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int i = 0; i < 8; ++i)
                if (rows[static_cast<std::size_t>(r)] & (0x80 >> i) && at.x + i >= 0 && at.x + i < 20 &&
                    at.y + r >= 0 && at.y + r < 10)
                    expected.insert({at.x + i, at.y + r});
        EXPECT_EQ(PixelsOf(canvas, 0x00FF00), expected) << at.x << "," << at.y;
        EXPECT_EQ(PixelsOf(canvas, kWhite).size(), 200u - expected.size());
    }
}

// Pixels are kept as indexes into a table of at most 256 colours: a colour
// no pixel shows any more makes room, so any number of colours can be drawn
// one after another, and inverting keeps every colour exact.
TEST(Canvas, EveryColourStaysExactWhileFewerThan256AreShown)
{
    Canvas canvas(20, 20);
    for (Rgb colour = 0; colour < 1000; ++colour) {
        const Rgb drawn = colour * 0x010307 & 0xFFFFFF;
        canvas.SetPixel(3, 3, drawn);
        canvas.FillRect({5, 5, 7, 7}, drawn ^ 0xFFFFFF);
        ASSERT_EQ(canvas.Pixel(3, 3), drawn) << colour;
        ASSERT_EQ(canvas.Pixel(6, 6), drawn ^ 0xFFFFFF) << colour;
    }
    for (int i = 0; i < 100; ++i)
        canvas.SetPixel(i % 20, i / 20 + 8, 0x100000u + static_cast<Rgb>(i));
    const std::vector<Rgb> before = canvas.Pixels();
    canvas.InvertRect({0, 0, 20, 20});
    canvas.InvertRect({0, 0, 20, 20});
    EXPECT_EQ(canvas.Pixels(), before);
    EXPECT_EQ(canvas.Pixel(19, 12), 0x100000u + 99);
}

TEST(Canvas, FrameAndInvert)
{
    Canvas canvas(10, 10);
    canvas.FrameRect({1, 1, 5, 4}, kBlack);
    EXPECT_EQ(PixelsOf(canvas, kBlack),
              (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}));
    canvas.FrameRect({6, 6, 6, 9}, kBlack); // empty: nothing
    EXPECT_EQ(PixelsOf(canvas, kBlack).size(), 10u);
    canvas.InvertRect({0, 0, 10, 10});
    EXPECT_EQ(PixelsOf(canvas, kWhite).size(), 10u);
    EXPECT_EQ(canvas.Pixel(2, 2), kBlack);
    canvas.SetPixel(0, 0, 0x123456);
    canvas.InvertRect({0, 0, 1, 1});
    EXPECT_EQ(canvas.Pixel(0, 0), 0xEDCBA9u);
}

TEST(Canvas, ClearAndFrameScreenFollowTheWindowSize)
{
    for (const auto& [width, height] : {std::pair{320, 240}, std::pair{322, 242}}) {
        Canvas canvas(width, height);
        canvas.FillRect({0, 0, width, height}, kBlack);
        ClearScreen(canvas);
        EXPECT_EQ(BoundsOf(canvas, kWhite), (Rect{1, 1, width - 1, height - 1}));
        EXPECT_EQ(PixelsOf(canvas, kWhite).size(), static_cast<std::size_t>((width - 2) * (height - 2)));
        Canvas framed(width, height);
        FrameScreen(framed);
        EXPECT_EQ(PixelsOf(framed, kBlack).size(), static_cast<std::size_t>(2 * width + 2 * height - 4));
        EXPECT_EQ(framed.Pixel(width - 1, height - 1), kBlack);
        EXPECT_EQ(framed.Pixel(1, 1), kWhite);
    }
}

// Glyph shapes belong to the font; the cells they occupy belong to us. An
// opaque space reveals its cell on a black canvas.
TEST(CanvasText, CellsAreOneWidePerSingleByteAndTwoPerDoubleByte)
{
    ASSERT_EQ(FontProblem(), "");
    const Font font(24, 13);
    struct Case {
        const char* utf8;
        int cells;
    };
    for (const Case& c : {Case{" ", 1}, Case{"   ", 3}, Case{"　", 2}, Case{" 　 ", 4}}) {
        Canvas canvas;
        canvas.FillRect({0, 0, 320, 240}, kBlack);
        canvas.SelectFont(&font);
        canvas.TextOut(30, 40, EncodeCardText(c.utf8));
        EXPECT_EQ(BoundsOf(canvas, kWhite), (Rect{30, 40, 30 + 13 * c.cells, 64})) << c.utf8;
        EXPECT_EQ(PixelsOf(canvas, kWhite).size(), static_cast<std::size_t>(13 * c.cells * 24)) << c.utf8;
    }
}

TEST(CanvasText, GlyphInkStaysInsideItsCellsInTheTextColour)
{
    const Font font(36, 18);
    Canvas canvas;
    canvas.SelectFont(&font);
    canvas.SetTextColour(0xFF0000);
    canvas.TextOut(100, 50, EncodeCardText("8補"));
    const PixelSet ink = PixelsOf(canvas, 0xFF0000);
    ASSERT_FALSE(ink.empty());
    const Rect box = BoundsOf(canvas, 0xFF0000);
    EXPECT_GE(box.left, 100);
    EXPECT_GE(box.top, 50);
    EXPECT_LE(box.right, 100 + 3 * 18);
    EXPECT_LE(box.bottom, 50 + 36);
    EXPECT_GT(box.right, 100 + 18); // the double-byte glyph reaches into its own cells
}

TEST(CanvasText, TransparentTextKeepsTheBackground)
{
    const Font font(14, 7);
    Canvas canvas;
    canvas.FillRect({0, 0, 320, 240}, kBlack);
    canvas.SelectFont(&font);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetTextColour(kWhite);
    canvas.TextOut(10, 10, "  ");
    EXPECT_TRUE(PixelsOf(canvas, kWhite).empty());
    canvas.TextOut(10, 10, "H");
    EXPECT_FALSE(PixelsOf(canvas, kWhite).empty());
    canvas.SetBackgroundMode(BackgroundMode::Opaque);
    canvas.SetBackgroundColour(0x0000FF);
    canvas.TextOut(50, 10, " ");
    EXPECT_EQ(PixelsOf(canvas, 0x0000FF).size(), 7u * 14u);
}

TEST(CanvasText, AwkwardBytesNeverLeaveTheBuffer)
{
    // The same texts on a canvas with room all round, moved by (40, 30): the
    // small canvas must show exactly its window of that picture.
    const Font font(24, 13);
    const auto draw = [&font](Canvas& canvas, int dx, int dy) {
        canvas.SelectFont(&font);
        canvas.TextOut(30 + dx, 20 + dy, "\x81"); // lead byte without its trail: one cell
        canvas.TextOut(-20 + dx, -10 + dy, "\xFF\x80\xA0 abc\x82");
        canvas.TextOut(0 + dx, 0 + dy, std::string_view("\0\x01", 2));
    };
    Canvas canvas(40, 30);
    draw(canvas, 0, 0);
    Canvas roomy(120, 90);
    draw(roomy, 40, 30);
    ASSERT_EQ(canvas.Pixels().size(), 40u * 30u);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(canvas.Pixel(x, y), roomy.Pixel(x + 40, y + 30)) << x << "," << y;
    EXPECT_FALSE(PixelsOf(canvas, kBlack).empty());
    Canvas unselected(10, 10);
    unselected.FillRect({0, 0, 10, 10}, kBlack);
    unselected.TextOut(0, 0, "A");
    EXPECT_TRUE(PixelsOf(unselected, kWhite).empty());
}

// Text is painted several pixels at a time; each pixel must still be what the
// glyph's mask says: ink, the background (opaque), or unchanged (transparent),
// in every font the screens use and at every edge of the buffer.
TEST(CanvasText, EveryPixelFollowsTheGlyphMaskAtEveryEdge)
{
    const std::string text = EncodeCardText("A8補g");
    const auto patterned = [] {
        Canvas canvas(64, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                canvas.SetPixel(x, y, (x + y) % 3 ? kWhite : 0x00FF00);
        return canvas;
    };
    for (const auto& size : {std::pair{24, 13}, {24, 10}, {24, 8}, {14, 7}, {36, 18}, {12, 6}, {18, 9}}) {
        const Font font(size.first, size.second);
        for (const bool opaque : {true, false}) {
            for (const Point at : {Point{-20, -7}, Point{-3, 0}, Point{0, 30}, Point{5, 40}, Point{40, 3}, Point{58, 20}}) {
                Canvas canvas = patterned();
                const Canvas before = patterned();
                canvas.SelectFont(&font);
                canvas.SetTextColour(0xFF0000);
                canvas.SetBackgroundColour(0x0000FF);
                canvas.SetBackgroundMode(opaque ? BackgroundMode::Opaque : BackgroundMode::Transparent);
                canvas.TextOut(at.x, at.y, text);
                Canvas expected = patterned();
                int cellX = at.x;
                for (const unsigned code : {unsigned{'A'}, unsigned{'8'},
                                            static_cast<unsigned>(static_cast<unsigned char>(text[2]) << 8 |
                                                                  static_cast<unsigned char>(text[3])),
                                            unsigned{'g'}}) {
                    const GlyphMask& glyph = font.Glyph(code);
                    for (int y = 0; y < font.CellHeight(); ++y)
                        for (int x = 0; x < glyph.width; ++x) {
                            const bool ink = glyph.ink[static_cast<std::size_t>(y * glyph.width + x)] != 0;
                            if (ink || opaque)
                                expected.SetPixel(cellX + x, at.y + y, ink ? 0xFF0000 : 0x0000FF);
                        }
                    cellX += glyph.width;
                }
                for (int y = 0; y < 48; ++y)
                    for (int x = 0; x < 64; ++x)
                        ASSERT_EQ(canvas.Pixel(x, y), expected.Pixel(x, y))
                            << size.first << "x" << size.second << (opaque ? " opaque" : " transparent") << " at "
                            << at.x << "," << at.y << ": pixel " << x << "," << y;
            }
        }
    }
}

TEST(Fonts, EverySizeRendersInkForALetterAndNoneForASpace)
{
    for (const auto& [height, width] : {std::pair{24, 13}, {24, 10}, {24, 8}, {14, 7}, {36, 18}, {12, 6}, {18, 9}}) {
        const Font font(height, width);
        const GlyphMask& letter = font.Glyph('E');
        EXPECT_EQ(letter.width, width);
        EXPECT_EQ(letter.height, height);
        EXPECT_NE(std::count(letter.ink.begin(), letter.ink.end(), 1), 0) << height << "x" << width;
        const GlyphMask& space = font.Glyph(' ');
        EXPECT_EQ(std::count(space.ink.begin(), space.ink.end(), 1), 0);
        EXPECT_EQ(font.Glyph(0x95E2).width, 2 * width); // a double-byte character
        EXPECT_EQ(&font.Glyph('E'), &letter);           // cached
    }
}

} // namespace
