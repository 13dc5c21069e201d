#include "handon/PngFile.h"

#include "handon/PngRows.h"

#include <climits>
#include <vector>
#include <zlib.h>

namespace {

constexpr std::uint32_t kDotsPerMeter = 3937;

// zlib's fastest matching. A screen's rows come to about 10 KB, which the
// full hash table (memory level 8) keeps in one block of codes; smaller
// levels split it into several, each with its own code tables, which costs
// more time and bytes than clearing the larger table for every picture.
constexpr int kLevel = 1;
constexpr int kWindowBits = 15;
constexpr int kMemLevel = 8;

// A chunk holds less than 2 GB, and what is compressed never grows by half.
constexpr std::size_t kMostBytes = std::size_t{1} << 30;

// One zlib stream a thread, reset for every picture: setting one up and
// tearing it down costs more than compressing a screen.
class Deflater {
public:
    Deflater()
    {
        m_ready = deflateInit2(&m_stream, kLevel, Z_DEFLATED, kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~Deflater()
    {
        if (m_ready)
            deflateEnd(&m_stream);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Appends the zlib stream of `bytes` to `out`; false when zlib fails.
    bool Compress(const std::vector<std::uint8_t>& bytes, std::string& out)
    {
        if (!m_ready || bytes.size() > kMostBytes || deflateReset(&m_stream) != Z_OK)
            return false;
        const std::size_t start = out.size();
        const uLong bound = deflateBound(&m_stream, static_cast<uLong>(bytes.size()));
        out.resize(start + bound);
        m_stream.next_in = const_cast<Bytef*>(bytes.data());
        m_stream.avail_in = static_cast<uInt>(bytes.size());
        m_stream.next_out = reinterpret_cast<Bytef*>(out.data() + start);
        m_stream.avail_out = static_cast<uInt>(bound);
        const bool done = deflate(&m_stream, Z_FINISH) == Z_STREAM_END;
        out.resize(start + (done ? m_stream.total_out : 0));
        return done;
    }

private:
    z_stream m_stream{};
    bool m_ready = false;
};

void AppendNumber(std::string& out, std::uint32_t number)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>(number >> shift));
}

// A chunk's length and type; its data follows, and EndChunk closes it.
std::size_t BeginChunk(std::string& out, const char* type)
{
    const std::size_t start = out.size();
    AppendNumber(out, 0);
    out.append(type, 4);
    return start;
}

// Puts the data's length in its place and appends the check sum over type
// and data.
void EndChunk(std::string& out, std::size_t start)
{
    const auto length = static_cast<std::uint32_t>(out.size() - start - 8);
    for (int k = 0; k < 4; ++k)
        out[start + static_cast<std::size_t>(k)] = static_cast<char>(length >> (24 - 8 * k));
    const auto* type = reinterpret_cast<const Bytef*>(out.data() + start + 4);
    AppendNumber(out, static_cast<std::uint32_t>(crc32(0, type, length + 4)));
}

void AppendHeader(std::string& out, const IndexedPixels& picture, int depth)
{
    out.append("\x89PNG\r\n\x1a\n", 8);
    const std::size_t header = BeginChunk(out, "IHDR");
    AppendNumber(out, static_cast<std::uint32_t>(picture.width));
    AppendNumber(out, static_cast<std::uint32_t>(picture.height));
    // depth, indexed colour, deflate, adaptive filtering (rows say none), not interlaced
    const char rest[5] = {static_cast<char>(depth), 3, 0, 0, 0};
    out.append(rest, sizeof rest);
    EndChunk(out, header);
}

void AppendPalette(std::string& out, const PngPalette& palette)
{
    const std::size_t chunk = BeginChunk(out, "PLTE");
    for (const std::uint32_t colour : palette.colours) {
        out.push_back(static_cast<char>(colour >> 16));
        out.push_back(static_cast<char>(colour >> 8));
        out.push_back(static_cast<char>(colour));
    }
    EndChunk(out, chunk);
}

// 100 dpi, as Qt states for an image made where no display is: fixed, so
// that one screen makes the same file in every program.
void AppendResolution(std::string& out)
{
    const std::size_t chunk = BeginChunk(out, "pHYs");
    AppendNumber(out, kDotsPerMeter);
    AppendNumber(out, kDotsPerMeter);
    out.push_back(1); // per metre
    EndChunk(out, chunk);
}

bool FitsInPng(const IndexedPixels& picture)
{
    return picture.width > 0 && picture.height > 0 && picture.width <= INT_MAX / 8
           && picture.indices.size()
                  == static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

} // namespace

std::string PngFileBytes(const IndexedPixels& picture)
{
    if (!FitsInPng(picture))
        return {};
    thread_local std::vector<std::uint8_t> rows;
    thread_local Deflater deflater;
    std::optional<PngPalette> palette = PackTwoColourRows(picture, rows);
    int depth = 1;
    if (!palette) {
        palette = UsedPngColours(picture);
        if (!palette)
            return {};
        depth = PngBitDepth(palette->colours.size());
        PackPngRows(picture, *palette, depth, rows);
    }

    std::string out;
    out.reserve(128 + rows.size() / 8);
    AppendHeader(out, picture, depth);
    AppendPalette(out, *palette);
    AppendResolution(out);
    const std::size_t data = BeginChunk(out, "IDAT");
    if (!deflater.Compress(rows, out))
        return {};
    EndChunk(out, data);
    EndChunk(out, BeginChunk(out, "IEND"));
    return out;
}
