#include "handon/PngFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>
#include <csetjmp>
#include <cstring>
#include <png.h>

namespace {

constexpr png_uint_32 kDotsPerMeter = 3937;

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// Whether the eight indices from `at` are all `index`. A screen is mostly
// wide runs of one colour, so most pixels are passed over eight at a time.
bool EightAre(const std::uint8_t* at, std::uint8_t index)
{
    std::uint64_t eight;
    std::memcpy(&eight, at, sizeof eight);
    return eight == kEveryByte * index;
}

// The colours that pixels use, in the order of the picture's table, and
// each index's place among them.
struct Palette {
    std::vector<std::uint32_t> colours;
    std::array<std::uint8_t, 256> place{};
};

// Nothing when a pixel's index lies past the picture's table.
std::optional<Palette> UsedColours(const IndexedPixels& picture)
{
    std::array<bool, 256> used{};
    const std::uint8_t* in = picture.indices.data();
    const std::size_t count = picture.indices.size();
    std::size_t i = 0;
    for (std::uint8_t last = in[0]; i + 8 <= count; i += 8) {
        if (EightAre(in + i, last))
            continue;
        for (std::size_t k = i; k < i + 8; ++k)
            used[in[k]] = true;
        last = in[i + 7];
    }
    for (used[in[0]] = true; i < count; ++i)
        used[in[i]] = true;
    Palette palette;
    for (std::size_t index = 0; index < used.size(); ++index) {
        if (!used[index])
            continue;
        if (index >= picture.colours.size())
            return std::nullopt;
        palette.place[index] = static_cast<std::uint8_t>(palette.colours.size());
        palette.colours.push_back(picture.colours[index] & 0xFFFFFFu);
    }
    return palette;
}

int BitDepth(std::size_t colours)
{
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

// Packs `count` pixels at `depth` bits into `out` (zeroed), leftmost pixel
// in the high bits.
void PackPixels(const std::uint8_t* in, std::size_t count, const Palette& palette, int depth, std::uint8_t* out)
{
    const auto bits = static_cast<std::size_t>(depth);
    for (std::size_t x = 0; x < count; ++x) {
        const std::size_t bit = x * bits;
        out[bit / 8] |= static_cast<std::uint8_t>(palette.place[in[x]] << (8 - bits - bit % 8));
    }
}

// Eight pixels into `depth` bytes, gathered in a register first.
void PackEight(const std::uint8_t* in, const Palette& palette, int depth, std::uint8_t* out)
{
    std::uint64_t packed = 0;
    for (int k = 0; k < 8; ++k)
        packed = packed << depth | palette.place[in[k]];
    for (int byte = depth - 1; byte >= 0; --byte, packed >>= 8)
        out[byte] = static_cast<std::uint8_t>(packed);
}

// The rows as libpng takes them. Eight pixels fill `depth` whole bytes, so
// eight of one colour are that colour's place repeated over them.
std::vector<std::uint8_t> PackRows(const IndexedPixels& picture, const Palette& palette, int depth,
                                   std::size_t rowBytes)
{
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(picture.height));
    const auto width = static_cast<std::size_t>(picture.width);
    const auto bytes = static_cast<std::size_t>(depth);
    const auto repeat = static_cast<unsigned>(0xFF / ((1 << depth) - 1)); // 0xFF, 0x55, 0x11, 0x01
    for (std::size_t y = 0; y < static_cast<std::size_t>(picture.height); ++y) {
        const std::uint8_t* in = picture.indices.data() + y * width;
        std::uint8_t* out = rows.data() + y * rowBytes;
        std::size_t x = 0;
        for (; x + 8 <= width; x += 8, out += bytes) {
            if (EightAre(in + x, in[x]))
                std::memset(out, static_cast<int>(palette.place[in[x]] * repeat), bytes);
            else
                PackEight(in + x, palette, depth, out);
        }
        PackPixels(in + x, width - x, palette, depth, out);
    }
    return rows;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t size)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void NoFlush(png_structp) {}

// Writes with libpng; false when it reports an error (it then jumps back here).
bool Encode(std::string& out, int width, int height, const Palette& palette, int depth,
            const std::vector<std::uint8_t>& rows, std::size_t rowBytes)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_color> entries;
    for (const std::uint32_t colour : palette.colours)
        entries.push_back({static_cast<png_byte>(colour >> 16), static_cast<png_byte>(colour >> 8),
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
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
    // 100 dpi, as Qt states for an image made where no display is: fixed, so
    // that one screen makes the same file in every program.
    png_set_pHYs(png, info, kDotsPerMeter, kDotsPerMeter, PNG_RESOLUTION_METER);
    png_set_compression_level(png, 1);
    // A screen's rows come to about 10 KB: a small hash table finds its
    // matches as well, and is far quicker to clear for every picture.
    png_set_compression_mem_level(png, 4);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_rows(png, info, const_cast<png_bytepp>(rowPointers.data()));
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

std::string PngFileBytes(const IndexedPixels& picture)
{
    if (picture.width <= 0 || picture.height <= 0
        || picture.indices.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
        return {};
    const std::optional<Palette> palette = UsedColours(picture);
    if (!palette)
        return {};
    const int depth = BitDepth(std::max<std::size_t>(palette->colours.size(), 1));
    const std::size_t rowBytes = (static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(depth) + 7) / 8;
    const std::vector<std::uint8_t> rows = PackRows(picture, *palette, depth, rowBytes);
    std::string out;
    if (!Encode(out, picture.width, picture.height, *palette, depth, rows, rowBytes))
        return {};
    return out;
}
