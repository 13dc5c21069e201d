#include "handon/PngFile.h"

#include "handon/PngRows.h"
#include "handon/RowDeflate.h"

#include <climits>
#include <vector>
#include <zlib.h>

namespace {

constexpr std::uint32_t kDotsPerMeter = 3937;

constexpr std::uint32_t kMostRowBytes = std::uint32_t{1} << 30; // well within a chunk's 2 GB

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
    std::optional<PngPalette> palette = PackTwoColourRows(picture, rows);
    int depth = 1;
    if (!palette) {
        palette = UsedPngColours(picture);
        if (!palette)
            return {};
        depth = PngBitDepth(palette->colours.size());
        PackPngRows(picture, *palette, depth, rows);
    }
    if (rows.size() > kMostRowBytes)
        return {};

    std::string out;
    out.reserve(128 + rows.size() / 8);
    AppendHeader(out, picture, depth);
    AppendPalette(out, *palette);
    AppendResolution(out);
    const std::size_t data = BeginChunk(out, "IDAT");
    AppendRowDeflate(rows, 1 + PngRowBytes(picture.width, depth), out);
    EndChunk(out, data);
    EndChunk(out, BeginChunk(out, "IEND"));
    return out;
}
