#include "handon/PngRows.h"

#include "handon/PngFile.h"

#include <cstring>

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;
constexpr std::uint64_t kLowSeven = 0x7F7F7F7F7F7F7F7Fu;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

std::uint64_t LoadEight(const std::uint8_t* at)
{
    std::uint64_t eight;
    std::memcpy(&eight, at, sizeof eight);
    return eight;
}

// Marks the eight indices from `at` used, unless all are `same`'s.
void MarkEight(const std::uint8_t* at, std::uint64_t same, std::array<bool, 256>& used)
{
    if (LoadEight(at) == same)
        return;
    for (int k = 0; k < 8; ++k)
        used[at[k]] = true;
}

// A screen is mostly wide runs of one colour, so most indices are passed
// over 32 at a time, compared with the last group that held another.
void MarkUsed(std::span<const std::uint8_t> indices, std::array<bool, 256>& used)
{
    const std::uint8_t* in = indices.data();
    const std::size_t count = indices.size();
    std::uint64_t same = in[0] * kEveryByte;
    used[in[0]] = true;
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        if (((LoadEight(in + i) ^ same) | (LoadEight(in + i + 8) ^ same) | (LoadEight(in + i + 16) ^ same)
             | (LoadEight(in + i + 24) ^ same))
            == 0)
            continue;
        for (std::size_t k = i; k < i + 32; k += 8)
            MarkEight(in + k, same, used);
        same = in[i + 31] * kEveryByte;
    }
    for (; i < count; ++i)
        used[in[i]] = true;
}

// Pixels one at a time: a whole row at eight bits, else what is left of a
// row past its last group of eight.
void PackOneByOne(const std::uint8_t* in, std::size_t count, const PngPalette& palette, int depth,
                  std::uint8_t* out)
{
    unsigned gathered = 0;
    int bits = 0;
    for (std::size_t x = 0; x < count; ++x) {
        gathered = gathered << depth | palette.place[in[x]];
        bits += depth;
        if (bits == 8) {
            *out++ = static_cast<std::uint8_t>(gathered);
            gathered = 0;
            bits = 0;
        }
    }
    if (bits > 0)
        *out = static_cast<std::uint8_t>(gathered << (8 - bits));
}

// Eight pixels of at most two colours as one byte: a bit set where a pixel
// is not the colour `zeros` repeats. Each differing byte's high bit is set,
// then the multiplication gathers the eight high bits into the top byte,
// the first pixel's highest.
std::uint8_t BitsOfEight(std::uint64_t eight, std::uint64_t zeros)
{
    const std::uint64_t differ = eight ^ zeros;
    const std::uint64_t high = (((differ & kLowSeven) + kLowSeven) | differ) & kHighBits;
    return static_cast<std::uint8_t>(((high >> 7) * 0x8040201008040201u) >> 56);
}

// One bit a pixel: most screens are two colours, packed without a look-up.
void PackOneBitRow(const std::uint8_t* in, std::size_t width, const PngPalette& palette, std::uint64_t zeros,
                   std::uint8_t* out)
{
    std::size_t x = 0;
    for (; x + 8 <= width; x += 8)
        *out++ = BitsOfEight(LoadEight(in + x), zeros);
    PackOneByOne(in + x, width - x, palette, 1, out);
}

// Eight pixels into `depth` bytes, gathered in a register first.
void PackEight(const std::uint8_t* in, const PngPalette& palette, int depth, std::uint8_t* out)
{
    std::uint64_t packed = 0;
    for (int k = 0; k < 8; ++k)
        packed = packed << depth | palette.place[in[k]];
    for (int byte = depth - 1; byte >= 0; --byte, packed >>= 8)
        out[byte] = static_cast<std::uint8_t>(packed);
}

// Two or four bits a pixel. Eight pixels fill `depth` whole bytes, so eight
// of one colour are that colour's place repeated over them.
void PackRowInEights(const std::uint8_t* in, std::size_t width, const PngPalette& palette, int depth,
                     std::uint8_t* out)
{
    const auto repeat = static_cast<unsigned>(0xFF / ((1 << depth) - 1)); // 0x55, 0x11
    const auto bytes = static_cast<std::size_t>(depth);
    std::size_t x = 0;
    for (; x + 8 <= width; x += 8, out += bytes) {
        if (LoadEight(in + x) == in[x] * kEveryByte)
            std::memset(out, static_cast<int>(palette.place[in[x]] * repeat), bytes);
        else
            PackEight(in + x, palette, depth, out);
    }
    PackOneByOne(in + x, width - x, palette, depth, out);
}

// The index whose place is 0: the first used one.
std::uint8_t FirstUsed(const PngPalette& palette)
{
    std::size_t index = 0;
    while (index + 1 < palette.used.size() && !palette.used[index])
        ++index;
    return static_cast<std::uint8_t>(index);
}

} // namespace

std::optional<PngPalette> UsedPngColours(const IndexedPixels& picture)
{
    PngPalette palette;
    if (picture.indices.empty())
        return palette;
    MarkUsed(picture.indices, palette.used);
    for (std::size_t index = 0; index < palette.used.size(); ++index) {
        if (!palette.used[index])
            continue;
        if (index >= picture.colours.size())
            return std::nullopt;
        palette.place[index] = static_cast<std::uint8_t>(palette.colours.size());
        palette.colours.push_back(picture.colours[index] & 0xFFFFFFu);
    }
    return palette;
}

int PngBitDepth(std::size_t colours)
{
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

std::size_t PngRowBytes(int width, int depth)
{
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(depth) + 7) / 8;
}

void PackPngRows(const IndexedPixels& picture, const PngPalette& palette, int depth, std::vector<std::uint8_t>& rows)
{
    const auto width = static_cast<std::size_t>(picture.width);
    const std::size_t stride = 1 + PngRowBytes(picture.width, depth);
    rows.resize(stride * static_cast<std::size_t>(picture.height));
    const std::uint64_t zeros = FirstUsed(palette) * kEveryByte;
    for (std::size_t y = 0; y < static_cast<std::size_t>(picture.height); ++y) {
        const std::uint8_t* in = picture.indices.data() + y * width;
        std::uint8_t* out = rows.data() + y * stride;
        *out++ = 0; // no filter
        if (depth == 1)
            PackOneBitRow(in, width, palette, zeros, out);
        else if (depth == 8)
            PackOneByOne(in, width, palette, depth, out);
        else
            PackRowInEights(in, width, palette, depth, out);
    }
}
