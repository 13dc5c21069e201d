#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct IndexedPixels;

// The colours that pixels use, in the order of the picture's table, and
// each used index's place among them.
struct PngPalette {
    std::vector<std::uint32_t> colours; // 0xRRGGBB
    std::array<std::uint8_t, 256> place{};
    std::array<bool, 256> used{};
};

// Nothing when a pixel's index lies past the picture's table.
std::optional<PngPalette> UsedPngColours(const IndexedPixels& picture);

// 1, 2, 4 or 8: the fewest bits a pixel that tell `colours` colours apart.
int PngBitDepth(std::size_t colours);

// The bytes a row of `width` pixels takes at `depth` bits, its filter byte
// not counted.
std::size_t PngRowBytes(int width, int depth);

// The picture's rows as the compressed stream of a PNG holds them: each a
// filter byte (none: a screen's flat areas compress as well without) and
// its pixels' places in `palette`, `depth` bits each, leftmost pixel in the
// high bits, the last byte padded with zeros. `rows` is reused, so that a
// thread that makes many pictures allocates it once.
void PackPngRows(const IndexedPixels& picture, const PngPalette& palette, int depth, std::vector<std::uint8_t>& rows);

// Most screens are black and white: for a picture of one or two colours, its
// palette and its rows at one bit a pixel, as UsedPngColours and PackPngRows
// give them, in one look at the pixels. Nothing when a third index shows, an
// index lies past the table, or the compiler has no vectors to do it quickly:
// then the two calls above make the picture.
std::optional<PngPalette> PackTwoColourRows(const IndexedPixels& picture, std::vector<std::uint8_t>& rows);
