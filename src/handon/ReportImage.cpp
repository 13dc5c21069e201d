#include "handon/ReportImage.h"

#include "handon/PngFile.h"
#include "handon/PngRows.h"
#include "handon/RowDeflate.h"
#include "screens/Canvas.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace {

// The colours that pixels use, in the order of their first index, and the
// sample each index of the canvas becomes.
struct ColourUse {
    std::vector<Rgb> colours;
    std::array<std::uint8_t, 256> sample{};
    bool grey = true; // only black and white: a sample is the grey level
};

bool BlackOrWhite(Rgb colour)
{
    colour &= 0xFFFFFF;
    return colour == kBlack || colour == kWhite;
}

ColourUse UsedColours(const Canvas& canvas)
{
    const std::span<const Rgb> table = canvas.Colours();
    ColourUse use;
    if (std::all_of(table.begin(), table.end(), BlackOrWhite)) { // no need to look at the pixels
        for (std::size_t index = 0; index < table.size() && index < use.sample.size(); ++index)
            use.sample[index] = (table[index] & 0xFFFFFF) == kWhite ? 1 : 0;
        use.colours = {kBlack, kWhite};
        return use;
    }
    // The same look at the pixels as a PNG's colour table takes.
    if (const std::optional<PngPalette> palette
        = UsedPngColours({canvas.Width(), canvas.Height(), canvas.Indices(), table})) {
        use.colours = palette->colours;
        use.sample = palette->place;
    }
    use.grey = std::all_of(use.colours.begin(), use.colours.end(), BlackOrWhite);
    if (use.grey) // white is 1 whatever the order in which the canvas met the colours
        for (std::size_t index = 0; index < table.size() && index < use.sample.size(); ++index)
            use.sample[index] = (table[index] & 0xFFFFFF) == kWhite ? 1 : 0;
    return use;
}

int BitsPerSample(const ColourUse& use)
{
    return use.grey ? 1 : PngBitDepth(use.colours.size());
}

std::string Entries(const ColourUse& use, int bits)
{
    std::string entries;
    if (use.grey) {
        entries = "/ColorSpace /DeviceGray\n";
    } else {
        entries = "/ColorSpace [/Indexed /DeviceRGB " + std::to_string(use.colours.size() - 1) + " <";
        for (const Rgb colour : use.colours) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(colour));
            entries += hex;
        }
        entries += ">]\n";
    }
    return entries + "/BitsPerComponent " + std::to_string(bits) + "\n";
}

// One row of `Bits`-bit samples from `width` canvas indices.
template <int Bits>
void PackRow(const std::uint8_t* index, std::size_t width, const std::array<std::uint8_t, 256>& sample,
             std::uint8_t* out)
{
    constexpr std::size_t kPerByte = 8 / Bits;
    std::size_t x = 0;
    for (; x + kPerByte <= width; x += kPerByte) {
        unsigned byte = 0;
        for (std::size_t i = 0; i < kPerByte; ++i)
            byte = (byte << Bits) | sample[index[x + i]];
        *out++ = static_cast<std::uint8_t>(byte);
    }
    if (x < width) { // the last byte's unused low bits stay 0
        unsigned byte = 0;
        for (std::size_t i = 0; i < kPerByte; ++i)
            byte = (byte << Bits) | (x + i < width ? sample[index[x + i]] : 0u);
        *out = static_cast<std::uint8_t>(byte);
    }
}

// One-bit rows of a screen of one or two indices, from the quick packing
// of PNG pictures: its bits tell the indices apart, in table order, and
// become the samples those indices stand for. Nothing when more indices show.
std::optional<std::string> QuickOneBitRows(const Canvas& canvas, const ColourUse& use)
{
    thread_local std::vector<std::uint8_t> pngRows;
    const std::optional<PngPalette> palette
        = PackTwoColourRows({canvas.Width(), canvas.Height(), canvas.Indices(), canvas.Colours()}, pngRows);
    if (!palette)
        return std::nullopt;
    std::vector<std::uint8_t> samples; // of the used indices, in table order
    for (std::size_t index = 0; index < palette->used.size(); ++index)
        if (palette->used[index])
            samples.push_back(use.sample[index] & 1);
    const std::uint8_t zero = samples.front() ? 0xFF : 0x00;
    const std::uint8_t one = samples.back() ? 0xFF : 0x00;
    const auto width = static_cast<std::size_t>(canvas.Width());
    const std::size_t rowBytes = (width + 7) / 8;
    const auto padding = static_cast<std::uint8_t>(0xFF << ((8 - width % 8) % 8));
    std::string packed(rowBytes * static_cast<std::size_t>(canvas.Height()), '\0');
    const std::uint8_t* in = pngRows.data();
    auto* out = reinterpret_cast<std::uint8_t*>(packed.data());
    for (int y = 0; y < canvas.Height(); ++y, in += rowBytes + 1, out += rowBytes) {
        for (std::size_t k = 0; k < rowBytes; ++k) // each bit picks `one`'s or `zero`'s
            out[k] = static_cast<std::uint8_t>((in[1 + k] & one) | (~in[1 + k] & zero));
        out[rowBytes - 1] &= padding;
    }
    return packed;
}

// Rows of `bits`-bit samples, each row starting on a byte.
std::string PackedRows(const Canvas& canvas, const ColourUse& use, int bits)
{
    if (bits == 1 && use.grey)
        if (std::optional<std::string> quick = QuickOneBitRows(canvas, use))
            return std::move(*quick);
    const auto width = static_cast<std::size_t>(canvas.Width());
    const std::size_t rowBytes = (width * static_cast<std::size_t>(bits) + 7) / 8;
    std::string packed(rowBytes * static_cast<std::size_t>(canvas.Height()), '\0');
    const std::uint8_t* index = canvas.Indices().data();
    auto* out = reinterpret_cast<std::uint8_t*>(packed.data());
    for (int y = 0; y < canvas.Height(); ++y, index += width, out += rowBytes) {
        switch (bits) {
        case 1: PackRow<1>(index, width, use.sample, out); break;
        case 2: PackRow<2>(index, width, use.sample, out); break;
        case 4: PackRow<4>(index, width, use.sample, out); break;
        default: PackRow<8>(index, width, use.sample, out); break;
        }
    }
    return packed;
}

// What one packed byte becomes with each of its samples repeated `scale`
// times: `scale` bytes (up to 8), in order.
using Widening = std::array<std::array<std::uint8_t, 8>, 256>;

Widening WideningTable(int bits, int scale)
{
    Widening table{};
    const unsigned mask = (1u << bits) - 1;
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::uint64_t wide = 0; // most significant sample first, as packed
        for (int shift = 8 - bits; shift >= 0; shift -= bits)
            for (int copy = 0; copy < scale; ++copy)
                wide = (wide << bits) | ((byte >> shift) & mask);
        for (int i = 0; i < scale; ++i)
            table[byte][static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(wide >> (8 * (scale - 1 - i)));
    }
    return table;
}

} // namespace

struct ReportImageEncoder::Widenings {
    std::array<Widening, 9> widening{}; // by bits a sample, when made
    std::array<bool, 9> made{};

    const Widening& For(int bits, int scale)
    {
        const auto at = static_cast<std::size_t>(bits);
        if (!made[at]) {
            widening[at] = WideningTable(bits, scale);
            made[at] = true;
        }
        return widening[at];
    }
};

ReportImageEncoder::ReportImageEncoder(int scale)
    : m_scale(std::clamp(scale, 1, 8)), m_widenings(std::make_unique<Widenings>())
{
}

ReportImageEncoder::~ReportImageEncoder() = default;

ReportImage ReportImageEncoder::Encode(const Canvas& canvas)
{
    ReportImage image = Describe(canvas);
    Compress(image);
    return image;
}

ReportImage ReportImageEncoder::Describe(const Canvas& canvas) const
{
    const ColourUse use = UsedColours(canvas);
    ReportImage image;
    image.width = canvas.Width() * m_scale;
    image.height = canvas.Height() * m_scale;
    image.bitsPerSample = BitsPerSample(use);
    image.entries = Entries(use, image.bitsPerSample);
    image.key = image.entries + PackedRows(canvas, use, image.bitsPerSample);
    image.keyHash = std::hash<std::string>{}(image.key);
    return image;
}

void ReportImageEncoder::Compress(ReportImage& image)
{
    // Each packed byte widens to `scale` bytes; the widened row is cut to the
    // scaled row's length (what lies beyond is the padding of the packed row).
    const std::string_view packed = std::string_view(image.key).substr(image.entries.size());
    const auto scale = static_cast<std::size_t>(m_scale);
    const auto bits = static_cast<std::size_t>(image.bitsPerSample);
    const std::size_t packedRow = (static_cast<std::size_t>(image.width) / scale * bits + 7) / 8;
    const std::size_t scaledRow = (static_cast<std::size_t>(image.width) * bits + 7) / 8;
    const Widening& widening = m_widenings->For(image.bitsPerSample, m_scale);
    std::string wide(packedRow * scale + 8, '\0'); // each byte's 8 copied, `scale` kept
    m_rows.resize(scaledRow * static_cast<std::size_t>(image.height));
    char* out = m_rows.data();
    // The check sum of a row's copies is joined on to the whole's, not summed again.
    uLong checksum = adler32(0, nullptr, 0);
    for (std::size_t at = 0; packedRow > 0 && at + packedRow <= packed.size(); at += packedRow) {
        const auto* in = reinterpret_cast<const std::uint8_t*>(packed.data()) + at;
        for (std::size_t i = 0; i < packedRow; ++i)
            std::memcpy(wide.data() + i * scale, widening[in[i]].data(), 8);
        const auto* row = reinterpret_cast<const Bytef*>(wide.data());
        const uLong rowChecksum = adler32(adler32(0, nullptr, 0), row, static_cast<uInt>(scaledRow));
        for (std::size_t copy = 0; copy < scale; ++copy, out += scaledRow) {
            std::memcpy(out, wide.data(), scaledRow);
            checksum = adler32_combine(checksum, rowChecksum, static_cast<z_off_t>(scaledRow));
        }
    }
    image.samples.clear();
    AppendRowDeflate(std::span(reinterpret_cast<const std::uint8_t*>(m_rows.data()), m_rows.size()), scaledRow,
                     static_cast<std::uint32_t>(checksum), image.samples);
}
