#include "export/BitmapFile.h"

#include <fstream>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 32;

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

} // namespace

std::vector<std::uint8_t> EncodeBitmapFile(const BitmapPixels& picture)
{
    const int width = picture.width > 0 ? picture.width : 0;
    const int height = picture.height > 0 ? picture.height : 0;
    // 4 bytes a pixel: every row is already a multiple of 4 bytes long.
    const std::uint32_t imageSize = static_cast<std::uint32_t>(width) * height * 4;
    const std::uint32_t offBits = kFileHeaderSize + kInfoHeaderSize;

    std::vector<std::uint8_t> out;
    out.reserve(offBits + imageSize);
    Put16(out, 0x4D42); // "BM"
    Put32(out, offBits + imageSize);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, offBits);

    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height)); // positive: bottom row first
    Put16(out, 1);
    Put16(out, kBitsPerPixel);
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);

    const bool complete = picture.pixels.size() >= static_cast<std::size_t>(width) * height;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t rgb = complete ? picture.pixels[static_cast<std::size_t>(y) * width + x] : 0;
            out.push_back(static_cast<std::uint8_t>(rgb));       // blue
            out.push_back(static_cast<std::uint8_t>(rgb >> 8));  // green
            out.push_back(static_cast<std::uint8_t>(rgb >> 16)); // red
            out.push_back(0);
        }
    }
    return out;
}

bool WriteBitmapFile(const std::string& path, const BitmapPixels& picture)
{
    const std::vector<std::uint8_t> bytes = EncodeBitmapFile(picture);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}
