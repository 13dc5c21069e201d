#include "handon/ReportImage.h"

#include "screens/Canvas.h"

#include <zlib.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <span>
#include <vector>

namespace {

// Compression a little above zlib's fastest: the screens' long white runs and
// repeated rows keep the fast levels within a few kilobytes a picture, while
// the default level would cost several times the time of drawing.
constexpr int kLevel = 1;

// The colours that pixels use, in the order of their first index, and the
// sample each index of the canvas becomes.
struct ColourUse {
    std::vector<Rgb> colours;
    std::array<std::uint8_t, 256> sample{};
    bool grey = true; // only black and white: a sample is the grey level
};

ColourUse UsedColours(const Canvas& canvas)
{
    std::array<bool, 256> used{};
    for (const std::uint8_t index : canvas.Indices())
        used[index] = true;
    const std::span<const Rgb> table = canvas.Colours();
    ColourUse use;
    for (std::size_t index = 0; index < used.size() && index < table.size(); ++index) {
        if (!used[index])
            continue;
        const Rgb colour = table[index] & 0xFFFFFF;
        use.grey = use.grey && (colour == kBlack || colour == kWhite);
        use.sample[index] = static_cast<std::uint8_t>(use.colours.size());
        use.colours.push_back(colour);
    }
    if (use.grey) // white is 1 whatever the order in which the canvas met the colours
        for (std::size_t index = 0; index < table.size() && index < use.sample.size(); ++index)
            use.sample[index] = (table[index] & 0xFFFFFF) == kWhite ? 1 : 0;
    return use;
}

int BitsPerSample(const ColourUse& use)
{
    const std::size_t count = use.colours.size();
    if (use.grey || count <= 2)
        return 1;
    return count <= 4 ? 2 : count <= 16 ? 4 : 8;
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

// Rows of `bits`-bit samples, each row starting on a byte.
std::string PackedRows(const Canvas& canvas, const ColourUse& use, int bits)
{
    const auto width = static_cast<std::size_t>(canvas.Width());
    const std::size_t rowBytes = (width * static_cast<std::size_t>(bits) + 7) / 8;
    std::string packed(rowBytes * static_cast<std::size_t>(canvas.Height()), '\0');
    const std::uint8_t* index = canvas.Indices().data();
    for (int y = 0; y < canvas.Height(); ++y) {
        auto* out = reinterpret_cast<std::uint8_t*>(packed.data()) + static_cast<std::size_t>(y) * rowBytes;
        unsigned pending = 0;
        int pendingBits = 0;
        for (std::size_t x = 0; x < width; ++x) {
            pending = (pending << bits) | use.sample[*index++];
            pendingBits += bits;
            if (pendingBits == 8) {
                *out++ = static_cast<std::uint8_t>(pending);
                pending = 0;
                pendingBits = 0;
            }
        }
        if (pendingBits > 0)
            *out = static_cast<std::uint8_t>(pending << (8 - pendingBits));
    }
    return packed;
}

// What one packed byte becomes with each of its samples repeated `scale`
// times: `scale` bytes, the first in the lowest byte of the entry.
std::array<std::uint64_t, 256> WideningTable(int bits, int scale)
{
    std::array<std::uint64_t, 256> table{};
    const unsigned mask = (1u << bits) - 1;
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::uint64_t wide = 0; // most significant sample first, as packed
        for (int shift = 8 - bits; shift >= 0; shift -= bits)
            for (int copy = 0; copy < scale; ++copy)
                wide = (wide << bits) | ((byte >> shift) & mask);
        std::uint64_t swapped = 0; // first byte lowest, for copying out byte by byte
        for (int i = 0; i < scale; ++i)
            swapped |= ((wide >> (8 * (scale - 1 - i))) & 0xFF) << (8 * i);
        table[byte] = swapped;
    }
    return table;
}

} // namespace

struct ReportImageEncoder::Compressor {
    z_stream stream{};
    bool ready = false;
    std::array<std::array<std::uint64_t, 256>, 9> widening{}; // by bits a sample, when made
    std::array<bool, 9> made{};

    Compressor() { ready = deflateInit(&stream, kLevel) == Z_OK; }
    ~Compressor()
    {
        if (ready)
            deflateEnd(&stream);
    }

    const std::array<std::uint64_t, 256>& Widening(int bits, int scale)
    {
        const auto at = static_cast<std::size_t>(bits);
        if (!made[at]) {
            widening[at] = WideningTable(bits, scale);
            made[at] = true;
        }
        return widening[at];
    }

    // `data` deflated; empty when zlib fails.
    std::string Deflate(const std::string& data)
    {
        if (!ready || deflateReset(&stream) != Z_OK)
            return {};
        std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
            return {};
        out.resize(stream.total_out);
        return out;
    }
};

ReportImageEncoder::ReportImageEncoder(int scale) : m_scale(scale), m_compressor(std::make_unique<Compressor>())
{
}

ReportImageEncoder::~ReportImageEncoder() = default;

ReportImage ReportImageEncoder::Encode(const Canvas& canvas)
{
    const ColourUse use = UsedColours(canvas);
    const int bits = BitsPerSample(use);
    ReportImage image;
    image.width = canvas.Width() * m_scale;
    image.height = canvas.Height() * m_scale;
    image.entries = Entries(use, bits);
    const std::string packed = PackedRows(canvas, use, bits);

    // Each packed byte widens to `scale` bytes; the widened row is cut to the
    // scaled row's length (what lies beyond is the padding of the packed row).
    const auto scale = static_cast<std::size_t>(m_scale);
    const std::size_t packedRow = canvas.Height() > 0 ? packed.size() / static_cast<std::size_t>(canvas.Height()) : 0;
    const std::size_t scaledRow = (static_cast<std::size_t>(image.width) * static_cast<std::size_t>(bits) + 7) / 8;
    const std::array<std::uint64_t, 256>& widening = m_compressor->Widening(bits, m_scale);
    std::string wide(packedRow * scale, '\0');
    m_rows.resize(scaledRow * static_cast<std::size_t>(image.height));
    char* out = m_rows.data();
    for (std::size_t row = 0; row * packedRow < packed.size(); ++row) {
        const auto* in = reinterpret_cast<const std::uint8_t*>(packed.data()) + row * packedRow;
        for (std::size_t i = 0; i < packedRow; ++i)
            for (std::size_t byte = 0; byte < scale; ++byte)
                wide[i * scale + byte] = static_cast<char>(widening[in[i]] >> (8 * byte));
        for (std::size_t copy = 0; copy < scale; ++copy, out += scaledRow)
            std::memcpy(out, wide.data(), scaledRow);
    }
    image.samples = m_compressor->Deflate(m_rows);
    image.key = image.entries + packed;
    image.keyHash = std::hash<std::string>{}(image.key);
    return image;
}
