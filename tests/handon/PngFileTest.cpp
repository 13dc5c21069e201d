#include "handon/PngFile.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

namespace {

// The pixels of a PNG as 0xRRGGBB, read back through libpng's simple reader.
std::vector<std::uint32_t> Decode(const std::string& file, int& width, int& height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(std::uint32_t{rgb[i]} << 16 | std::uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
    return pixels;
}

// Every depth the colour count calls for, at widths that do and do not fill
// the last byte of a row, reads back pixel for pixel.
TEST(PngFile, ReadsBackPixelForPixelAtEveryDepth)
{
    for (const int colours : {1, 2, 3, 4, 5, 16, 17, 256, 300}) {
        for (const int width : {1, 7, 320}) {
            const int height = 5;
            std::vector<std::uint32_t> pixels;
            for (int i = 0; i < width * height; ++i)
                pixels.push_back((static_cast<std::uint32_t>((i * 7919) % colours) * 0x10307u) & 0xFFFFFFu);
            int readWidth = 0;
            int readHeight = 0;
            EXPECT_EQ(Decode(PngFileBytes(width, height, pixels), readWidth, readHeight), pixels)
                << colours << " colours, width " << width;
            EXPECT_EQ(readWidth, width);
            EXPECT_EQ(readHeight, height);
        }
    }
}

// An encoder that cannot make the file says so with nothing, never with half
// a file: the export and show -o then fail naming the picture.
TEST(PngFile, ImpossiblePicturesGiveNothing)
{
    EXPECT_EQ(PngFileBytes(0, 1, {}), "");
    EXPECT_EQ(PngFileBytes(2, 2, {0, 0, 0}), "");
    EXPECT_EQ(PngFileBytes(-1, -1, {0}), "");
}

} // namespace
