#include "export/BitmapFile.h"

#include "data/WholeFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, static_cast<std::uint16_t>(v));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return in[at] | in[at + 1] << 8 | in[at + 2] << 16 | static_cast<std::uint32_t>(in[at + 3]) << 24;
}

bool KnownDepth(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24
           || bitCount == 32;
}

std::uint32_t ColourEntries(int bitCount)
{
    return bitCount <= 8 ? 1u << bitCount : 0;
}

std::size_t PackedRowBytes(int width, int bitCount)
{
    return (static_cast<std::size_t>(width) * bitCount + 7) / 8;
}

void PutInfoHeader(std::vector<std::uint8_t>& out, const DeviceBitmap& bitmap, std::uint32_t imageSize)
{
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(bitmap.width));
    Put32(out, static_cast<std::uint32_t>(bitmap.height)); // positive: bottom row first
    Put16(out, 1);
    Put16(out, static_cast<std::uint16_t>(bitmap.bitCount));
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    for (int field = 0; field < 4; ++field) // resolution and colour counts
        Put32(out, 0);
}

} // namespace

DeviceBitmap RgbBitmap(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    DeviceBitmap bitmap{width, height, 32, {}, {}};
    bitmap.rows.reserve(pixels.size() * 4);
    for (std::uint32_t rgb : pixels) {
        bitmap.rows.push_back(static_cast<std::uint8_t>(rgb));       // blue
        bitmap.rows.push_back(static_cast<std::uint8_t>(rgb >> 8));  // green
        bitmap.rows.push_back(static_cast<std::uint8_t>(rgb >> 16)); // red
        bitmap.rows.push_back(0);
    }
    return bitmap;
}

std::uint32_t DibRowBytes(int width, int bitCount)
{
    return static_cast<std::uint32_t>(((static_cast<std::uint64_t>(width) * bitCount + 31) & ~31ull) / 8);
}

std::optional<DibBlock> BitmapToDib(const DeviceBitmap& bitmap)
{
    // The limits keep every size of the file within its 32-bit fields.
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.width > 65535 || bitmap.height > 65535
        || !KnownDepth(bitmap.bitCount))
        return std::nullopt;
    const std::size_t packed = PackedRowBytes(bitmap.width, bitmap.bitCount);
    const std::uint32_t entries = ColourEntries(bitmap.bitCount);
    if (bitmap.rows.size() < packed * bitmap.height || bitmap.colours.size() > entries)
        return std::nullopt;
    const std::uint32_t rowBytes = DibRowBytes(bitmap.width, bitmap.bitCount);
    const std::uint32_t imageSize = rowBytes * static_cast<std::uint32_t>(bitmap.height);

    DibBlock block;
    block.reserve(kInfoHeaderSize + 4 * entries + imageSize);
    PutInfoHeader(block, bitmap, imageSize);
    for (std::uint32_t i = 0; i < entries; ++i)
        Put32(block, i < bitmap.colours.size() ? bitmap.colours[i] & 0xFFFFFF : 0); // blue, green, red, 0
    for (int y = bitmap.height - 1; y >= 0; --y) {
        const auto row = bitmap.rows.begin() + static_cast<std::ptrdiff_t>(packed * y);
        const std::size_t start = block.size();
        block.insert(block.end(), row, row + static_cast<std::ptrdiff_t>(packed));
        block.resize(start + rowBytes, 0);
        if (bitmap.bitCount == 32) {
            for (std::size_t unused = start + 3; unused < block.size(); unused += 4)
                block[unused] = 0;
        }
    }
    return block;
}

std::optional<std::vector<std::uint8_t>> DibFileBytes(const DibBlock& dib)
{
    if (dib.size() < kInfoHeaderSize)
        return std::nullopt;
    const std::uint32_t infoSize = Get32(dib, 0);
    const int bitCount = dib[14] | dib[15] << 8;

    std::vector<std::uint8_t> file;
    file.reserve(kFileHeaderSize + dib.size());
    Put16(file, 0x4D42); // "BM"
    Put32(file, static_cast<std::uint32_t>(kFileHeaderSize + dib.size()));
    Put16(file, 0);
    Put16(file, 0);
    Put32(file, kFileHeaderSize + infoSize + 4 * ColourEntries(bitCount));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

bool WriteDibFile(const std::string& path, const DibBlock& dib, int* error)
{
    const auto fail = [error](int cause) {
        if (error)
            *error = cause;
        return false;
    };
    const std::optional<std::vector<std::uint8_t>> file = DibFileBytes(dib);
    if (!file)
        return fail(EINVAL);
    const std::string_view bytes(reinterpret_cast<const char*>(file->data()), file->size());
    if (const int cause = WriteWholeFile(path, bytes))
        return fail(cause);
    return true;
}
