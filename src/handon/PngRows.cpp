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

// Gives each used index its place, in the order of the table, and the
// colour at that place; false when one lies past the table.
bool PlaceUsed(std::span<const std::uint32_t> table, PngPalette& palette)
{
    for (std::size_t index = 0; index < palette.used.size(); ++index) {
        if (!palette.used[index])
            continue;
        if (index >= table.size())
            return false;
        palette.place[index] = static_cast<std::uint8_t>(palette.colours.size());
        palette.colours.push_back(table[index] & 0xFFFFFFu);
    }
    return true;
}

#if defined(__GNUC__) // GCC and Clang have vectors of sixteen bytes on every processor
using Sixteen = std::uint8_t __attribute__((vector_size(16)));
using TwoWords = std::uint64_t __attribute__((vector_size(16)));

// Each pixel's bit in its byte, leftmost highest, for each half of sixteen.
constexpr Sixteen kBitOfEach = {0x80, 0x40, 0x20, 0x10, 8, 4, 2, 1, 0x80, 0x40, 0x20, 0x10, 8, 4, 2, 1};

bool AllSet(Sixteen bytes)
{
    const auto words = reinterpret_cast<TwoWords>(bytes);
    return (words[0] & words[1]) == ~std::uint64_t{0};
}

// A picture's pixels packed one bit each while they show no more than two
// indices: the top left pixel's, whose bit is 0, and the first other one
// met, whose bit is 1.
class TwoColourPacker {
public:
    explicit TwoColourPacker(std::uint8_t first)
        : m_first(first), m_eachFirst(Sixteen{} + first), m_eachSecond(m_eachFirst)
    {
    }

    std::uint8_t First() const { return m_first; }
    std::optional<std::uint8_t> Second() const
    {
        return m_hasSecond ? std::optional<std::uint8_t>(m_second) : std::nullopt;
    }

    // Sixteen pixels into two bytes; false when one is a third index.
    bool PackSixteen(const std::uint8_t* in, std::uint8_t* out)
    {
        Sixteen pixels;
        std::memcpy(&pixels, in, sizeof pixels);
        const auto isFirst = reinterpret_cast<Sixteen>(pixels == m_eachFirst);
        auto isSecond = reinterpret_cast<Sixteen>(pixels == m_eachSecond) & m_secondKnown;
        if (!AllSet(isFirst | isSecond)) {
            if (m_hasSecond)
                return false;
            std::size_t k = 0;
            while (in[k] == m_first)
                ++k;
            Meet(in[k]);
            isSecond = reinterpret_cast<Sixteen>(pixels == m_eachSecond);
            if (!AllSet(isFirst | isSecond))
                return false;
        }
        // Each half's bits lie in bytes of their own, so a sum gathers them.
        const auto bits = reinterpret_cast<TwoWords>(isSecond & kBitOfEach);
        out[0] = static_cast<std::uint8_t>((bits[0] * kEveryByte) >> 56);
        out[1] = static_cast<std::uint8_t>((bits[1] * kEveryByte) >> 56);
        return true;
    }

    // Fewer than sixteen pixels, the last byte padded with zeros.
    bool PackRest(const std::uint8_t* in, std::size_t count, std::uint8_t* out)
    {
        unsigned gathered = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const bool second = in[k] != m_first;
            if (second && !Meet(in[k]))
                return false;
            gathered = gathered << 1 | static_cast<unsigned>(second);
            if (k % 8 == 7)
                *out++ = static_cast<std::uint8_t>(gathered);
        }
        if (count % 8 != 0)
            *out = static_cast<std::uint8_t>(gathered << (8 - count % 8));
        return true;
    }

private:
    // Takes `index` as the second colour when none is yet; false when it is
    // neither colour.
    bool Meet(std::uint8_t index)
    {
        if (!m_hasSecond) {
            m_hasSecond = true;
            m_second = index;
            m_eachSecond = Sixteen{} + index;
            m_secondKnown = ~Sixteen{};
        }
        return m_second == index;
    }

    std::uint8_t m_first;
    bool m_hasSecond = false;
    std::uint8_t m_second = 0;
    Sixteen m_eachFirst;
    Sixteen m_eachSecond;
    Sixteen m_secondKnown{}; // all ones once the second colour is met
};

// The table places the lower index first: where that is the second colour,
// every bit is turned over but the padding.
void PutLowerIndexFirst(const TwoColourPacker& packer, std::size_t width, std::size_t stride,
                        std::vector<std::uint8_t>& rows)
{
    if (!packer.Second() || *packer.Second() > packer.First())
        return;
    // Sixteen bytes at a time over the whole, then the filter bytes and
    // padding put back.
    std::uint8_t* const data = rows.data();
    const std::size_t size = rows.size();
    std::size_t k = 0;
    for (; k + 16 <= size; k += 16) {
        Sixteen bytes;
        std::memcpy(&bytes, data + k, sizeof bytes);
        bytes = ~bytes;
        std::memcpy(data + k, &bytes, sizeof bytes);
    }
    for (; k < size; ++k)
        data[k] = static_cast<std::uint8_t>(~data[k]);
    const auto lastByteBits = static_cast<std::uint8_t>(0xFF << ((8 - width % 8) % 8));
    for (std::size_t row = 0; row < size; row += stride) {
        data[row] = 0;
        data[row + stride - 1] &= lastByteBits;
    }
}
#endif

} // namespace

std::optional<PngPalette> UsedPngColours(const IndexedPixels& picture)
{
    PngPalette palette;
    if (picture.indices.empty())
        return palette;
    MarkUsed(picture.indices, palette.used);
    if (!PlaceUsed(picture.colours, palette))
        return std::nullopt;
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

std::optional<PngPalette> PackTwoColourRows(const IndexedPixels& picture, std::vector<std::uint8_t>& rows)
{
#if defined(__GNUC__)
    if (picture.indices.empty())
        return std::nullopt;
    const auto width = static_cast<std::size_t>(picture.width);
    const std::size_t stride = 1 + PngRowBytes(picture.width, 1);
    rows.resize(stride * static_cast<std::size_t>(picture.height));
    TwoColourPacker packer(picture.indices[0]);
    for (std::size_t y = 0; y < static_cast<std::size_t>(picture.height); ++y) {
        const std::uint8_t* in = picture.indices.data() + y * width;
        std::uint8_t* out = rows.data() + y * stride;
        *out++ = 0; // no filter
        std::size_t x = 0;
        for (; x + 16 <= width; x += 16, out += 2)
            if (!packer.PackSixteen(in + x, out))
                return std::nullopt;
        if (!packer.PackRest(in + x, width - x, out))
            return std::nullopt;
    }
    PutLowerIndexFirst(packer, width, stride, rows);
    PngPalette palette;
    palette.used[packer.First()] = true;
    if (packer.Second())
        palette.used[*packer.Second()] = true;
    if (!PlaceUsed(picture.colours, palette))
        return std::nullopt;
    return palette;
#else
    (void)picture;
    (void)rows;
    return std::nullopt;
#endif
}
