#include "handon/PngFile.h"

#include <algorithm>
#include <csetjmp>
#include <png.h>

namespace {

constexpr png_uint_32 kDotsPerMeter = 3937;

// The colour table and the pixels as its indices; no table past 256 colours.
struct Indexed {
    std::vector<std::uint32_t> table;
    std::vector<std::uint8_t> indices;
    bool fits = true;
};

Indexed IndexPixels(const std::vector<std::uint32_t>& pixels)
{
    Indexed indexed;
    indexed.indices.reserve(pixels.size());
    std::uint32_t last = pixels.empty() ? 0 : ~pixels[0];
    std::uint8_t lastIndex = 0;
    for (const std::uint32_t colour : pixels) {
        if (colour != last) {
            const auto found = std::find(indexed.table.begin(), indexed.table.end(), colour);
            if (found == indexed.table.end() && indexed.table.size() == 256) {
                indexed.fits = false;
                return indexed;
            }
            lastIndex = static_cast<std::uint8_t>(found - indexed.table.begin());
            if (found == indexed.table.end())
                indexed.table.push_back(colour);
            last = colour;
        }
        indexed.indices.push_back(lastIndex);
    }
    return indexed;
}

int BitDepth(std::size_t colours)
{
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

// The rows as libpng takes them: indices packed at `depth` bits, leftmost
// pixel in the high bits; or 3 bytes a pixel for RGB.
std::vector<std::uint8_t> PackRows(const Indexed& indexed, const std::vector<std::uint32_t>& pixels, int width,
                                   int height, int depth, std::size_t rowBytes)
{
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rows.data() + rowBytes * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            if (!indexed.fits) {
                row[3 * x] = static_cast<std::uint8_t>(pixels[at] >> 16);
                row[3 * x + 1] = static_cast<std::uint8_t>(pixels[at] >> 8);
                row[3 * x + 2] = static_cast<std::uint8_t>(pixels[at]);
                continue;
            }
            const int bit = x * depth;
            row[bit / 8] |= static_cast<std::uint8_t>(indexed.indices[at] << (8 - depth - bit % 8));
        }
    }
    return rows;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t size)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void NoFlush(png_structp) {}

// Writes with libpng; false when it reports an error (it then jumps back here).
bool Encode(std::string& out, int width, int height, const Indexed& indexed, int depth,
            const std::vector<std::uint8_t>& rows, std::size_t rowBytes)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_color> palette;
    for (const std::uint32_t colour : indexed.table)
        palette.push_back({static_cast<png_byte>(colour >> 16), static_cast<png_byte>(colour >> 8),
                           static_cast<png_byte>(colour)});
    std::vector<png_const_bytep> rowPointers(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        rowPointers[static_cast<std::size_t>(y)] = rows.data() + rowBytes * static_cast<std::size_t>(y);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), depth,
                 indexed.fits ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (indexed.fits)
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    // 100 dpi, as Qt states for an image made where no display is: fixed, so
    // that one screen makes the same file in every program.
    png_set_pHYs(png, info, kDotsPerMeter, kDotsPerMeter, PNG_RESOLUTION_METER);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, indexed.fits ? PNG_FILTER_NONE : PNG_ALL_FILTERS);
    png_set_rows(png, info, const_cast<png_bytepp>(rowPointers.data()));
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

std::string PngFileBytes(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    if (width <= 0 || height <= 0
        || pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    const Indexed indexed = IndexPixels(pixels);
    const int depth = indexed.fits ? BitDepth(std::max<std::size_t>(indexed.table.size(), 1)) : 8;
    const std::size_t rowBytes = indexed.fits ? (static_cast<std::size_t>(width) * depth + 7) / 8
                                              : static_cast<std::size_t>(width) * 3;
    const std::vector<std::uint8_t> rows = PackRows(indexed, pixels, width, height, depth, rowBytes);
    std::string out;
    if (!Encode(out, width, height, indexed, depth, rows, rowBytes))
        return {};
    return out;
}
